// The design checks applied to an analysed project, and their lines.

#include "engine/designchecks.h"

#include "engine/model.h"
#include "engine/results.h"

#include <algorithm>
#include <cmath>

namespace {

bool endsExist(const Project &doc, const ResultInfo &r)
{
    const qsizetype count = doc.nodes.size();
    return r.i >= 0 && r.j >= 0 && r.i < count && r.j < count;
}

// A layer of the ground with its elevations, derived afresh from the
// thicknesses: bottoms stored in a file are not trusted.
struct Layer
{
    double top;
    double bottom;
    const SoilInfo *soil;
};

QList<Layer> layers(const QList<SoilInfo> &soils)
{
    QList<Layer> list;
    double top = 0.0;
    for (const SoilInfo &s : soils) {
        list.append({top, top - s.thickness, &s});
        top -= s.thickness;
    }
    return list;
}

// The layer holding elevation y. A point on a boundary belongs to the layer
// above it, or with `below` to the layer below it (the sliding surface).
// Below the last layer the last one holds.
int layerAt(const QList<Layer> &ground, double y, bool below)
{
    for (int n = 0; n < ground.size(); ++n) {
        if (below ? ground[n].bottom < y - EPS : ground[n].bottom < y + EPS)
            return n;
    }
    return int(ground.size()) - 1;
}

// Mean unit weight of the ground between the surface (0) and elevation y,
// each layer weighted by its thickness there.
double meanUnitWeight(const QList<Layer> &ground, double y)
{
    double weight = 0.0;
    double depth = 0.0;
    for (const Layer &l : ground) {
        const double thickness = std::min(l.top, 0.0) - std::max(l.bottom, y);
        if (thickness > 0.0) {
            weight += l.soil->r * thickness;
            depth += thickness;
        }
    }
    return depth > 0.0 ? weight / depth : 0.0;
}

// The elements of one member, as the analysis left them.
QList<const ResultInfo *> elementsOf(const Project &doc, qint16 object)
{
    QList<const ResultInfo *> list;
    for (const ResultInfo &r : doc.results) {
        if (r.ob == object && endsExist(doc, r))
            list.append(&r);
    }
    return list;
}

// |soil reaction| at elevation y of a pile: linear along the element holding
// y; where two elements meet, the one below.
double reactionAt(const Project &doc, const QList<const ResultInfo *> &elements, double y)
{
    const ResultInfo *best = nullptr;
    double bestLow = 0.0;
    for (const ResultInfo *r : elements) {
        const double yi = doc.nodes[r->i].Yg;
        const double yj = doc.nodes[r->j].Yg;
        const double low = std::min(yi, yj);
        const double high = std::max(yi, yj);
        if (y < low - EPS || y > high + EPS)
            continue;
        if (!best || low < bestLow) {
            best = r;
            bestLow = low;
        }
    }
    if (!best)
        return 0.0;
    const double yi = doc.nodes[best->i].Yg;
    const double yj = doc.nodes[best->j].Yg;
    const double t = std::fabs(yj - yi) > 0.0 ? std::clamp((y - yi) / (yj - yi), 0.0, 1.0) : 0.0;
    return std::fabs(best->SPi + (best->SPj - best->SPi) * t);
}

void envelope(const QList<const ResultInfo *> &elements, MemberCheck &m)
{
    double vMax = 0.0;
    double vMin = 0.0;
    for (const ResultInfo *r : elements) {
        for (double moment : {-r->Mi, r->Mj}) {
            m.Mpos = std::max(m.Mpos, moment);
            m.Mneg = std::min(m.Mneg, moment);
        }
        for (double shear : {r->Qi, -r->Qj}) {
            vMax = std::max(vMax, shear);
            vMin = std::min(vMin, shear);
        }
    }
    m.V = std::max(vMax, -vMin);
}

void designSection(MemberCheck &m, const DesignInfo &d, double factor)
{
    const double fy = rebarStrength(d.rebarMain);
    const double fyv = rebarStrength(d.rebarStirrup);
    const double fc = m.concrete.fc;
    const double ft = m.concrete.ft;
    if (m.round) {
        const double Md = factor * std::max(m.Mpos, -m.Mneg);
        m.flexure.append(
            {QStringLiteral("±"), roundFlexure(Md, m.b, d.as, fc, ft, fy, d.rebarDiam)});
        const double r = 0.5 * m.b;
        m.shear = shearCheck(factor * m.V, 1.76 * r, 1.6 * r, fc, ft, fyv, 2, d.stirrupDiam);
    } else {
        m.flexure.append({QStringLiteral("+"),
            rectangularFlexure(factor * m.Mpos, m.b, m.h, d.as, fc, ft, fy, d.rebarDiam)});
        m.flexure.append({QStringLiteral("-"),
            rectangularFlexure(-factor * m.Mneg, m.b, m.h, d.as, fc, ft, fy, d.rebarDiam)});
        m.shear = shearCheck(factor * m.V, m.b, m.h - d.as, fc, ft, fyv, d.legs, d.stirrupDiam);
    }
}

// Displacements and bearing of a pile's embedded section.
void checkPile(const Project &doc, const QList<const ResultInfo *> &elements, MemberCheck &m)
{
    const DesignInfo &d = doc.design;
    m.pile = true;
    const bool front = m.object == OBJPILE;
    const bool two = isDoubleRow(doc.base);
    m.slideElevation = -(front && two ? doc.base.slideFrontH : doc.base.slideBackH);
    const double ys = m.slideElevation;

    bool first = true;
    double topX = 0.0;
    double slipDistance = 0.0;
    for (const ResultInfo *r : elements) {
        for (const auto &[node, x] : {std::pair(r->i, r->Xi), std::pair(r->j, r->Xj)}) {
            const double y = doc.nodes[node].Yg;
            if (first || y > m.topElevation) {
                m.topElevation = y;
                topX = x;
            }
            if (first || y < m.bottomElevation)
                m.bottomElevation = y;
            first = false;
            // The sliding surface may have been joined with a point closer
            // than MINNODESPACING: the node it became stands for it.
            const double distance = std::fabs(y - ys);
            if (distance < MINNODESPACING + EPS
                && (!m.displacement.slipFound || distance < slipDistance)) {
                m.displacement.slipFound = true;
                m.displacement.slip = std::fabs(x);
                slipDistance = distance;
            }
        }
    }
    DisplacementCheck &disp = m.displacement;
    disp.top = std::fabs(topX);
    disp.lengthAbove = m.topElevation - ys;
    disp.topLimit = topDisplacementLimit(d.limitTopRatio, disp.lengthAbove, d.limitTop);
    disp.slipLimit = d.limitSlip;

    m.embedded = std::max(ys - m.bottomElevation, 0.0);
    const QList<Layer> ground = layers(doc.soils);
    if (ground.isEmpty())
        return;
    const double h1 = std::max(-ys, 0.0);
    const double gamma1 = meanUnitWeight(ground, ys);

    const auto layerOf = [&](double y) { return layerAt(ground, y, std::fabs(y - ys) < EPS); };
    // Rock: the worst reaction at the nodes of each rock layer, on or
    // below the sliding surface.
    QList<BearingCheck> rock;
    const auto rockPoint = [&](int layer, double y, double sigma) {
        const SoilInfo &s = *ground[layer].soil;
        BearingCheck c;
        c.rock = true;
        c.depth = ys - y;
        c.layer = layer;
        c.layerName = s.Name;
        c.frk = s.frk;
        c.sigma = sigma;
        c.allowable = rockBearing(s.frk, d.kh, d.eta);
        c.ok = c.sigma <= c.allowable;
        for (BearingCheck &have : rock) {
            if (have.layer == layer) {
                if (c.sigma / c.allowable > have.sigma / have.allowable)
                    have = c;
                return;
            }
        }
        rock.append(c);
    };
    for (const ResultInfo *r : elements) {
        for (const auto &[node, sp] : {std::pair(r->i, r->SPi), std::pair(r->j, r->SPj)}) {
            const double y = doc.nodes[node].Yg;
            if (y > ys + EPS)
                continue;
            const int layer = layerOf(y);
            if (ground[layer].soil->frk > 0.0)
                rockPoint(layer, y, std::fabs(sp));
        }
    }
    for (const double depth : {m.embedded / 3.0, m.embedded}) {
        const double y = ys - depth;
        const int layer = layerOf(y);
        const SoilInfo &s = *ground[layer].soil;
        if (s.frk > 0.0) {
            // Checked by the rock rule; a rock layer without a node of its
            // own is checked at this point.
            if (std::none_of(rock.cbegin(), rock.cend(),
                    [layer](const BearingCheck &c) { return c.layer == layer; }))
                rockPoint(layer, y, reactionAt(doc, elements, y));
            continue;
        }
        BearingCheck c;
        c.depth = depth;
        c.layer = layer;
        c.layerName = s.Name;
        c.gamma2 = s.r;
        c.phi0 = s.fi;
        c.gamma1 = gamma1;
        c.h1 = h1;
        c.sigma = reactionAt(doc, elements, y);
        c.allowable = soilBearing(depth, s.r, s.fi, gamma1, h1);
        c.evaluable = c.allowable > 0.0;
        c.ok = c.evaluable && c.sigma <= c.allowable;
        m.bearing.append(c);
    }
    std::sort(rock.begin(), rock.end(),
        [](const BearingCheck &a, const BearingCheck &b) { return a.depth < b.depth; });
    m.bearing.append(rock);
}

AnchorCheck checkAnchor(const AnchorInfo &a, int number, const DesignInfo &d)
{
    AnchorCheck c;
    c.number = number;
    c.anchorType = a.anchorType;
    c.object = a.object;
    const bool strand = a.anchorType == ANCHORCABLE;
    const bool permanent = d.permanent != 0;
    int count = 0;
    if (strand) {
        c.diameter = a.cableDiam;
        c.tendonArea = strandArea(a.cableDiam);
        c.strength = d.fpy;
        count = a.cableNum;
    } else {
        c.diameter = a.rodDiam;
        c.tendonArea = M_PI * a.rodDiam * a.rodDiam / 4.0;
        c.strength = rebarStrength(d.anchorBar);
        count = a.rodNum;
    }
    c.Kb = tendonSafetyFactor(permanent, d.grade);
    c.K = bondSafetyFactor(permanent, d.grade);
    c.Dc = a.Dc;
    c.frbk = a.frbk;
    c.fb = groutBondStrength(strand, d.grout);
    c.design = anchorCheck(a.axialForce(), count, c.tendonArea, c.strength, c.diameter, c.Kb, c.K,
        c.Dc, c.frbk, c.fb, a.la);
    return c;
}

} // namespace

bool MemberCheck::ok() const
{
    bool all = shear.ok;
    for (const FlexureCheck &f : flexure)
        all = all && f.design.ok;
    if (pile) {
        all = all && displacement.topOk() && displacement.slipOk();
        for (const BearingCheck &b : bearing)
            all = all && b.ok;
    }
    return all;
}

int DesignResult::failures() const
{
    int count = 0;
    for (const MemberCheck &m : members) {
        for (const FlexureCheck &f : m.flexure)
            count += f.design.ok ? 0 : 1;
        count += m.shear.ok ? 0 : 1;
        if (m.pile) {
            count += m.displacement.topOk() ? 0 : 1;
            count += m.displacement.slipOk() ? 0 : 1;
            for (const BearingCheck &b : m.bearing)
                count += b.ok ? 0 : 1;
        }
    }
    for (const AnchorCheck &a : anchors)
        count += a.design.ok ? 0 : 1;
    return count;
}

DesignResult designChecks(const Project &doc)
{
    DesignResult result;
    if (!(doc.status & SHOWRESULT) || doc.results.isEmpty())
        return result;
    const DesignInfo &d = doc.design;
    result.design = d;
    result.doubleRow = isDoubleRow(doc.base);
    result.problem = DesignRules::problem(d);
    if (result.problem.isEmpty())
        result.problem = DesignRules::sectionProblem(
            d, doc.frontPile, doc.backPile, doc.linkBeam, result.doubleRow);
    if (!result.problem.isEmpty())
        return result;
    result.valid = true;
    result.factor = d.gamma0 * d.gammaF;

    QList<qint16> objects {OBJPILE};
    if (result.doubleRow)
        objects << OBJBACKPILE << OBJBEAM;
    for (const qint16 object : objects) {
        const QList<const ResultInfo *> elements = elementsOf(doc, object);
        if (elements.isEmpty())
            continue;
        MemberCheck m;
        m.object = object;
        if (object == OBJBEAM) {
            m.b = doc.linkBeam.width;
            m.h = doc.linkBeam.height;
            m.grade = doc.linkBeam.grade;
        } else {
            const PileInfo &pile = object == OBJPILE ? doc.frontPile : doc.backPile;
            m.round = pile.shp != SECTSQUARE;
            m.b = m.round ? pile.diameter : pile.width;
            m.h = m.round ? pile.diameter : pile.height;
            m.grade = pile.grade;
        }
        m.concrete = concreteStrength(m.grade);
        envelope(elements, m);
        designSection(m, d, result.factor);
        if (object != OBJBEAM)
            checkPile(doc, elements, m);
        result.members.append(m);
    }
    for (int n = 0; n < doc.anchors.size(); ++n) {
        const AnchorInfo &a = doc.anchors[n];
        if (takesPart(doc.base, a.object))
            result.anchors.append(checkAnchor(a, n + 1, d));
    }
    return result;
}

QString DesignText::member(const MemberCheck &m, bool doubleRow)
{
    return CodeText::carrier(m.object, doubleRow ? DOUBLEROW : SINGLEROW);
}

QString DesignText::key(qint16 object)
{
    switch (object) {
    case OBJBACKPILE: return QStringLiteral("back");
    case OBJBEAM: return QStringLiteral("beam");
    default: return QStringLiteral("front");
    }
}

QString DesignText::verdict(bool ok)
{
    return ok ? tr("满足") : tr("不满足");
}

namespace {

QString num(double v, int decimals = 1)
{
    return fixedText(std::isfinite(v) ? v : 0.0, decimals);
}

// "≤" when the value keeps within the limit, ">" otherwise.
QString against(bool ok)
{
    return ok ? QStringLiteral("≤") : QStringLiteral(">");
}

} // namespace

QList<DesignLine> DesignText::lines(const DesignResult &result)
{
    QList<DesignLine> out;
    if (!result.valid) {
        if (!result.problem.isEmpty())
            out.append({tr("设计验算无法进行：%1").arg(result.problem), false});
        return out;
    }
    const DesignInfo &d = result.design;
    const QString bar = tr("Φ%1").arg(num(d.rebarDiam, 0));
    for (const MemberCheck &m : result.members) {
        const QString name = member(m, result.doubleRow);
        for (const FlexureCheck &f : m.flexure) {
            const FlexureDesign &fd = f.design;
            const QString title =
                m.round ? tr("%1配筋").arg(name) : tr("%1配筋(%2)").arg(name, f.sign);
            QString text;
            if (fd.tooSmall && !m.round && fd.alphaS >= 0.5)
                text = tr("%1: αs=%2 ≥ 0.5，截面过小").arg(title, num(fd.alphaS, 3));
            else if (fd.tooSmall && !m.round)
                text = tr("%1: ξ=%2 > ξb=%3，截面过小，单筋截面不足")
                           .arg(title, num(fd.xi, 3), num(fd.xiB, 3));
            else if (fd.tooSmall)
                text = tr("%1: As=%2mm² > 5%A=%3mm²，截面过小")
                           .arg(title, num(std::max(fd.asRequired, fd.asMin), 0),
                               num(0.05 * fd.area, 0));
            else
                text = tr("%1: As=%2mm², %3%4")
                           .arg(title, num(std::max(fd.asRequired, fd.asMin), 0),
                               QString::number(fd.bars), bar);
            out.append({text + QLatin1Char(' ') + verdict(fd.ok), fd.ok});
        }
        const ShearDesign &s = m.shear;
        out.append({tr("%1抗剪: Vd=%2kN %3 Vu=%4kN, 箍筋Φ%5@%6 %7")
                        .arg(name, num(s.Vd), against(s.ok), num(s.Vlimit), num(d.stirrupDiam, 0),
                            num(s.spacing, 0), verdict(s.ok)),
            s.ok});
        if (!m.pile)
            continue;
        const DisplacementCheck &disp = m.displacement;
        out.append({tr("%1桩顶位移: %2mm %3 %4mm %5")
                        .arg(name, num(disp.top * 1000.0), against(disp.topOk()),
                            num(disp.topLimit * 1000.0), verdict(disp.topOk())),
            disp.topOk()});
        if (disp.slipFound)
            out.append({tr("%1滑面位移: %2mm %3 %4mm %5")
                            .arg(name, num(disp.slip * 1000.0), against(disp.slipOk()),
                                num(disp.slipLimit * 1000.0), verdict(disp.slipOk())),
                disp.slipOk()});
        else
            out.append(
                {tr("%1滑面位移: 滑面处无节点，无法验算 %2").arg(name, verdict(false)), false});
        // The single pile's embedded section needs no name.
        const QString embedded = result.doubleRow ? tr("%1嵌固段").arg(name) : tr("嵌固段");
        for (const BearingCheck &b : m.bearing) {
            QString text;
            if (b.rock)
                text = tr("%1 y=%2m(%3): σ=%4kPa %5 K_H·η·frk=%6kPa %7")
                           .arg(embedded, num(b.depth), b.layerName, num(b.sigma), against(b.ok),
                               num(b.allowable), verdict(b.ok));
            else if (!b.evaluable)
                text = tr("%1 y=%2m: f_H=%3kPa ≤ 0，无法验算 %4")
                           .arg(embedded, num(b.depth), num(b.allowable), verdict(false));
            else
                text = tr("%1 y=%2m: σ=%3kPa %4 f_H=%5kPa %6")
                           .arg(embedded, num(b.depth), num(b.sigma), against(b.ok),
                               num(b.allowable), verdict(b.ok));
            out.append({text, b.ok});
        }
    }
    for (const AnchorCheck &a : result.anchors) {
        const AnchorDesign &ad = a.design;
        const QString name = CodeText::anchorKind(a.anchorType) + QString::number(a.number);
        QString text;
        if (!ad.evaluable)
            text = tr("%1: Nak=%2kN, 钢材、直径、孔径或粘结强度不大于0，无法验算 %3")
                       .arg(name, num(ad.Nak), verdict(false));
        else
            text = tr("%1: Nak=%2kN, 需%3根(实配%4根), 锚固段需%5m(实有%6m) %7")
                       .arg(name, num(ad.Nak), num(ad.tendonsRequired), QString::number(ad.tendons),
                           num(ad.bondRequired), num(ad.bond), verdict(ad.ok));
        out.append({text, ad.ok});
    }
    return out;
}

QString DesignText::summary(const DesignResult &result)
{
    return tr("设计验算：%1项不满足").arg(result.valid ? result.failures() : 1);
}
