#pragma once

// The per-node result table as a CSV file: one row per node of each pile,
// the columns of the calculation report, with displacements in mm to three
// decimals and the other values to two. UTF-8 with a byte-order mark, so
// that spreadsheet programs read the Chinese headers; lines end in CR LF and
// a field holding a comma, a quote or a line break is quoted, its quotes
// doubled (RFC 4180).

#include "engine/analysisresult.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

class ResultCsv
{
    Q_DECLARE_TR_FUNCTIONS(ResultCsv)

public:
    // The bytes of a table with its header row.
    static QByteArray text(const QStringList &header, const QList<QStringList> &rows);

    // Writes the result table of a project with valid results; the file is
    // replaced only once it is complete. Returns the message for the user,
    // empty on success.
    static QString write(const AnalysisResult &result, const QString &path);
};
