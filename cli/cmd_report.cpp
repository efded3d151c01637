// ridezu-cli report FILE.qzp OUT.pdf|OUT.html: the calculation report. A
// project without results is analysed first, as the window's analyse
// command would; the report is laid out on Qt's offscreen platform, so no
// display is needed.

#include "cli/command.h"
#include "cli/projectfile.h"
#include "document/document.h"
#include "report/reportwriter.h"
#include "settings/settings.h"

#include <QFileInfo>
#include <QGuiApplication>

namespace {

int report(const QStringList &args, QTextStream &out, QTextStream &err)
{
    Q_UNUSED(out);
    if (args.size() != 2 || args[0].startsWith(QLatin1String("--"))
        || args[1].startsWith(QLatin1String("--"))) {
        err << "Usage: ridezu-cli report FILE.qzp OUT.pdf|OUT.html\n";
        return ExitUnreadable;
    }
    const QString &input = args[0];
    const QString &output = args[1];
    if (ReportWriter::formatOf(output) == ReportWriter::Format::Unknown) {
        err << "ridezu-cli report: the report is written as .pdf or .html, not '" << output
            << "'\n";
        return ExitUnreadable;
    }

    Document doc;
    if (!readProjectFile(doc, input, err))
        return ExitUnreadable;
    if (!(doc.project().status & SHOWRESULT) || doc.project().results.isEmpty()) {
        doc.showInput();
        const qsizetype first = doc.messages.size();
        if (!doc.analyse()) {
            // The reason the analysis gives, as its last line.
            if (doc.messages.size() > first)
                err << doc.messages.last() << '\n';
            return ExitFailed;
        }
    }

    DisplaySettings figures;
    figures.labelSize = Settings::FontSizeDefault;
    figures.offset = Settings::OffsetDefault;
    const QString message = ReportWriter::write(doc, output, QFileInfo(input).fileName(), figures);
    if (!message.isEmpty()) {
        err << "ridezu-cli: " << message << '\n';
        return ExitFailed;
    }
    return ExitOk;
}

std::unique_ptr<QCoreApplication> paintingApplication(int &argc, char **argv)
{
    // Painting needs a platform; the offscreen one needs no display. A
    // platform the user chose is kept.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

const CommandRegistration registration(
    {QStringLiteral("report"), QStringLiteral("FILE.qzp OUT.pdf|OUT.html"),
        QStringLiteral("write the calculation report (analyses a project without results)"), report,
        paintingApplication});

} // namespace
