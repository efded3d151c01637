#pragma once

// Lays the calculation report (results/reportcontent.h) out as a file: a PDF
// on A4 pages with a header, page numbers, tables that break across pages
// with their header row repeated, the figures as vector drawings and the
// fonts embedded; or one self-contained HTML file whose figures are PNG
// images inside it. The figures are painted by the drawing of the window;
// pictures given as SVG documents (a chart) are drawn as vectors in the PDF
// and as images in the HTML.

#include "results/reportcontent.h"
#include "view/drawing.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

class QIODevice;

class ReportWriter
{
    Q_DECLARE_TR_FUNCTIONS(ReportWriter)

public:
    enum class Format { Pdf, Html, Unknown };

    // By the name's suffix: .pdf, or .html and .htm.
    static Format formatOf(const QString &path);

    // Builds the report of a project with valid results and writes it in
    // the format of the path's suffix; the file is replaced only once it is
    // complete. fileName is the project's name in the title block; figures
    // take their label size and diagram size from `figures` (its status is
    // set per figure). A parameter study, when given, is a chapter of the
    // report. Returns the message for the user, empty on success.
    static QString write(const Document &doc, const QString &path, const QString &fileName,
        const DisplaySettings &figures, const StudyReport *study = nullptr);

    // The layouts of a built report. writePdf returns false when the device
    // could not be written.
    static bool writePdf(const Project &doc, const ReportContent &content,
        const DisplaySettings &figures, QIODevice *device);
    static QByteArray html(
        const Project &doc, const ReportContent &content, const DisplaySettings &figures);
};
