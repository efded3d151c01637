#pragma once

// The rows of a parameter study as the user reads them: one table (the
// window's table, the CSV file and the report's chapter), one line per
// variant for the command line, and the closing line naming the smallest
// value that passes. Displacements in mm, moments in kN·m, shears in kN,
// steel in mm².

#include "engine/study.h"
#include "results/reportcontent.h"

#include <QCoreApplication>
#include <QString>

class StudyTable
{
    Q_DECLARE_TR_FUNCTIONS(StudyTable)

public:
    // Header and one row per variant; numeric columns marked. The columns
    // of each pile repeat for the back pile of a double row.
    static ReportTable table(const StudyDefinition &def, const StudyOutcome &outcome);

    // The columns of the table by meaning, for choosing what a chart draws.
    enum class Column { Moment, Shear, Top, Slip, Steel, Bars };
    // The column's number of a row, in the table's unit; false when the
    // row has none (a refused variant, no node on the sliding surface).
    static bool value(const StudyRow &row, int pile, Column column, double &value);
    // Header of a column without its pile: "|M|max(kN·m)".
    static QString columnName(Column column);

    // One variant on one line.
    static QString line(const StudyDefinition &def, const StudyRow &row, bool doubleRow);
    // "最小满足值：桩长 = 14.5 m", or that no value passes.
    static QString conclusion(const StudyDefinition &def, const StudyOutcome &outcome);

    // Writes the table as CSV (UTF-8 with a byte-order mark); the file is
    // replaced only once complete. Returns the message for the user, empty
    // on success.
    static QString writeCsv(
        const StudyDefinition &def, const StudyOutcome &outcome, const QString &path);
};
