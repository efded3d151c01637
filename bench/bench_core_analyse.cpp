// Times the whole analysis of the bundled examples and of a large model
// (many fixed points from forces and anchors), median of repeated runs.

#include "io/filesys.h"
#include "model/document.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double medianMs(const std::function<void(Document &)> &prepare, int runs)
{
    std::vector<double> times;
    for (int n = 0; n < runs; ++n) {
        Document doc;
        prepare(doc);
        QElapsedTimer timer;
        timer.start();
        const bool ok = doc.analyse();
        times.push_back(timer.nsecsElapsed() / 1e6);
        if (!ok) {
            std::fprintf(stderr, "analysis failed: %s\n", qPrintable(doc.messages.last()));
            return -1.0;
        }
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void largeModel(Document &doc)
{
    QList<ForceInfo> forces;
    for (int n = 1; n < 1200; ++n) {
        ForceInfo f;
        f.F = n % 7 == 0 ? 1.0 : 0.0;
        f.distance = n * 16.0 / 1200.0;
        forces.append(f);
    }
    QList<AnchorInfo> anchors = doc.anchors;
    for (int n = 0; n < 20; ++n) {
        AnchorInfo a;
        a.distance = 0.3 + n * 0.5;
        anchors.append(a);
    }
    doc.changeForces(doc.AddForces + forces);
    doc.changeAnchors(anchors);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString examples = QStringLiteral(RIDEZU_SOURCE_DIR "/examples/");
    std::printf("median analysis time\n");
    for (const char *name : {"default.qzp", "singlerow-anchors.qzp", "doublerow.qzp"}) {
        const QString path = examples + QLatin1String(name);
        const double ms = medianMs(
            [&](Document &doc) {
                FileSys().readProject(doc, path);
                doc.status = SHOWDATA;
            },
            50);
        std::printf("%-24s %8.2f ms\n", name, ms);
    }
    std::printf("%-24s %8.2f ms\n", "1200 fixed points", medianMs(largeModel, 5));
    return 0;
}
