// Times writing and reading a project file: the default project and a large
// one (10 layers, 99 anchors, 99 additional forces). Prints the median of
// many runs. Run by hand; never part of the tests.

#include "io/filesys.h"
#include "document/document.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int RUNS = 200;

double medianMs(const std::function<void()> &job)
{
    std::vector<qint64> times;
    times.reserve(RUNS);
    for (int n = 0; n < RUNS; ++n) {
        QElapsedTimer timer;
        timer.start();
        job();
        times.push_back(timer.nsecsElapsed());
    }
    std::nth_element(times.begin(), times.begin() + RUNS / 2, times.end());
    return times[RUNS / 2] / 1e6;
}

void buildLarge(Document &doc)
{
    QList<SoilInfo> soils;
    for (int n = 0; n < 10; ++n) {
        SoilInfo s;
        s.Name = QStringLiteral("岩土层%1").arg(n + 1);
        s.thickness = 2.0 + 0.1 * n;
        soils.append(s);
    }
    QList<AnchorInfo> anchors;
    for (int n = 0; n < 99; ++n) {
        AnchorInfo a;
        a.id = qint16(n + 1);
        a.distance = 0.15 * n;
        a.angle = 15.0 + n % 20;
        anchors.append(a);
    }
    QList<ForceInfo> forces;
    const qint16 kinds[] = {LOADPNT, LOADDIST, LOADMOMENT};
    for (int n = 0; n < 99; ++n) {
        ForceInfo f;
        f.id = qint16(n);
        f.type = kinds[n % 3];
        f.distance = 0.15 * n;
        f.F = 10.0 + n;
        forces.append(f);
    }
    doc.changeSoils(soils);
    doc.changeAnchors(anchors);
    doc.changeForces(forces);
}

void measure(const char *name, Document &doc, const QString &path)
{
    const double write = medianMs([&] { FileSys().writeProject(doc.project(), path); });
    const double read = medianMs([&] {
        Project target = Project::defaultProject();
        FileSys().readProject(target, path);
    });
    std::printf("%-8s write %8.3f ms   read %8.3f ms   (%lld bytes)\n", name, write, read,
        static_cast<long long>(QFileInfo(path).size()));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    std::printf("median of %d runs\n", RUNS);
    Document plain;
    measure("default", plain, dir.filePath(QStringLiteral("default.qzp")));
    Document large;
    buildLarge(large);
    measure("large", large, dir.filePath(QStringLiteral("large.qzp")));
    // Reading includes constructing the target document; this is its share.
    const double construct = medianMs([] { Document d; });
    std::printf("(new Document alone %.3f ms)\n", construct);
    return 0;
}
