// Material tables and rules of the design data.

#include "model/designdata.h"

#include "model/geometry.h"

#include <algorithm>
#include <cmath>

ConcreteStrength concreteStrength(qint16 grade)
{
    switch (grade) {
    case 20: return {9.6, 1.10};
    case 25: return {11.9, 1.27};
    case 30: return {14.3, 1.43};
    case 35: return {16.7, 1.57};
    case 40: return {19.1, 1.71};
    default: return {14.3, 1.43};
    }
}

double rebarStrength(qint16 grade)
{
    switch (grade) {
    case 300: return 270.0;
    case 335: return 300.0;
    case 400: return 360.0;
    case 500: return 435.0;
    default: return 0.0;
    }
}

double groutBondStrength(bool strand, qint16 grout)
{
    switch (grout) {
    case 25: return strand ? 2.75 : 2.10;
    case 30: return strand ? 2.95 : 2.40;
    case 35: return strand ? 3.40 : 2.70;
    default: return 0.0;
    }
}

double tendonSafetyFactor(bool permanent, qint16 safetyGrade)
{
    const double table[2][3] = {{1.6, 1.5, 1.4}, {2.2, 2.0, 2.0}};
    return table[permanent ? 1 : 0][std::clamp<int>(safetyGrade, 1, 3) - 1];
}

double bondSafetyFactor(bool permanent, qint16 safetyGrade)
{
    const double table[2][3] = {{2.0, 1.8, 1.6}, {2.6, 2.4, 2.2}};
    return table[permanent ? 1 : 0][std::clamp<int>(safetyGrade, 1, 3) - 1];
}

double suggestedGamma0(qint16 safetyGrade)
{
    return safetyGrade == 1 ? 1.1 : 1.0;
}

QString DesignRules::safetyGrade(qint16 grade)
{
    switch (grade) {
    case 1: return tr("一级");
    case 2: return tr("二级");
    case 3: return tr("三级");
    default: return QStringLiteral("?%1").arg(grade);
    }
}

QString DesignRules::service(qint16 permanent)
{
    switch (permanent) {
    case 1: return tr("永久");
    case 0: return tr("临时");
    default: return QStringLiteral("?%1").arg(permanent);
    }
}

QString DesignRules::rebarGrade(qint16 grade)
{
    switch (grade) {
    case 300: return QStringLiteral("HPB300");
    case 335:
    case 400:
    case 500: return QStringLiteral("HRB%1").arg(grade);
    default: return QStringLiteral("?%1").arg(grade);
    }
}

QString DesignRules::groutGrade(qint16 grout)
{
    return GROUTGRADES.contains(grout) ? QStringLiteral("M%1").arg(grout)
                                       : QStringLiteral("?%1").arg(grout);
}

namespace {

bool positive(double v)
{
    return std::isfinite(v) && v > 0.0;
}

} // namespace

QString DesignRules::problem(const DesignInfo &d)
{
    for (double v : {d.gamma0, d.gammaF, d.rebarDiam, d.stirrupDiam, d.as, d.kh, d.eta, d.fpy,
             d.limitTop, d.limitTopRatio, d.limitSlip}) {
        if (!std::isfinite(v))
            return tr("设计参数含有无效数值");
    }
    if (!SAFETYGRADES.contains(d.grade))
        return tr("设计参数的边坡安全等级须为一级、二级或三级");
    if (d.permanent != 0 && d.permanent != 1)
        return tr("设计参数的锚固类别须为永久或临时");
    if (!(d.gamma0 > 0.0 && d.gamma0 <= 3.0))
        return tr("设计参数的结构重要性系数γ0须大于0且不大于3");
    if (!(d.gammaF > 0.0 && d.gammaF <= 3.0))
        return tr("设计参数的荷载分项系数γF须大于0且不大于3");
    if (!REBARGRADES.contains(d.rebarMain))
        return tr("设计参数的纵筋等级须为335、400或500");
    if (!STIRRUPGRADES.contains(d.rebarStirrup))
        return tr("设计参数的箍筋等级须为300、335或400");
    if (!REBARGRADES.contains(d.anchorBar))
        return tr("设计参数的锚杆钢筋等级须为335、400或500");
    if (!GROUTGRADES.contains(d.grout))
        return tr("设计参数的注浆体等级须为M25、M30或M35");
    if (!positive(d.rebarDiam) || !positive(d.stirrupDiam) || d.legs <= 0)
        return tr("设计参数的钢筋直径、箍筋直径和箍筋肢数必须大于0");
    if (!positive(d.as))
        return tr("设计参数的as必须大于0");
    if (!positive(d.kh) || !positive(d.eta) || !positive(d.fpy))
        return tr("设计参数的K_H、η和fpy必须大于0");
    if (!positive(d.limitTop) || !positive(d.limitTopRatio) || !positive(d.limitSlip))
        return tr("设计参数的位移限值必须大于0");
    return {};
}

QString DesignRules::sectionProblem(const DesignInfo &design, const PileInfo &front,
    const PileInfo &back, const LinkBeamInfo &beam, bool doubleRow)
{
    const auto tooLarge = [&design](double depth) { return !(design.as < 0.5 * depth); };
    if (tooLarge(sectionDepth(front)) || (doubleRow && tooLarge(sectionDepth(back))))
        return tr("设计参数的as须小于桩截面高度的一半");
    if (doubleRow && tooLarge(beam.height))
        return tr("设计参数的as须小于横梁截面高度的一半");
    return {};
}
