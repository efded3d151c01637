#include "engine/results.h"

#include "engine/analysisresult.h"
#include "engine/model.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace {

bool isPile(qint32 ob)
{
    return ob == OBJPILE || ob == OBJBACKPILE;
}

bool esInteraction(const BaseInfo &base)
{
    return isDoubleRow(base) && base.interact == INTERACTES;
}

// Force that the Es link attached to a pile node passes to it.
QHash<int, double> linkForces(const Project &doc)
{
    QHash<int, double> forces;
    for (const ResultInfo &r : doc.results) {
        if (r.ob != OBJESLINK)
            continue;
        if (r.Ni > EPS)
            forces.insert(r.i, -r.Ni);
        if (r.Nj < EPS)
            forces.insert(r.j, -r.Nj);
    }
    return forces;
}

// Active soil spring of a node, or 0 when no soil spring acts there.
double activeSoilSpring(const NodeInfo &node)
{
    if (node.RorL == STATELEFT)
        return node.SKl;
    if (node.RorL == STATERIGHT)
        return node.SKr;
    return 0.0;
}

} // namespace

void shearCorrections(Project &doc)
{
    for (ResultInfo &r : doc.results) {
        if (!isPile(r.ob))
            continue;
        const NodeInfo &node = doc.nodes[r.j];
        if (node.RorL == STATELEFT)
            r.Qj += -node.SKl * r.Xj;
        else if (node.RorL == STATERIGHT)
            r.Qj += -node.Kr * r.Xj;
    }
    const auto freeBottom = [&](const PileInfo &pile, qint32 ob) {
        if (pile.support != SUPPORTFREE || pile.sptindex < 0)
            return;
        for (ResultInfo &r : doc.results) {
            if (r.ob == ob && r.i == pile.sptindex) {
                r.Qi = 0.0;
                return;
            }
        }
    };
    freeBottom(doc.frontPile, OBJPILE);
    if (isDoubleRow(doc.base))
        freeBottom(doc.backPile, OBJBACKPILE);

    if (esInteraction(doc.base)) {
        const QHash<int, double> forces = linkForces(doc);
        for (ResultInfo &r : doc.results) {
            if (isPile(r.ob) && forces.contains(r.j))
                r.Qj += forces.value(r.j);
        }
    }
}

void soilReaction(Project &doc)
{
    for (ResultInfo &r : doc.results) {
        if (!isPile(r.ob))
            continue;
        const double ys = slidingSurface(doc.base, r.ob == OBJPILE);
        const NodeInfo &ni = doc.nodes[r.i];
        const NodeInfo &nj = doc.nodes[r.j];
        if (nj.Yg > ys + EPS)
            continue;
        const auto pressure = [](const NodeInfo &node, double X, double h) {
            const double area = h * node.b0;
            return area > 0.0 ? -activeSoilSpring(node) * X / area : 0.0;
        };
        r.SPi = pressure(ni, r.Xi, ni.downH + ni.upH);
        const bool onSurface = std::fabs(nj.Yg - ys) < EPS;
        r.SPj = pressure(nj, r.Xj, onSurface ? nj.downH : nj.downH + nj.upH);
    }
}

void betweenRowPressure(Project &doc)
{
    if (!esInteraction(doc.base))
        return;
    for (ResultInfo &r : doc.results) {
        if (r.ob != OBJESLINK)
            continue;
        const NodeInfo &ni = doc.nodes[r.i];
        const double e = (ni.upH + ni.downH) * ni.b0;
        if (e <= 0.0)
            continue;
        if (r.Ni > EPS)
            r.BPi = -r.Ni / e;
        if (r.Nj < EPS)
            r.BPj = -r.Nj / e;
    }
}

void anchorForces(Project &doc)
{
    const NodeIndex index(doc.nodes);
    for (AnchorInfo &a : doc.anchors) {
        if (!takesPart(doc.base, a.object)) {
            a.forceH = a.forceV = 0.0;
            continue;
        }
        const int n = index.at(a.x1g, a.y1g);
        if (n < 0)
            continue;
        const NodeInfo &node = doc.nodes[n];
        const double alpha = a.angle * 0.017453292519943295;
        a.forceH = std::cos(alpha) * a.preforce;
        a.forceV = std::sin(alpha) * a.preforce;
        if (node.Dx < -EPS)
            a.forceH -= node.Dx * a.kh;
        if (node.Dy > EPS)
            a.forceV += node.Dy * a.kv;
    }
}

ResultExtremes resultExtremes(const Project &doc)
{
    // One rule for the extremes: the one that also finds their depths.
    PileResult front;
    PileResult back;
    findExtremes(doc, front, back);
    const auto values = [](const PileExtremes &e) {
        ExtremeValues v;
        v.D = e.D.value;
        v.M = e.M.value;
        v.Q = e.Q.value;
        v.R = e.R.value;
        return v;
    };
    ResultExtremes x;
    x.Max1 = values(front.max);
    x.Min1 = values(front.min);
    x.Max2 = values(back.max);
    x.Min2 = values(back.min);
    return x;
}

QString fixedText(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    // A value that rounds to zero keeps its sign in the text ("-0.0"): the
    // user reads a zero.
    if (text.startsWith(QLatin1Char('-'))
        && std::all_of(text.cbegin() + 1, text.cend(),
            [](QChar c) { return c == QLatin1Char('0') || c == QLatin1Char('.'); }))
        text.remove(0, 1);
    return text;
}

QString oneDecimal(double value)
{
    return fixedText(value, 1);
}

bool reportPrintable(const ResultExtremes &x)
{
    for (const ExtremeValues *v : {&x.Max1, &x.Min1, &x.Max2, &x.Min2}) {
        // Displacements are printed in mm; beyond 1e15 the digits of a
        // fixed-point number no longer mean anything.
        for (double printed : {v->D * 1000.0, v->M, v->Q, v->R}) {
            if (!(std::fabs(printed) < 1e15))
                return false;
        }
    }
    return true;
}

QStringList reportLines(const Project &doc)
{
    const auto ranges = [&](const QStringList &patterns, const ExtremeValues &min,
                            const ExtremeValues &max) {
        return QStringList {patterns[0].arg(oneDecimal(min.D * 1000.0), oneDecimal(max.D * 1000.0)),
            patterns[1].arg(oneDecimal(min.M), oneDecimal(max.M)),
            patterns[2].arg(oneDecimal(min.Q), oneDecimal(max.Q)),
            patterns[3].arg(oneDecimal(min.R), oneDecimal(max.R))};
    };
    const ResultExtremes &x = doc.extremes;
    QStringList lines {ProjectText::tr(">>---------------"), ProjectText::tr(">>计算结果如下:")};
    if (isDoubleRow(doc.base)) {
        lines << ranges(
            {ProjectText::tr(">>前桩位移（%1~ %2mm）"), ProjectText::tr(">>前桩弯矩（%1~ %2kN*m）"),
                ProjectText::tr(">>前桩剪力（%1~ %2kN）"), ProjectText::tr(">>前桩土反力（%1~ %2kPa）")},
            x.Min1, x.Max1);
        lines << ranges(
            {ProjectText::tr(">>后桩位移（%1~ %2mm）"), ProjectText::tr(">>后桩弯矩（%1~ %2kN*m）"),
                ProjectText::tr(">>后桩剪力（%1~ %2kN）"), ProjectText::tr(">>后桩土反力（%1~ %2kPa）")},
            x.Min2, x.Max2);
    } else {
        lines << ranges(
            {ProjectText::tr(">>抗滑桩位移（%1~ %2mm）"), ProjectText::tr(">>抗滑桩弯矩（%1~ %2kN*m）"),
                ProjectText::tr(">>抗滑桩剪力（%1~ %2kN）"), ProjectText::tr(">>土反力（%1~ %2kPa）")},
            x.Min1, x.Max1);
    }
    lines << ProjectText::tr(">>---------------");

    // The springs stand for the ground only near its resting state; a pile
    // moving by metres is outside what the model describes.
    bool beyondModel = std::fabs(x.Max1.D) > 1.0 || std::fabs(x.Min1.D) > 1.0;
    if (isDoubleRow(doc.base))
        beyondModel = beyondModel || std::fabs(x.Max2.D) > 1.0 || std::fabs(x.Min2.D) > 1.0;
    if (beyondModel)
        lines << ProjectText::tr(
            ">>警告：桩身最大位移超过1m，线弹性地基反力模型已不适用，请检查荷载与参数");
    return lines;
}
