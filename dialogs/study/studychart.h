#pragma once

// The chart of a parameter study: chosen columns of its table against the
// varied value, one axis per kind of value (each pile of a double row a
// line of its own, the back pile dashed), the values passing every check
// shaded and the smallest of them marked. Variants without a number (the
// refused ones) are left out. The window shows it; the report takes it as an
// SVG document.

#include "engine/study.h"
#include "results/studytable.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QSize>

class QChart;

class StudyChart
{
    Q_DECLARE_TR_FUNCTIONS(StudyChart)

public:
    // The columns a chart may draw, in the order they are offered.
    static QList<StudyTable::Column> columns();
    // The short name of a column: |M|max, 桩顶位移, ...
    static QString columnLabel(StudyTable::Column column);

    // A new chart; the caller owns it.
    static QChart *make(const StudyDefinition &def, const StudyOutcome &outcome,
        const QList<StudyTable::Column> &columns);

    // The chart as an SVG document of the given size in pixels.
    static QByteArray svg(const StudyDefinition &def, const StudyOutcome &outcome,
        const QList<StudyTable::Column> &columns, const QSize &size = QSize(640, 400));
};
