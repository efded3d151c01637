#include "results/studychapter.h"

#include "results/studytable.h"

namespace {

bool changesPiles(StudyParameter parameter)
{
    return parameter == StudyParameter::Length || parameter == StudyParameter::Diameter
        || parameter == StudyParameter::Height;
}

} // namespace

QString StudyChapter::description(const StudyDefinition &def, bool doubleRow)
{
    QString name = StudyText::name(def.parameter);
    // Which pile a length or section study changes matters only where there
    // are two.
    if (changesPiles(def.parameter) && doubleRow)
        name = tr("%1（%2）").arg(name, StudyText::pileName(def.pile));
    return tr("%1，取值%2~%3 %4，步长%5 %4，共%6个取值")
        .arg(name, StudyText::number(def.from), StudyText::number(def.to),
            StudyText::unit(def.parameter), StudyText::number(def.step))
        .arg(studyValues(def).size());
}

QList<ReportBlock> StudyChapter::blocks(const StudyReport &study, int number)
{
    const StudyDefinition &def = study.definition;
    QList<ReportBlock> out;
    out << ReportBlock::heading(tr("%1 参数分析").arg(number));
    out << ReportBlock::paragraph(tr("变化参数：%1。其余输入与本计算书相同；每个取值分别进行分析和"
                                     "设计验算。")
                                      .arg(description(def, study.outcome.doubleRow)));
    out << ReportBlock::ofTable(StudyTable::table(def, study.outcome));
    if (!study.chart.isEmpty()) {
        out << ReportBlock::picture(study.chart,
            tr("%1与计算结果（阴影为满足全部验算的取值范围）").arg(StudyText::name(def.parameter)));
    }
    return out;
}
