#include "results/reportdesign.h"

#include "engine/results.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

// A computed value with `decimals`; "—" for a value that is no number, so
// that nothing unprintable reaches the page.
QString fixed(double v, int decimals = 1)
{
    return std::isfinite(v) ? fixedText(v, decimals) : QStringLiteral("—");
}

// A value of the design data as it was entered.
QString entered(double v)
{
    return std::isfinite(v) ? QString::number(v, 'f', QLocale::FloatingPointShortest)
                            : QStringLiteral("—");
}

// Demand over capacity, two decimals; "—" without a capacity.
QString ratio(double demand, double capacity)
{
    return capacity > 0.0 ? fixed(demand / capacity, 2) : QStringLiteral("—");
}

class Chapter
{
    Q_DECLARE_TR_FUNCTIONS(DesignChapter)

public:
    explicit Chapter(const DesignResult &r)
        : m_r(r)
        , m_d(r.design)
    { }

    QList<ReportBlock> blocks(int number)
    {
        QList<ReportBlock> out;
        out << ReportBlock::heading(tr("%1 设计验算").arg(number), 1);
        if (!m_r.valid) {
            out << ReportBlock::paragraph(DesignChapter::conclusion(m_r));
            return out;
        }
        int sub = 0;
        const auto subheading = [&](const QString &text) {
            out << ReportBlock::heading(tr("%1.%2 %3").arg(number).arg(++sub).arg(text), 2);
        };
        out << ReportBlock::paragraph(
            tr("设计弯矩及剪力取分析所得标准值乘以γ0·γF（每根桩）；比值为需要值与可用值之比，"
               "不大于1为满足。"));
        subheading(tr("设计参数"));
        out << ReportBlock::ofTable(parameterTable());
        subheading(tr("正截面受弯承载力"));
        out << ReportBlock::ofTable(flexureTable());
        subheading(tr("斜截面受剪承载力"));
        out << ReportBlock::ofTable(shearTable());
        if (std::any_of(m_r.members.cbegin(), m_r.members.cend(),
                [](const MemberCheck &m) { return m.pile; })) {
            subheading(tr("桩身位移"));
            out << ReportBlock::ofTable(displacementTable());
            subheading(tr("嵌固段侧向承载力"));
            out << ReportBlock::ofTable(bearingTable());
        }
        if (!m_r.anchors.isEmpty()) {
            subheading(tr("锚索(杆)"));
            out << ReportBlock::ofTable(tendonTable()) << ReportBlock::ofTable(bondTable());
        }
        out << ReportBlock::paragraph(tr("结论：%1").arg(DesignChapter::conclusion(m_r)));
        return out;
    }

private:
    QString member(const MemberCheck &m) const { return DesignText::member(m, m_r.doubleRow); }

    ReportTable parameterTable() const
    {
        ReportTable t;
        t.caption = tr("设计参数");
        t.header = QStringList {tr("项目"), tr("数值")};
        t.numeric = {false, false};
        const auto row = [&t](const QString &name, const QString &value) {
            t.rows.append({name, value});
        };
        const DesignInfo &d = m_d;
        row(tr("边坡工程安全等级"), DesignRules::safetyGrade(d.grade));
        row(tr("锚杆(索)使用类别"), DesignRules::service(d.permanent));
        row(tr("结构重要性系数γ0"), entered(d.gamma0));
        row(tr("荷载分项系数γF"), entered(d.gammaF));
        row(tr("设计值系数γ0·γF"), fixed(m_r.factor, 3));
        row(tr("纵筋"),
            tr("%1，fy=%2MPa，Φ%3")
                .arg(DesignRules::rebarGrade(d.rebarMain), entered(rebarStrength(d.rebarMain)),
                    entered(d.rebarDiam)));
        row(tr("箍筋"),
            tr("%1，fyv=%2MPa，Φ%3，矩形截面%4肢（圆形截面按2肢）")
                .arg(DesignRules::rebarGrade(d.rebarStirrup),
                    entered(rebarStrength(d.rebarStirrup)), entered(d.stirrupDiam))
                .arg(d.legs));
        row(tr("纵筋合力点至受拉边缘as(m)"), entered(d.as));
        row(tr("钢筋弹性模量Es(MPa)、α1、εcu"),
            tr("%1、%2、%3")
                .arg(entered(STEELMODULUS), entered(ALPHA1), entered(CONCRETEULTIMATESTRAIN)));
        for (const MemberCheck &m : m_r.members)
            row(tr("%1混凝土").arg(member(m)),
                tr("%1，fc=%2MPa，ft=%3MPa")
                    .arg(CodeText::grade(m.grade), entered(m.concrete.fc), entered(m.concrete.ft)));
        row(tr("岩石侧向抗力系数K_H、折减系数η"), tr("%1、%2").arg(entered(d.kh), entered(d.eta)));
        if (!m_r.anchors.isEmpty()) {
            const bool permanent = d.permanent != 0;
            row(tr("钢绞线强度设计值fpy(MPa)"), entered(d.fpy));
            row(tr("锚杆钢筋"),
                tr("%1，fy=%2MPa")
                    .arg(
                        DesignRules::rebarGrade(d.anchorBar), entered(rebarStrength(d.anchorBar))));
            row(tr("注浆体"),
                tr("%1，与钢筋粘结fb=%2MPa，与钢绞线粘结fb=%3MPa")
                    .arg(DesignRules::groutGrade(d.grout),
                        fixed(groutBondStrength(false, d.grout), 2),
                        fixed(groutBondStrength(true, d.grout), 2)));
            row(tr("锚杆(索)安全系数"),
                tr("杆体抗拉Kb=%1，锚固体抗拔K=%2")
                    .arg(entered(tendonSafetyFactor(permanent, d.grade)),
                        entered(bondSafetyFactor(permanent, d.grade))));
        }
        row(tr("桩顶位移限值（工程自定）"),
            tr("min(%1×滑面以上桩长, %2m)").arg(entered(d.limitTopRatio), entered(d.limitTop)));
        row(tr("滑面处位移限值（工程自定）"), tr("%1m").arg(entered(d.limitSlip)));
        return t;
    }

    ReportTable flexureTable() const
    {
        ReportTable t;
        t.caption = tr("正截面受弯承载力（矩形截面GB 50010-2010第6.2.10条，圆形截面附录E.0.4，"
                       "最小配筋率第8.5.1条）");
        t.header = QStringList {tr("构件"), tr("截面(m)"), tr("弯矩\n方向"), tr("Md\n(kN·m)"),
            tr("计算参数"), tr("As\n(mm²)"), tr("As,min\n(mm²)"), tr("实配"), tr("实配As\n(mm²)"),
            tr("比值"), tr("结论")};
        t.numeric = {false, false, false, true, false, true, true, false, true, true, false};
        const double one = M_PI * m_d.rebarDiam * m_d.rebarDiam / 4.0;
        for (const MemberCheck &m : m_r.members) {
            const QString section = m.round ? tr("D=%1").arg(entered(m.b))
                                            : tr("b×h=%1×%2").arg(entered(m.b), entered(m.h));
            for (const FlexureCheck &f : m.flexure) {
                const FlexureDesign &fd = f.design;
                const double need = std::max(fd.asRequired, fd.asMin);
                QString params;
                QString bars;
                QString provided;
                QString share;
                if (m.round) {
                    params = tr("α=%1").arg(fixed(fd.alpha, 4));
                } else if (fd.alphaS >= 0.5) {
                    params = tr("αs=%1≥0.5").arg(fixed(fd.alphaS, 3));
                } else {
                    params = tr("αs=%1，ξ=%2，ξb=%3")
                                 .arg(fixed(fd.alphaS, 3), fixed(fd.xi, 3), fixed(fd.xiB, 3));
                }
                if (!fd.tooSmall) {
                    bars = tr("%1Φ%2").arg(fd.bars).arg(entered(m_d.rebarDiam));
                    provided = fixed(fd.bars * one, 0);
                    share = ratio(need, fd.bars * one);
                } else if (m.round) {
                    bars = tr("超过5%A，截面过小");
                    provided = tr("5%A=%1").arg(fixed(0.05 * fd.area, 0));
                    share = ratio(need, 0.05 * fd.area);
                } else {
                    bars = tr("截面过小，单筋截面不足");
                    provided = tr("—");
                    share = fd.alphaS >= 0.5 ? ratio(fd.alphaS, 0.5) : ratio(fd.xi, fd.xiB);
                }
                t.rows.append({member(m), section, f.sign, fixed(fd.Md), params,
                    fd.alphaS >= 0.5 && !m.round ? tr("—") : fixed(fd.asRequired, 0),
                    fixed(fd.asMin, 0), bars, provided, share, DesignText::verdict(fd.ok)});
            }
        }
        t.note = tr("矩形截面：αs=Md/(α1·fc·b·h0²)，ξ=1−√(1−2αs)，ξb=0.8/(1+fy/(Es·εcu))，"
                    "As=α1·fc·b·ξ·h0/fy，h0=h−as；αs≥0.5或ξ>ξb时截面过小，比值为αs/0.5或ξ/ξb。"
                    "圆形截面（周边均匀配筋，不计轴力）：按Mu(α)=Md二分求α，As=As(α)，"
                    "纵筋超过5%A时截面过小。As,min=max(0.20%, 0.45ft/fy)×截面面积；"
                    "比值为max(As, As,min)与实配面积之比。");
        return t;
    }

    ReportTable shearTable() const
    {
        ReportTable t;
        t.caption = tr("斜截面受剪承载力（截面限制GB 50010-2010第6.3.1条，箍筋第6.3.4条，"
                       "圆形截面第6.3.15条）");
        t.header = QStringList {tr("构件"), tr("b\n(mm)"), tr("h0\n(mm)"), tr("β"), tr("Vd\n(kN)"),
            tr("Vu=β·fc·b·h0\n(kN)"), tr("比值\nVd/Vu"), tr("Vc=0.7ft·b·h0\n(kN)"),
            tr("Asv/s\n(mm²/m)"), tr("箍筋"), tr("结论")};
        t.numeric = {false, true, true, true, true, true, true, true, true, false, false};
        for (const MemberCheck &m : m_r.members) {
            const ShearDesign &s = m.shear;
            const int legs = m.round ? 2 : m_d.legs;
            const QString stirrups = s.spacing > 0.0
                ? tr("%1肢Φ%2@%3").arg(legs).arg(entered(m_d.stirrupDiam), fixed(s.spacing, 0))
                : tr("—");
            t.rows.append({member(m), fixed(s.b * 1000.0, 0), fixed(s.h0 * 1000.0, 0),
                fixed(s.beta, 3), fixed(s.Vd), fixed(s.Vlimit), ratio(s.Vd, s.Vlimit), fixed(s.Vc),
                fixed(s.asvPerMetre), stirrups, DesignText::verdict(s.ok)});
        }
        t.note = tr("圆形截面取b=1.76r，h0=1.6r；β在h0/b≤4时取0.25，≥6时取0.20，其间线性插值。"
                    "Asv/s=max((Vd−Vc)/(fyv·h0), 0.24ft/fyv·b)，箍筋间距向下取10mm的整数倍。");
        return t;
    }

    ReportTable displacementTable() const
    {
        ReportTable t;
        t.caption = tr("桩身位移（限值为工程自定）");
        t.header = QStringList {tr("构件"), tr("位置"), tr("位移(mm)"), tr("限值(mm)"), tr("比值"),
            tr("限值取法"), tr("结论")};
        t.numeric = {false, false, true, true, true, false, false};
        for (const MemberCheck &m : m_r.members) {
            if (!m.pile)
                continue;
            const DisplacementCheck &d = m.displacement;
            t.rows.append({member(m), tr("桩顶"), fixed(d.top * 1000.0), fixed(d.topLimit * 1000.0),
                ratio(d.top, d.topLimit),
                tr("min(%1×%2m, %3m)")
                    .arg(
                        entered(m_d.limitTopRatio), fixed(d.lengthAbove, 2), entered(m_d.limitTop)),
                DesignText::verdict(d.topOk())});
            if (d.slipFound)
                t.rows.append({member(m), tr("滑面处"), fixed(d.slip * 1000.0),
                    fixed(d.slipLimit * 1000.0), ratio(d.slip, d.slipLimit), tr("滑面处位移限值"),
                    DesignText::verdict(d.slipOk())});
            else
                t.rows.append({member(m), tr("滑面处"), tr("—"), fixed(d.slipLimit * 1000.0),
                    tr("—"), tr("滑面处无节点，无法验算"), DesignText::verdict(false)});
        }
        t.note = tr("位移取绝对值；滑面以上桩长为桩顶至滑面的距离。");
        return t;
    }

    ReportTable bearingTable() const
    {
        ReportTable t;
        t.caption = tr("嵌固段侧向承载力（GB 50330-2013第13.2.8条）");
        t.header = QStringList {tr("构件"), tr("h2\n(m)"), tr("y\n(m)"), tr("岩土层"),
            tr("σ\n(kPa)"), tr("允许值\n(kPa)"), tr("比值"), tr("计算参数"), tr("结论")};
        t.numeric = {false, true, true, false, true, true, true, false, false};
        for (const MemberCheck &m : m_r.members) {
            for (const BearingCheck &b : m.bearing) {
                QString params;
                if (b.rock)
                    params = tr("岩层 frk=%1").arg(entered(b.frk));
                else
                    params = tr("γ2=%1 φ0=%2° γ1=%3 h1=%4")
                                 .arg(entered(b.gamma2), entered(b.phi0), fixed(b.gamma1, 2),
                                     fixed(b.h1, 2));
                const bool usable = b.rock || b.evaluable;
                t.rows.append({member(m), fixed(m.embedded, 2), fixed(b.depth, 2), b.layerName,
                    fixed(b.sigma), fixed(b.allowable),
                    usable ? ratio(b.sigma, b.allowable) : tr("f_H≤0，无法验算"), params,
                    DesignText::verdict(b.ok)});
            }
        }
        if (t.rows.isEmpty())
            t.note = tr("无嵌固段验算点。");
        else
            t.note = tr("h2为嵌固段长度，y自滑面向下；σ为该深度土反力的绝对值；γ以kN/m³、h1以m、"
                        "frk以kPa计。土层在y=h2/3及y=h2处验算："
                        "f_H=4γ2·y·tanφ0/cosφ0−γ1·h1·(1−sinφ0)/(1+sinφ0)，h1为滑面深度，"
                        "γ1为滑面以上各层按厚度加权的重度；岩层取该层各节点中σ/(K_H·η·frk)"
                        "最大者。");
        return t;
    }

    // The tendons of each anchor: Kb·Nak/(f·A1) against the tendon count.
    ReportTable tendonTable() const
    {
        ReportTable t;
        t.caption = tr("锚索(杆)杆体抗拉（GB 50330-2013第8.2.2条）");
        t.header = QStringList {tr("序号"), tr("杆体"), tr("f\n(MPa)"), tr("A1\n(mm²)"),
            tr("Nak\n(kN)"), tr("Kb"), tr("需要\n根数"), tr("实配\n根数"), tr("比值"), tr("结论")};
        t.numeric = {true, false, true, true, true, true, true, true, true, false};
        for (const AnchorCheck &a : m_r.anchors) {
            const AnchorDesign &ad = a.design;
            const bool ok = ad.evaluable && ad.tendonsRequired <= ad.tendons;
            t.rows.append({QString::number(a.number),
                tr("%1Φ%2%3")
                    .arg(ad.tendons)
                    .arg(entered(a.diameter), CodeText::anchorKind(a.anchorType)),
                entered(a.strength), fixed(a.tendonArea, 1), fixed(ad.Nak), entered(a.Kb),
                ad.evaluable ? fixed(ad.tendonsRequired, 2) : tr("—"), QString::number(ad.tendons),
                ad.evaluable ? ratio(ad.tendonsRequired, ad.tendons) : tr("无法验算"),
                DesignText::verdict(ok)});
        }
        t.note = tr("Nak为锚索(杆)轴向拉力标准值（预加力加沿轴向的伸长），受压时取0；"
                    "需要根数=Kb·Nak/(f·A1)，f为钢绞线fpy或锚杆钢筋fy。");
        return t;
    }

    // The bond length of each anchor, against the ground and the tendon.
    ReportTable bondTable() const
    {
        ReportTable t;
        t.caption = tr("锚索(杆)锚固段长度（GB 50330-2013第8.2.3、8.2.4条）");
        t.header = QStringList {tr("序号"), tr("Nak\n(kN)"), tr("K"), tr("Dc\n(mm)"),
            tr("frbk\n(kPa)"), tr("fb\n(MPa)"), tr("按地层\n(m)"), tr("按杆体\n(m)"),
            tr("实有\n(m)"), tr("比值"), tr("结论")};
        t.numeric = {true, true, true, true, true, true, true, true, true, true, false};
        for (const AnchorCheck &a : m_r.anchors) {
            const AnchorDesign &ad = a.design;
            const bool ok = ad.evaluable && ad.bondRequired <= ad.bond;
            t.rows.append({QString::number(a.number), fixed(ad.Nak), entered(a.K),
                fixed(a.Dc * 1000.0, 0), entered(a.frbk), fixed(a.fb, 2),
                ad.evaluable ? fixed(ad.bondGround, 2) : tr("—"),
                ad.evaluable ? fixed(ad.bondTendon, 2) : tr("—"), entered(ad.bond),
                ad.evaluable ? ratio(ad.bondRequired, ad.bond) : tr("无法验算"),
                DesignText::verdict(ok)});
        }
        t.note = tr("按地层K·Nak/(π·Dc·frbk)，按杆体K·Nak/(n·π·d·fb)，n为杆体根数，d为其直径；"
                    "锚固段长度取两者的较大者。一根锚索(杆)两项均满足时方为满足。");
        return t;
    }

    const DesignResult &m_r;
    const DesignInfo &m_d;
};

} // namespace

QList<ReportBlock> DesignChapter::blocks(const DesignResult &result, int number)
{
    return Chapter(result).blocks(number);
}

QString DesignChapter::conclusion(const DesignResult &result)
{
    if (!result.valid)
        return tr("设计验算无法进行：%1")
            .arg(result.problem.isEmpty() ? tr("项目没有有效的计算结果") : result.problem);
    const int checks = int(DesignText::lines(result).size());
    const int failed = result.failures();
    if (failed == 0)
        return tr("共%1项验算，全部满足").arg(checks);
    return tr("共%1项验算，%2项不满足").arg(checks).arg(failed);
}
