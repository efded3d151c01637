// Time to write the calculation report: the whole operation of the window's
// and the command line's report command on a project with results (build the
// content from the results, lay it out, paint the figures, write the file),
// as PDF and as HTML. Median, fastest and slowest of repeated runs.
//
//   bench_gui_report [repetitions] [FILE.qzp ...]
//
// Without files it times the bundled analysed examples; a project without
// results is analysed once before the timing.

#include "io/filesys.h"
#include "document/document.h"
#include "report/reportwriter.h"
#include "settings/settings.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

void measure(const Document &doc, const QString &name, const QString &path, int repetitions)
{
    DisplaySettings figures;
    figures.labelSize = Settings::FontSizeDefault;
    figures.offset = Settings::OffsetDefault;
    // Warm-up: fonts and glyph caches.
    const QString warm = ReportWriter::write(doc, path, name, figures);
    if (!warm.isEmpty()) {
        std::printf("%s: %s\n", qPrintable(name), qPrintable(warm));
        return;
    }
    std::vector<double> times;
    times.reserve(repetitions);
    QElapsedTimer timer;
    for (int n = 0; n < repetitions; ++n) {
        timer.start();
        ReportWriter::write(doc, path, name, figures);
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("%-32s %-4s runs: %d  median: %7.1f ms  fastest: %7.1f ms  slowest: %7.1f ms  "
                "size: %lld kB\n",
        qPrintable(name), qPrintable(QFileInfo(path).suffix()), repetitions,
        times[times.size() / 2], times.front(), times.back(), QFileInfo(path).size() / 1024);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 20;
    QStringList files;
    for (int n = 2; n < argc; ++n)
        files << QString::fromLocal8Bit(argv[n]);
    if (files.isEmpty()) {
        const QDir examples(QStringLiteral(RIDEZU_SOURCE_DIR "/examples"));
        for (const QString &name : examples.entryList({QStringLiteral("*-analysed.qzp")}))
            files << examples.filePath(name);
    }

    QTemporaryDir out;
    for (const QString &file : files) {
        Project read = Project::defaultProject();
        const QString message = FileSys().readProject(read, file);
        if (!message.isEmpty()) {
            std::printf("%s\n", qPrintable(message));
            return 1;
        }
        Document doc;
        if (!(read.status & SHOWRESULT)) {
            read.status = SHOWDATA;
            doc.replaceProject(read);
            if (!doc.analyse()) {
                std::printf("%s does not analyse\n", qPrintable(file));
                return 1;
            }
        } else {
            doc.replaceProject(read);
        }
        const QString name = QFileInfo(file).fileName();
        std::printf("%s: %lld nodes, %lld elements\n", qPrintable(name),
            qlonglong(doc.project().nodes.size()), qlonglong(doc.project().beams.size()));
        measure(doc, name, out.filePath(QStringLiteral("report.pdf")), repetitions);
        measure(doc, name, out.filePath(QStringLiteral("report.html")), repetitions);
    }
    return 0;
}
