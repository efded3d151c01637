#pragma once

// The content of the calculation report (计算书) as plain data: headings,
// tables of texts, figures named by what they draw, and the log. It is made
// here, in the core, from the project's input and its typed analysis result,
// so that every number of the report is formatted in one place; the PDF and
// HTML writers only lay it out (and paint the figures with the drawing of
// the window).
//
// The input tables show the derived values as the analysis derives them
// afresh from the input, not as a file may have stored them.

#include "engine/analysisresult.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

struct StudyReport;

// A table: a caption over it, one header row, rows of texts and a note
// under it. Numeric columns are set right-aligned.
struct ReportTable
{
    QString caption;
    QStringList header;
    QList<bool> numeric; // per column
    QList<QStringList> rows;
    QString note;
};

struct ReportBlock
{
    enum Kind {
        Heading, // text, level 1 or 2
        Paragraph, // text
        Table, // table
        Figure, // text is the caption; status holds the Document::status bits to draw
        Lines, // lines, one a line (the log)
        Picture, // text is the caption; svg holds the drawing as an SVG document
    };
    Kind kind = Paragraph;
    int level = 1;
    QString text;
    ReportTable table;
    qint32 status = 0;
    QStringList lines;
    QByteArray svg;

    static ReportBlock heading(const QString &text, int level = 1);
    static ReportBlock paragraph(const QString &text);
    static ReportBlock ofTable(const ReportTable &table);
    static ReportBlock picture(const QByteArray &svg, const QString &caption);
};

struct ReportContent
{
    QString title;
    // Project name, program and version, date and file name.
    QList<QPair<QString, QString>> titleBlock;
    QList<ReportBlock> blocks;

    // The headings of level 1, in order.
    QStringList sections() const;
};

// Decimals of the per-node result table: the report prints one; the result
// table export, read back by other programs, keeps more.
struct NodeTableDecimals
{
    int displacement = 1; // mm
    int value = 1; // moment, shear, axial force, soil reaction, pressure
};

class ReportBuilder
{
    Q_DECLARE_TR_FUNCTIONS(ReportBuilder)

public:
    // The report of a project with valid results (result.valid); fileName is
    // the project's file name as the title block shows it. A parameter study
    // of the project, when given, is a chapter before the log.
    static ReportContent build(const Project &doc, const AnalysisResult &result,
        const QString &fileName, const QDate &date, const StudyReport *study = nullptr);

    // The per-node result table of every pile: the report's tables joined
    // in one, with the pile in the first column (the result table export).
    static ReportTable nodeTable(
        const AnalysisResult &result, const NodeTableDecimals &decimals = NodeTableDecimals());

    // Why a project without valid results has no report or result table.
    static QString noResults();

    // Name of a pile of the result: 抗滑桩, 前桩 or 后桩.
    static QString pileName(const PileResult &pile, bool doubleRow);
};
