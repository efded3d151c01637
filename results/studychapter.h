#pragma once

// A parameter study as a chapter of the calculation report: what was varied
// and over which values, the table of the variants, and the chart the window
// drew of them.

#include "engine/study.h"
#include "results/reportcontent.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>

struct StudyReport
{
    StudyDefinition definition;
    StudyOutcome outcome;
    QByteArray chart; // the chart as an SVG document; none when empty
};

class StudyChapter
{
    Q_DECLARE_TR_FUNCTIONS(StudyChapter)

public:
    // What a study varies and over which values: "桩长（前后桩），取值8~30 m，
    // 步长2 m，共12个取值".
    static QString description(const StudyDefinition &def, bool doubleRow);
    // The chapter with its heading numbered `number`.
    static QList<ReportBlock> blocks(const StudyReport &study, int number);
};
