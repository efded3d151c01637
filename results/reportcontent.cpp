#include "results/reportcontent.h"

#include "buildinfo.h"
#include "engine/analyse.h"
#include "engine/model.h"
#include "engine/results.h"
#include "model/geometry.h"
#include "results/reportdesign.h"
#include "results/studychapter.h"

#include <QLocale>

namespace {

// A value of the input as it was entered: the shortest fixed form.
QString num(double v)
{
    QString text = QString::number(v, 'f', QLocale::FloatingPointShortest);
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text;
}

// Depths and elevations: centimetres.
QString metres(double v)
{
    return fixedText(v, 2);
}

// The columns of a table: the first `text` are words, the rest numbers.
QList<bool> numericFrom(int text, int count)
{
    QList<bool> numeric;
    for (int n = 0; n < count; ++n)
        numeric.append(n >= text);
    return numeric;
}

ReportBlock figure(const QString &caption, qint32 status)
{
    ReportBlock b;
    b.kind = ReportBlock::Figure;
    b.text = caption;
    b.status = status;
    return b;
}

} // namespace

QStringList ReportContent::sections() const
{
    QStringList list;
    for (const ReportBlock &b : blocks) {
        if (b.kind == ReportBlock::Heading && b.level == 1)
            list.append(b.text);
    }
    return list;
}

QString ReportBuilder::noResults()
{
    return tr("项目没有有效的计算结果，请先进行分析。");
}

QString ReportBuilder::pileName(const PileResult &pile, bool doubleRow)
{
    return CodeText::carrier(pile.object, doubleRow ? DOUBLEROW : SINGLEROW);
}

namespace {

class Builder
{
    Q_DECLARE_TR_FUNCTIONS(ReportBuilder)

public:
    Builder(const Project &doc, const AnalysisResult &result)
        : m_doc(doc)
        , m_result(result)
    {
        // The input as the analysis reads it.
        copyInputAfresh(doc, m_input);
        m_doubleRow = isDoubleRow(m_input.base);
        m_design = designChecks(doc);
    }

    const DesignResult &design() const { return m_design; }

    void build(ReportContent &c, const StudyReport *study)
    {
        c.blocks << ReportBlock::heading(tr("1 基本信息")) << ReportBlock::ofTable(baseTable());
        c.blocks << ReportBlock::heading(tr("2 抗滑桩")) << ReportBlock::ofTable(pileTable());
        if (m_doubleRow)
            c.blocks << ReportBlock::ofTable(linkBeamTable());
        c.blocks << ReportBlock::heading(tr("3 岩土层")) << ReportBlock::ofTable(soilTable());
        c.blocks << ReportBlock::heading(tr("4 锚索(杆)")) << ReportBlock::ofTable(anchorTable());
        c.blocks << ReportBlock::heading(tr("5 作用力"));
        c.blocks << ReportBlock::heading(tr("5.1 滑坡推力及桩前抗力"), 2)
                 << ReportBlock::ofTable(baseForceTable());
        c.blocks << ReportBlock::heading(tr("5.2 附加作用力"), 2)
                 << ReportBlock::ofTable(forceTable());

        c.blocks << ReportBlock::heading(tr("6 计算简图"));
        c.blocks << figure(tr("结构简图（作用力以每延米计：集中力kN，均布力kN/m，力矩kN*m）"),
            SHOWDATA | SHOWMARK);
        c.blocks << figure(tr("计算模型（弹簧刚度kN/m，作用力以每根桩计）"), SHOWRESULT | SHOWMARK);

        c.blocks << ReportBlock::heading(tr("7 计算结果"));
        c.blocks << ReportBlock::heading(tr("7.1 结果图"), 2);
        c.blocks << figure(tr("位移图（mm）"), SHOWRESULT | SHOWMARK | SHOWDISPLACE);
        c.blocks << figure(tr("弯矩图（kN*m）"), SHOWRESULT | SHOWMARK | SHOWMOMENT);
        c.blocks << figure(tr("剪力图（kN）"), SHOWRESULT | SHOWMARK | SHOWSHEAR);
        c.blocks << figure(tr("轴力图（kN）"), SHOWRESULT | SHOWMARK | SHOWNORMAL);
        c.blocks << figure(tr("反力图（土及桩间土反力kPa，锚索(杆)及桩底反力kN）"),
            SHOWRESULT | SHOWMARK | SHOWREACT);

        c.blocks << ReportBlock::heading(tr("7.2 桩身各节点结果"), 2);
        c.blocks << ReportBlock::paragraph(
            tr("深度自桩顶算起。位移向坡体一侧（x正向）为正。节点处内力有突变时（集中力、"
               "力矩、锚索(杆)、滑面处），表中为节点下方截面的值；极值统计包括节点上下两侧。"));
        for (const PileResult &pile : m_result.piles)
            c.blocks << ReportBlock::ofTable(stationTable(pile));

        c.blocks << ReportBlock::heading(tr("7.3 桩身内力及位移极值"), 2);
        for (const PileResult &pile : m_result.piles)
            c.blocks << ReportBlock::ofTable(extremeTable(pile));

        c.blocks << ReportBlock::heading(tr("7.4 锚索(杆)内力"), 2)
                 << ReportBlock::ofTable(anchorForceTable());

        c.blocks << DesignChapter::blocks(m_design, 8);

        int chapter = 9;
        if (study)
            c.blocks << StudyChapter::blocks(*study, chapter++);
        c.blocks << ReportBlock::heading(tr("%1 计算日志").arg(chapter));
        ReportBlock log;
        log.kind = ReportBlock::Lines;
        log.lines = m_result.log;
        c.blocks << log;
    }

private:
    QString yesNo(bool v) const { return v ? tr("是") : tr("否"); }

    ReportTable baseTable() const
    {
        const BaseInfo &b = m_input.base;
        ReportTable t;
        t.caption = tr("基本信息");
        t.header = QStringList {tr("项目"), tr("数值")};
        t.numeric = {false, false};
        const auto row = [&t](const QString &name, const QString &value) {
            t.rows.append({name, value});
        };
        row(tr("项目名称"), b.ProjectName);
        row(tr("支护形式"), CodeText::pileForm(b.PileForm));
        if (m_doubleRow) {
            row(tr("前桩处滑面深度(m)"), num(b.slideFrontH));
            row(tr("后桩处滑面深度(m)"), num(b.slideBackH));
        } else {
            row(tr("滑面深度(m)"), num(b.slideBackH));
        }
        row(tr("桩前开挖深度(m)"), num(b.cutH));
        // The thrust is held negative (towards the excavation) and entered positive.
        row(tr("滑坡推力(kN/m)"), num(-b.aforce));
        row(tr("桩前抗力(kN/m)"), num(b.pforce));
        QString shape = CodeText::distribution(b.shape);
        if (b.shape == DISTTRAPEZOID)
            shape = tr("%1（顶底强度比%2）").arg(shape, num(b.ratio));
        row(tr("推力及抗力分布形式"), shape);
        row(tr("桩中心间距(m)"), num(b.space));
        if (m_doubleRow) {
            row(tr("前后桩中心距(m)"), num(b.row));
            row(tr("前桩顶高出后桩顶(m)"), num(b.dpel));
            row(tr("双排桩计算方式"), CodeText::interaction(b.interact));
        }
        row(tr("桩身刚度折减系数"),
            tr("%1%").arg(QString::number(double(b.reduceE) * 100.0, 'g', 4)));
        row(tr("计入桩身自重"), yesNo(b.weight));
        const bool freeBottom = m_input.frontPile.support == SUPPORTFREE
            || (m_doubleRow && m_input.backPile.support == SUPPORTFREE);
        if (freeBottom)
            row(tr("桩底地基系数比m/m₀"), num(b.mRatio));
        row(tr("计算单元长度(m)"), num(m_doc.base.dl));
        return t;
    }

    QStringList pileColumn(const PileInfo &p) const
    {
        const QString size = p.shp == SECTROUND ? tr("D=%1").arg(num(p.diameter))
                                                : tr("H×W=%1×%2").arg(num(p.height), num(p.width));
        return {num(p.length), CodeText::section(p.shp), size, fixedText(p.area, 4),
            fixedText(p.I, 4), CodeText::grade(p.grade), fixedText(p.E / 1000.0, 0),
            fixedText(p.b0, 3), metres(p.topYg), metres(p.bottomYg), CodeText::support(p.support)};
    }

    ReportTable pileTable() const
    {
        ReportTable t;
        t.caption = tr("桩身参数");
        const QStringList names {tr("桩长(m)"), tr("截面形式"), tr("截面尺寸(m)"),
            tr("截面面积(m²)"), tr("截面惯性矩(m⁴)"), tr("混凝土等级"), tr("弹性模量(MPa)"),
            tr("计算宽度b₀(m)"), tr("桩顶标高(m)"), tr("桩底标高(m)"), tr("桩底支承")};
        const QStringList front = pileColumn(m_input.frontPile);
        const QStringList back = pileColumn(m_input.backPile);
        t.header = QStringList {tr("项目"), CodeText::carrier(OBJPILE, m_input.base.PileForm)};
        if (m_doubleRow)
            t.header << CodeText::carrier(OBJBACKPILE, DOUBLEROW);
        for (int n = 0; n < names.size(); ++n) {
            QStringList row {names[n], front[n]};
            if (m_doubleRow)
                row << back[n];
            t.rows.append(row);
        }
        t.numeric = QList<bool>(t.header.size(), false);
        t.note = tr("弹性模量已按刚度折减系数折减。");
        return t;
    }

    ReportTable linkBeamTable() const
    {
        const LinkBeamInfo &beam = m_input.linkBeam;
        ReportTable t;
        t.caption = tr("连梁参数");
        t.header = QStringList {tr("项目"), tr("数值")};
        t.numeric = {false, false};
        t.rows = {{tr("长度(m)"), num(beam.length)},
            {tr("截面尺寸(m)"), tr("H×W=%1×%2").arg(num(beam.height), num(beam.width))},
            {tr("截面面积(m²)"), fixedText(beam.area, 4)},
            {tr("截面惯性矩(m⁴)"), fixedText(beam.I, 4)},
            {tr("混凝土等级"), CodeText::grade(beam.grade)},
            {tr("弹性模量(MPa)"), fixedText(beam.E / 1000.0, 0)},
            {tr("标高(m)"), metres(beam.leftYg)}};
        return t;
    }

    ReportTable soilTable() const
    {
        ReportTable t;
        t.caption = tr("岩土层参数");
        t.header = QStringList {tr("序号"), tr("名称"), tr("厚度(m)"), tr("层底标高(m)"),
            tr("重度γ(kN/m³)"), tr("黏聚力c(kPa)"), tr("内摩擦角φ(°)"), tr("压缩模量Es(MPa)"),
            tr("计算方法"), tr("m(MN/m⁴)"), tr("K(MN/m³)")};
        t.numeric = {true, false, true, true, true, true, true, true, false, true, true};
        const QString none = tr("—");
        for (int n = 0; n < m_input.soils.size(); ++n) {
            const SoilInfo &s = m_input.soils[n];
            const bool m = s.type == METHODM;
            t.rows.append({QString::number(n + 1), s.Name, num(s.thickness), metres(s.bottomY),
                num(s.r), num(s.c), num(s.fi), num(s.Es / 1000.0), CodeText::method(s.type),
                m ? num(s.m / 1000.0) : none, m ? none : num(s.k / 1000.0)});
        }
        return t;
    }

    ReportTable anchorTable() const
    {
        ReportTable t;
        t.caption = tr("锚索(杆)参数");
        t.header = QStringList {tr("序号"), tr("位置"), tr("类型"), tr("钢材"), tr("锚固段地层"),
            tr("距桩顶或梁端(m)"), tr("倾角(°)"), tr("自由段长(m)"), tr("锚固段长(m)"),
            tr("锚固体直径(mm)"), tr("预应力(kN)"), tr("水平刚度Kh(kN/m)"), tr("竖向刚度Kv(kN/m)")};
        t.numeric = {
            true, false, false, false, false, true, true, true, true, true, true, true, true};
        int skipped = 0;
        for (int n = 0; n < m_input.anchors.size(); ++n) {
            const AnchorInfo &a = m_input.anchors[n];
            if (!takesPart(m_input.base, a.object)) {
                ++skipped;
                continue;
            }
            const QString steel = a.anchorType == ANCHORCABLE
                ? tr("%1×Φ%2钢绞线").arg(a.cableNum).arg(num(a.cableDiam))
                : tr("%1×Φ%2钢筋").arg(a.rodNum).arg(num(a.rodDiam));
            t.rows.append(
                {QString::number(n + 1), CodeText::carrier(a.object, m_input.base.PileForm),
                    CodeText::anchorType(a.anchorType), steel, CodeText::bond(a.soilType),
                    num(a.distance), num(a.angle), num(a.lf), num(a.la), num(a.Dc * 1000.0),
                    num(a.preforce), oneDecimal(a.kh), oneDecimal(a.kv)});
        }
        if (t.rows.isEmpty())
            t.note = tr("无锚索(杆)。");
        if (skipped > 0)
            t.note = tr("单排桩只计算抗滑桩上的锚索(杆)，后桩及横梁上的%1根未列出。").arg(skipped);
        return t;
    }

    // Thrust entries come first in the derived loads: as many as the same
    // project derives without a resistance.
    int thrustEntries() const
    {
        Project thrustOnly;
        copyInputAfresh(m_input, thrustOnly);
        thrustOnly.base.pforce = 0.0;
        thrustOnly.updateBaseData();
        return int(thrustOnly.BaseForces.size());
    }

    ReportTable baseForceTable() const
    {
        ReportTable t;
        t.caption = tr("滑坡推力及桩前抗力");
        t.header = QStringList {tr("序号"), tr("荷载"), tr("位置"), tr("起点标高(m)"),
            tr("终点标高(m)"), tr("起点强度q1(kN/m)"), tr("终点强度q2(kN/m)"), tr("每桩q1(kN/m)"),
            tr("每桩q2(kN/m)")};
        t.numeric = {true, false, false, true, true, true, true, true, true};
        const int thrust = thrustEntries();
        for (int n = 0; n < m_input.BaseForces.size(); ++n) {
            const ForceInfo &f = m_input.BaseForces[n];
            t.rows.append({QString::number(n + 1), n < thrust ? tr("滑坡推力") : tr("桩前抗力"),
                CodeText::carrier(f.object, m_input.base.PileForm), metres(f.y1g), metres(f.y2g),
                oneDecimal(f.q1), oneDecimal(f.q2), oneDecimal(f.q1g), oneDecimal(f.q2g)});
        }
        t.note = m_input.BaseForces.isEmpty()
            ? tr("无滑坡推力及桩前抗力。")
            : tr("由滑坡推力及桩前抗力按分布形式生成的分布力，q以每延米坡宽计，"
                 "每桩值为q乘以桩中心间距；正值指向坡体一侧（x正向）。");
        return t;
    }

    ReportTable forceTable() const
    {
        ReportTable t;
        t.caption = tr("附加作用力");
        t.header = QStringList {tr("序号"), tr("类型"), tr("位置"), tr("方向"),
            tr("距桩顶或梁端(m)"), tr("作用长度(m)"), tr("数值(每延米)"), tr("数值(每桩)")};
        t.numeric = {true, false, false, false, true, true, false, false};
        int skipped = 0;
        for (int n = 0; n < m_input.AddForces.size(); ++n) {
            const ForceInfo &f = m_input.AddForces[n];
            if (!takesPart(m_input.base, f.object)) {
                ++skipped;
                continue;
            }
            QString perMetre;
            QString perPile;
            QString length = tr("—");
            switch (f.type) {
            case LOADPNT:
                perMetre = tr("F=%1kN/m").arg(num(f.F));
                perPile = tr("F=%1kN").arg(oneDecimal(f.Fg));
                break;
            case LOADMOMENT:
                perMetre = tr("M=%1kN*m/m").arg(num(f.M));
                perPile = tr("M=%1kN*m").arg(oneDecimal(f.Mg));
                break;
            case LOADDIST:
                perMetre = tr("q1=%1, q2=%2kN/m").arg(num(f.q1), num(f.q2));
                perPile = tr("q1=%1, q2=%2kN/m").arg(oneDecimal(f.q1g), oneDecimal(f.q2g));
                length = num(f.length);
                break;
            default: break;
            }
            t.rows.append({QString::number(n + 1), CodeText::load(f.type),
                CodeText::carrier(f.object, m_input.base.PileForm),
                CodeText::direction(f.direction), num(f.distance), length, perMetre, perPile});
        }
        if (t.rows.isEmpty())
            t.note = tr("无附加作用力。");
        if (skipped > 0)
            t.note = tr("单排桩只计算抗滑桩上的作用力，后桩及横梁上的%1项未列出。").arg(skipped);
        return t;
    }

    ReportTable stationTable(const PileResult &pile) const
    {
        ReportTable whole = ReportBuilder::nodeTable(onePile(pile));
        ReportTable t;
        t.caption = tr("%1各节点结果").arg(ReportBuilder::pileName(pile, m_doubleRow));
        // The pile column of the joined table is left out.
        t.header = whole.header.mid(1);
        t.numeric = whole.numeric.mid(1);
        for (const QStringList &row : whole.rows)
            t.rows.append(row.mid(1));
        return t;
    }

    AnalysisResult onePile(const PileResult &pile) const
    {
        AnalysisResult r = m_result;
        r.piles = {pile};
        return r;
    }

    ReportTable extremeTable(const PileResult &pile) const
    {
        ReportTable t;
        t.caption = tr("%1极值").arg(ReportBuilder::pileName(pile, m_doubleRow));
        t.header =
            QStringList {tr("项目"), tr("最大值"), tr("深度(m)"), tr("最小值"), tr("深度(m)")};
        t.numeric = {false, true, true, true, true};
        const auto depth = [](const ExtremeAt &x) { return x.found ? metres(x.depth) : tr("—"); };
        const auto row = [&](const QString &name, const ExtremeAt &max, const ExtremeAt &min,
                             double factor) {
            t.rows.append({name, oneDecimal(max.value * factor), depth(max),
                oneDecimal(min.value * factor), depth(min)});
        };
        row(tr("位移(mm)"), pile.max.D, pile.min.D, 1000.0);
        row(tr("弯矩(kN*m)"), pile.max.M, pile.min.M, 1.0);
        row(tr("剪力(kN)"), pile.max.Q, pile.min.Q, 1.0);
        row(m_result.betweenRows ? tr("土反力及桩间土压力(kPa)") : tr("土反力(kPa)"), pile.max.R,
            pile.min.R, 1.0);
        t.note = tr("最大值不小于0，最小值不大于0；深度自桩顶算起。");
        return t;
    }

    ReportTable anchorForceTable() const
    {
        ReportTable t;
        t.caption = tr("锚索(杆)内力");
        t.header = QStringList {tr("序号"), tr("位置"), tr("锚头标高(m)"), tr("倾角(°)"),
            tr("预应力(kN)"), tr("水平力(kN)"), tr("竖向力(kN)"), tr("轴力(kN)")};
        t.numeric = {true, false, true, true, true, true, true, true};
        for (const AnchorResult &a : m_result.anchors) {
            t.rows.append(
                {QString::number(a.number), CodeText::carrier(a.object, m_input.base.PileForm),
                    metres(a.headElevation), num(a.angle), num(a.preforce), oneDecimal(a.forceH),
                    oneDecimal(a.forceV), oneDecimal(a.axialForce)});
        }
        if (t.rows.isEmpty())
            t.note = tr("无锚索(杆)。");
        else
            t.note = tr("轴力Nak为沿锚索(杆)轴向的拉力：预加力加沿轴向的伸长所增之力，受压时取0。");
        return t;
    }

    const Project &m_doc;
    const AnalysisResult &m_result;
    Project m_input;
    bool m_doubleRow = false;
    DesignResult m_design;
};

} // namespace

ReportContent ReportBuilder::build(const Project &doc, const AnalysisResult &result,
    const QString &fileName, const QDate &date, const StudyReport *study)
{
    ReportContent c;
    c.title = tr("抗滑桩计算书");
    c.titleBlock = {{tr("项目名称"), doc.base.ProjectName},
        {tr("计算程序"),
            tr("%1 V%2").arg(
                QString::fromUtf8(RIDEZU_PROGRAM_NAME), QStringLiteral(RIDEZU_VERSION))},
        {tr("计算日期"), date.toString(QStringLiteral("yyyy-MM-dd"))}, {tr("项目文件"), fileName}};
    Builder builder(doc, result);
    // The verdict of the design checks stands on the first page.
    c.titleBlock.append({tr("设计验算"), DesignChapter::conclusion(builder.design())});
    builder.build(c, study);
    // Tables and figures are numbered in their order.
    int tables = 0;
    int figures = 0;
    for (ReportBlock &b : c.blocks) {
        if (b.kind == ReportBlock::Table)
            b.table.caption = tr("表%1 %2").arg(++tables).arg(b.table.caption);
        else if (b.kind == ReportBlock::Figure || b.kind == ReportBlock::Picture)
            b.text = tr("图%1 %2").arg(++figures).arg(b.text);
    }
    return c;
}

ReportTable ReportBuilder::nodeTable(
    const AnalysisResult &result, const NodeTableDecimals &decimals)
{
    ReportTable t;
    t.caption = tr("桩身各节点结果");
    t.header = QStringList {tr("桩"), tr("节点"), tr("深度(m)"), tr("标高(m)"), tr("位移(mm)"),
        tr("弯矩(kN*m)"), tr("剪力(kN)"), tr("轴力(kN)"), tr("土反力(kPa)")};
    if (result.betweenRows)
        t.header << tr("桩间土压力(kPa)");
    t.numeric = numericFrom(1, int(t.header.size()));
    for (const PileResult &pile : result.piles) {
        const QString name = pileName(pile, result.doubleRow);
        for (const PileStation &s : pile.stations) {
            const auto value = [&decimals](double v) { return fixedText(v, decimals.value); };
            QStringList row {name, QString::number(s.nodeId), metres(s.depth), metres(s.elevation),
                fixedText(s.displacement * 1000.0, decimals.displacement), value(s.moment),
                value(s.shear), value(s.axial), value(s.reaction)};
            if (result.betweenRows)
                row << value(s.betweenRows);
            t.rows.append(row);
        }
    }
    return t;
}

ReportBlock ReportBlock::heading(const QString &text, int level)
{
    ReportBlock b;
    b.kind = Heading;
    b.level = level;
    b.text = text;
    return b;
}

ReportBlock ReportBlock::paragraph(const QString &text)
{
    ReportBlock b;
    b.kind = Paragraph;
    b.text = text;
    return b;
}

ReportBlock ReportBlock::ofTable(const ReportTable &table)
{
    ReportBlock b;
    b.kind = Table;
    b.table = table;
    return b;
}

ReportBlock ReportBlock::picture(const QByteArray &svg, const QString &caption)
{
    ReportBlock b;
    b.kind = Picture;
    b.svg = svg;
    b.text = caption;
    return b;
}
