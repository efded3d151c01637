#include "results/studytable.h"

#include "engine/designchecks.h"
#include "engine/results.h"
#include "model/codes.h"
#include "results/resultcsv.h"

#include <QDir>
#include <QSaveFile>

namespace {

constexpr StudyTable::Column PILECOLUMNS[] = {StudyTable::Column::Moment, StudyTable::Column::Shear,
    StudyTable::Column::Top, StudyTable::Column::Slip, StudyTable::Column::Steel,
    StudyTable::Column::Bars};
constexpr int COLUMNSPERPILE = int(std::size(PILECOLUMNS));

int pileCount(const StudyOutcome &outcome)
{
    return outcome.doubleRow ? 2 : 1;
}

QString pileName(int pile, bool doubleRow)
{
    return CodeText::carrier(pile == 0 ? OBJPILE : OBJBACKPILE, doubleRow ? DOUBLEROW : SINGLEROW);
}

int decimalsOf(StudyTable::Column column)
{
    switch (column) {
    case StudyTable::Column::Top:
    case StudyTable::Column::Slip: return 2;
    case StudyTable::Column::Steel:
    case StudyTable::Column::Bars: return 0;
    default: return 1;
    }
}

QString anchorsText(const StudyRow &row)
{
    if (!row.checked)
        return QString();
    return row.anchors == 0 ? StudyTable::tr("无") : DesignText::verdict(row.anchorsOk);
}

QString checksText(const StudyRow &row)
{
    if (!row.checked)
        return StudyTable::tr("未验算");
    return row.failures == 0 ? DesignText::verdict(true)
                             : StudyTable::tr("%1项不满足").arg(row.failures);
}

} // namespace

QString StudyTable::columnName(Column column)
{
    switch (column) {
    case Column::Moment: return tr("|M|max(kN·m)");
    case Column::Shear: return tr("|V|max(kN)");
    case Column::Top: return tr("桩顶位移(mm)");
    case Column::Slip: return tr("滑面处位移(mm)");
    case Column::Steel: return tr("纵筋As(mm²)");
    case Column::Bars: return tr("纵筋根数");
    }
    return QString();
}

bool StudyTable::value(const StudyRow &row, int pile, Column column, double &value)
{
    if (!row.analysed || pile < 0 || pile >= row.piles.size())
        return false;
    const StudyPileRow &p = row.piles[pile];
    switch (column) {
    case Column::Moment: value = p.moment; return true;
    case Column::Shear: value = p.shear; return true;
    case Column::Top: value = p.top * 1000.0; return true;
    case Column::Slip: value = p.slip * 1000.0; return p.slipFound;
    case Column::Steel: value = p.steel; return row.checked;
    case Column::Bars: value = p.bars; return row.checked;
    }
    return false;
}

ReportTable StudyTable::table(const StudyDefinition &def, const StudyOutcome &outcome)
{
    ReportTable t;
    t.caption = tr("参数分析：%1").arg(StudyText::name(def.parameter));
    t.header << QStringLiteral("%1(%2)").arg(
        StudyText::name(def.parameter), StudyText::unit(def.parameter));
    const int piles = pileCount(outcome);
    for (int pile = 0; pile < piles; ++pile) {
        for (Column c : PILECOLUMNS)
            t.header << (outcome.doubleRow ? pileName(pile, true) : QString()) + columnName(c);
    }
    t.header << tr("最大承载比") << tr("锚索(杆)") << tr("全部验算") << tr("说明");
    for (int n = 0; n < t.header.size(); ++n)
        t.numeric << (n < 1 + piles * COLUMNSPERPILE + 1);

    for (const StudyRow &row : outcome.rows) {
        QStringList cells {StudyText::number(row.value)};
        for (int pile = 0; pile < piles; ++pile) {
            for (Column c : PILECOLUMNS) {
                double v = 0.0;
                cells << (value(row, pile, c, v) ? fixedText(v, decimalsOf(c)) : QString());
            }
        }
        cells << (row.bearingFound ? fixedText(row.bearingRatio, 2) : QString());
        if (row.analysed)
            cells << anchorsText(row) << checksText(row) << row.problem;
        else
            cells << QString() << tr("计算失败") << row.problem;
        t.rows << cells;
    }
    t.note = conclusion(def, outcome);
    return t;
}

QString StudyTable::line(const StudyDefinition &def, const StudyRow &row, bool doubleRow)
{
    QString text = StudyText::valueText(def.parameter, row.value);
    if (!row.analysed)
        return text + tr("：计算失败，%1").arg(row.problem);
    QStringList parts;
    for (int pile = 0; pile < row.piles.size(); ++pile) {
        const StudyPileRow &p = row.piles[pile];
        QString part = tr("%1 |M|max %2 kN·m，|V|max %3 kN，桩顶位移 %4 mm")
                           .arg(pileName(pile, doubleRow), fixedText(p.moment, 1),
                               fixedText(p.shear, 1), fixedText(p.top * 1000.0, 2));
        if (p.slipFound)
            part += tr("，滑面处位移 %1 mm").arg(fixedText(p.slip * 1000.0, 2));
        if (row.checked)
            part += tr("，纵筋 %1 mm² (%2根)").arg(fixedText(p.steel, 0)).arg(p.bars);
        parts << part;
    }
    if (row.bearingFound)
        parts << tr("最大承载比 %1").arg(fixedText(row.bearingRatio, 2));
    if (row.checked && row.anchors > 0)
        parts << tr("锚索(杆) %1").arg(DesignText::verdict(row.anchorsOk));
    parts << tr("验算 %1").arg(checksText(row));
    if (!row.checked && !row.problem.isEmpty())
        parts << row.problem;
    return text + tr("：") + parts.join(tr("；"));
}

QString StudyTable::conclusion(const StudyDefinition &def, const StudyOutcome &outcome)
{
    if (outcome.cancelled)
        return tr("参数分析已取消");
    const int first = outcome.firstPassing();
    if (first < 0)
        return tr("没有满足全部验算的取值");
    return tr("最小满足值：%1").arg(StudyText::valueText(def.parameter, outcome.rows[first].value));
}

QString StudyTable::writeCsv(
    const StudyDefinition &def, const StudyOutcome &outcome, const QString &path)
{
    const ReportTable t = table(def, outcome);
    const QByteArray bytes = ResultCsv::text(t.header, t.rows);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return tr("无法写入文件%1").arg(QDir::toNativeSeparators(path));
    return QString();
}
