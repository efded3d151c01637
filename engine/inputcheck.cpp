#include "engine/inputcheck.h"

#include "engine/model.h"
#include "model/designdata.h"
#include "model/geometry.h"

#include <cmath>
#include <initializer_list>

namespace {

bool above(double a, double b)
{
    return a - b > EPS;
}

} // namespace

int checkInput(const Project &doc)
{
    if (doc.soils.isEmpty())
        return 1; // no ground at all
    const bool two = isDoubleRow(doc.base);
    const PileInfo &p1 = doc.frontPile;
    const PileInfo &p2 = doc.backPile;
    const double slide = doc.base.slideBackYg;
    const double cut = doc.base.cutYg;

    const double lowest = two ? std::min(p1.bottomYg, p2.bottomYg) : p1.bottomYg;
    if (above(doc.soils.last().bottomY, lowest))
        return 1;
    if (above(p1.bottomYg, slide))
        return 2;
    if (above(p1.bottomYg, cut))
        return 3;
    if (above(p1.bottomYg, 0.0))
        return 7;
    if (two) {
        if (above(p1.bottomYg, p2.topYg) || above(p2.bottomYg, p1.topYg))
            return 4;
        if (above(p2.bottomYg, slide))
            return 2;
        if (above(p2.bottomYg, cut))
            return 3;
        if (above(p2.bottomYg, 0.0))
            return 7;
    }
    if (p1.length < 2.0)
        return 5;
    if (two) {
        if (p2.length < 2.0)
            return 5;
        if ((sectionDepth(p1) + sectionDepth(p2) + 0.2) * 0.5 > doc.base.row)
            return 6;
    }
    return 0;
}

namespace {

bool finite(std::initializer_list<double> values)
{
    for (double v : values) {
        if (!std::isfinite(v))
            return false;
    }
    return true;
}

bool positive(double v)
{
    return std::isfinite(v) && v > 0.0;
}

QString pileProblem(const PileInfo &pile, const QString &name)
{
    if (!finite({pile.length, pile.topXg, pile.topYg, pile.bottomXg, pile.bottomYg, pile.area,
            pile.I, pile.E, pile.b0, pile.space}))
        return ProjectText::tr("%1的数据含有无效数值").arg(name);
    if (pile.shp == SECTSQUARE) {
        if (!positive(pile.height) || !positive(pile.width))
            return ProjectText::tr("%1的截面尺寸必须大于0").arg(name);
    } else if (!positive(pile.diameter)) {
        return ProjectText::tr("%1的直径必须大于0").arg(name);
    }
    if (!positive(pile.area) || !positive(pile.I) || !positive(pile.E) || !positive(pile.b0))
        return ProjectText::tr("%1的截面面积、惯性矩、弹性模量和计算宽度必须大于0").arg(name);
    if (pile.support != SUPPORTHINGED && pile.support != SUPPORTFREE
        && pile.support != SUPPORTFIXED)
        return ProjectText::tr("%1的桩底支承方式无效").arg(name);
    return {};
}

} // namespace

namespace {

// Largest values a real project has; anything beyond comes from a damaged
// or hostile file and would only produce numbers without meaning.
constexpr double MAXLENGTH = 1000.0; // depths, lengths, distances, m
constexpr double MAXFORCE = 1e6; // forces per metre, kN/m; anchor prestress, kN
constexpr double MAXMOMENT = 1e7; // moments per metre, kN·m/m
constexpr double MAXMODULUS = 1e9; // moduli, kPa
constexpr double MAXCOEFFICIENT = 1e9; // m in kN/m⁴, K in kN/m³
constexpr double MAXCOUNT = 1000.0; // strands or bars of one anchor
constexpr double MAXUNITWEIGHT = 100.0; // kN/m³
constexpr double MAXANGLE = 90.0; // anchor inclination, friction angle, degrees
constexpr qint16 MINGRADE = 10; // concrete grades C10 to C80
constexpr qint16 MAXGRADE = 80;

// A field's name: given, or made by a callable only when a line needs it
// (a project may hold thousands of forces, all within their bounds).
QString fieldName(const QString &name)
{
    return name;
}

template <class MakeName> QString fieldName(const MakeName &makeName)
{
    return makeName();
}

// The first of `values` beyond `limit`, as the line naming it; empty when
// all lie within.
template <class Name>
QString beyond(
    std::initializer_list<double> values, double limit, const Name &field, const char *unit)
{
    for (double v : values) {
        if (std::fabs(v) > limit)
            return ProjectText::tr("%1超出合理范围（绝对值不大于%2%3）")
                .arg(fieldName(field), QString::number(limit, 'g', 10), QString::fromUtf8(unit));
    }
    return {};
}

// The line for a value outside [low, high] (a value that is not a number
// lies outside too); empty when it lies within.
template <class Name>
QString outside(double v, double low, double high, const Name &field, const char *unit)
{
    if (v >= low && v <= high)
        return {};
    return ProjectText::tr("%1超出合理范围（%2~%3%4）")
        .arg(fieldName(field), QString::number(low, 'g', 10), QString::number(high, 'g', 10),
            QString::fromUtf8(unit));
}

// The line for a value that must be positive; empty when it is.
template <class Name> QString notPositive(double v, const Name &field)
{
    return v > 0.0 ? QString() : ProjectText::tr("%1必须大于0").arg(fieldName(field));
}

// The line for a concrete grade outside C10 to C80; empty when within.
QString gradeBounds(qint16 grade, const QString &name)
{
    if (grade >= MINGRADE && grade <= MAXGRADE)
        return {};
    return ProjectText::tr("%1的混凝土等级超出合理范围（C%2~C%3）")
        .arg(name)
        .arg(MINGRADE)
        .arg(MAXGRADE);
}

QString pileBounds(const PileInfo &pile, const QString &name)
{
    QString problem = beyond({pile.length}, MAXLENGTH, ProjectText::tr("%1的桩长").arg(name), "m");
    if (problem.isEmpty())
        problem = beyond({pile.diameter, pile.height, pile.width}, MAXLENGTH,
            ProjectText::tr("%1的截面尺寸").arg(name), "m");
    if (problem.isEmpty())
        problem = gradeBounds(pile.grade, name);
    return problem;
}

QString bounds(const Project &doc)
{
    const BaseInfo &base = doc.base;
    const bool two = isDoubleRow(base);
    QStringList problems;
    const auto check = [&](const QString &problem) {
        if (!problem.isEmpty())
            problems.append(problem);
    };
    check(beyond({base.slideBackH, base.slideFrontH}, MAXLENGTH, ProjectText::tr("滑面深度"), "m"));
    check(beyond({base.cutH}, MAXLENGTH, ProjectText::tr("开挖深度"), "m"));
    check(beyond({base.aforce}, MAXFORCE, ProjectText::tr("滑坡推力"), "kN/m"));
    check(beyond({base.pforce}, MAXFORCE, ProjectText::tr("抗力"), "kN/m"));
    check(beyond({base.space}, MAXLENGTH, ProjectText::tr("桩间距"), "m"));
    if (!(base.reduceE >= 0.01f && base.reduceE <= 1.0f))
        check(ProjectText::tr("刚度折减系数超出合理范围（1%~100%）"));
    check(pileBounds(doc.frontPile, two ? ProjectText::tr("前桩") : ProjectText::tr("抗滑桩")));
    if (two) {
        check(pileBounds(doc.backPile, ProjectText::tr("后桩")));
        check(beyond({base.row}, MAXLENGTH, ProjectText::tr("前后排桩间距"), "m"));
        check(beyond({base.dpel}, MAXLENGTH, ProjectText::tr("前后排桩顶高差"), "m"));
        check(beyond({doc.linkBeam.height, doc.linkBeam.width}, MAXLENGTH,
            ProjectText::tr("横梁的截面尺寸"), "m"));
        check(gradeBounds(doc.linkBeam.grade, ProjectText::tr("横梁")));
    }
    for (int n = 0; problems.isEmpty() && n < doc.soils.size(); ++n) {
        const SoilInfo &s = doc.soils[n];
        const auto named = [n](const char *what) {
            return [n, what] {
                return ProjectText::tr(what).arg(ProjectText::tr("岩土层%1").arg(n + 1));
            };
        };
        check(beyond({s.thickness}, MAXLENGTH, named(QT_TR_NOOP("%1的厚度")), "m"));
        check(beyond({s.Es}, MAXMODULUS, named(QT_TR_NOOP("%1的Es值")), "kPa"));
        check(beyond({s.m}, MAXCOEFFICIENT, named(QT_TR_NOOP("%1的m值")), "kN/m⁴"));
        check(beyond({s.k}, MAXCOEFFICIENT, named(QT_TR_NOOP("%1的K值")), "kN/m³"));
        check(outside(s.r, 0.0, MAXUNITWEIGHT, named(QT_TR_NOOP("%1的重度")), "kN/m³"));
        check(outside(s.c, 0.0, MAXMODULUS, named(QT_TR_NOOP("%1的c值")), "kPa"));
        check(outside(s.fi, 0.0, MAXANGLE, named(QT_TR_NOOP("%1的φ值")), "°"));
    }
    for (int n = 0; problems.isEmpty() && n < doc.anchors.size(); ++n) {
        const AnchorInfo &a = doc.anchors[n];
        const auto named = [n](const char *what) {
            return [n, what] {
                return ProjectText::tr(what).arg(ProjectText::tr("锚索(杆)%1").arg(n + 1));
            };
        };
        check(beyond(
            {a.distance, a.lf, a.la, a.Dc}, MAXLENGTH, named(QT_TR_NOOP("%1的位置或尺寸")), "m"));
        check(beyond({a.preforce}, MAXFORCE, named(QT_TR_NOOP("%1的预应力")), "kN"));
        check(beyond({a.Em}, MAXMODULUS, named(QT_TR_NOOP("%1的注浆体弹性模量")), "kPa"));
        // Only the steel of the anchor's kind enters its stiffness.
        if (a.anchorType == ANCHORCABLE) {
            check(outside(a.cableNum, 1.0, MAXCOUNT, named(QT_TR_NOOP("%1的钢绞线根数")), ""));
            check(notPositive(a.cableDiam, named(QT_TR_NOOP("%1的钢绞线直径"))));
            check(beyond(
                {a.cableDiam}, MAXLENGTH * 1000.0, named(QT_TR_NOOP("%1的钢绞线直径")), "mm"));
        } else {
            check(outside(a.rodNum, 1.0, MAXCOUNT, named(QT_TR_NOOP("%1的钢筋根数")), ""));
            check(notPositive(a.rodDiam, named(QT_TR_NOOP("%1的钢筋直径"))));
            check(beyond({a.rodDiam}, MAXLENGTH * 1000.0, named(QT_TR_NOOP("%1的钢筋直径")), "mm"));
        }
        check(notPositive(a.lf, named(QT_TR_NOOP("%1的自由段长度"))));
        check(notPositive(a.la, named(QT_TR_NOOP("%1的锚固段长度"))));
        check(notPositive(a.Dc, named(QT_TR_NOOP("%1的锚固体直径"))));
        check(notPositive(a.Em, named(QT_TR_NOOP("%1的注浆体弹性模量"))));
        check(outside(a.angle, 0.0, MAXANGLE, named(QT_TR_NOOP("%1的倾角")), "°"));
    }
    for (int n = 0; problems.isEmpty() && n < doc.AddForces.size(); ++n) {
        const ForceInfo &f = doc.AddForces[n];
        const auto named = [n](const char *what) {
            return [n, what] {
                return ProjectText::tr(what).arg(ProjectText::tr("附加力%1").arg(n + 1));
            };
        };
        check(beyond({f.distance, f.length}, MAXLENGTH, named(QT_TR_NOOP("%1的位置或长度")), "m"));
        check(beyond({f.F, f.q1, f.q2}, MAXFORCE, named(QT_TR_NOOP("%1的力值")), "kN/m"));
        check(beyond({f.M}, MAXMOMENT, named(QT_TR_NOOP("%1的力矩")), "kN·m/m"));
    }
    return problems.isEmpty() ? QString() : problems.first();
}

} // namespace

QString unusableInput(const Project &doc)
{
    const BaseInfo &base = doc.base;
    const bool two = isDoubleRow(base);
    QString problem;
    if (!finite({base.slideBackH, base.slideBackYg, base.slideFrontH, base.slideFrontYg, base.cutH,
            base.cutYg, base.aforce, base.pforce, base.ratio, base.space, double(base.reduceE),
            base.row, base.dpel, base.mRatio}))
        problem = ProjectText::tr("基础信息含有无效数值");
    else if (!positive(base.space))
        problem = ProjectText::tr("桩间距必须大于0");
    else if (!positive(double(base.reduceE)))
        problem = ProjectText::tr("刚度折减系数必须大于0");

    if (problem.isEmpty())
        problem = pileProblem(doc.frontPile, CodeText::carrier(OBJPILE, base.PileForm));
    if (problem.isEmpty() && two) {
        problem = pileProblem(doc.backPile, CodeText::carrier(OBJBACKPILE, base.PileForm));
        const LinkBeamInfo &beam = doc.linkBeam;
        if (problem.isEmpty()
            && (!positive(beam.height) || !positive(beam.width) || !positive(beam.area)
                || !positive(beam.I) || !positive(beam.E) || !positive(beam.length)
                || !finite({beam.leftXg, beam.leftYg, beam.rightXg, beam.rightYg})))
            problem = ProjectText::tr("横梁的尺寸和弹性模量必须大于0");
        if (problem.isEmpty() && !positive(base.row))
            problem = ProjectText::tr("前后排桩间距必须大于0");
        // Pile ends keep their exact elevation in the model; two of them a
        // hair apart would give an element too short to solve.
        const double ends[] = {
            doc.frontPile.topYg, doc.frontPile.bottomYg, doc.backPile.topYg, doc.backPile.bottomYg};
        for (int a = 0; problem.isEmpty() && a < 4; ++a) {
            for (int b = a + 1; b < 4; ++b) {
                const double d = std::fabs(ends[a] - ends[b]);
                if (d > EPS && d < MINNODESPACING - EPS)
                    problem = ProjectText::tr("前后排桩的桩顶、桩底高差须为0或不小于0.01m");
            }
        }
    }
    if (problem.isEmpty() && doc.frontPile.support == SUPPORTFREE && !positive(base.mRatio))
        problem = ProjectText::tr("桩底m/m0比值必须大于0");
    if (problem.isEmpty() && two && doc.backPile.support == SUPPORTFREE && !positive(base.mRatio))
        problem = ProjectText::tr("桩底m/m0比值必须大于0");

    for (int n = 0; problem.isEmpty() && n < doc.soils.size(); ++n) {
        const SoilInfo &s = doc.soils[n];
        if (!finite({s.Es, s.thickness, s.bottomY, s.m, s.k}))
            problem = ProjectText::tr("岩土层%1的数据含有无效数值").arg(n + 1);
        else if (!(s.thickness > 0.0))
            problem = ProjectText::tr("岩土层%1的厚度必须大于0").arg(n + 1);
        else if (s.m < 0.0 || s.k < 0.0 || s.Es < 0.0)
            problem = ProjectText::tr("岩土层%1的m、K和Es值不能为负").arg(n + 1);
        else if (!(s.frk >= 0.0))
            problem = ProjectText::tr("岩土层%1的岩石抗压强度frk不能为负").arg(n + 1);
    }
    for (int n = 0; problem.isEmpty() && n < doc.anchors.size(); ++n) {
        const AnchorInfo &a = doc.anchors[n];
        if (!finite({a.preforce, a.angle, a.lf, a.la, a.Dc, a.Em, a.distance, a.cableDiam,
                a.rodDiam, a.kh, a.kv, a.x1g, a.y1g}))
            problem = ProjectText::tr("锚索(杆)%1的数据含有无效数值").arg(n + 1);
        else if (a.kh < 0.0 || a.kv < 0.0)
            problem = ProjectText::tr("锚索(杆)%1的刚度不能为负").arg(n + 1);
        else if (!(a.frbk >= 0.0))
            problem = ProjectText::tr("锚索(杆)%1的粘结强度frbk不能为负").arg(n + 1);
    }
    const auto forceProblem = [&](const QList<ForceInfo> &forces, int n) {
        const ForceInfo &f = forces[n];
        if (!finite({f.F, f.M, f.q1, f.q2, f.length, f.distance, f.Fg, f.Mg, f.q1g, f.q2g, f.x1g,
                f.y1g, f.x2g, f.y2g}))
            return ProjectText::tr("附加力%1的数据含有无效数值").arg(n + 1);
        return QString();
    };
    for (int n = 0; problem.isEmpty() && n < doc.AddForces.size(); ++n)
        problem = forceProblem(doc.AddForces, n);
    for (int n = 0; problem.isEmpty() && n < doc.BaseForces.size(); ++n) {
        if (!forceProblem(doc.BaseForces, n).isEmpty())
            problem = ProjectText::tr("推力或抗力的数据含有无效数值");
    }
    if (problem.isEmpty())
        problem = DesignRules::problem(doc.design);
    if (problem.isEmpty())
        problem =
            DesignRules::sectionProblem(doc.design, doc.frontPile, doc.backPile, doc.linkBeam, two);
    if (problem.isEmpty())
        problem = bounds(doc);

    if (problem.isEmpty())
        return {};
    return ProjectText::tr(">>错误：数据不合理，%1").arg(problem);
}
