// Times the whole analysis of the bundled examples and of large models (many
// fixed points from forces and anchors): median of repeated runs, with the
// size of the model, the number of trials and the peak memory of the process
// while the case ran.
//
// bench_core_analyse [DIR] also writes the double-row cases into DIR as
// project files, so that the whole-process `ridezu-cli analyse` can be timed
// on exactly the same input.

#include "io/filesys.h"
#include "document/document.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

struct Measured
{
    double medianMs = -1.0;
    double cpuMs = -1.0; // median processor time of the thread, less exposed to a busy machine
    int nodes = 0;
    int trials = 0;
    long peakKiB = 0;
};

// Peak resident memory of the process since the last reset, in KiB.
long peakResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return 0;
}

// Lets the next peak be measured from the present size on (Linux only).
void resetPeakResident()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

Measured measure(const std::function<void(Document &)> &prepare, int runs)
{
    Measured m;
    std::vector<double> times;
    std::vector<double> cpu;
    resetPeakResident();
    for (int n = 0; n < runs; ++n) {
        Document doc;
        prepare(doc);
        const int before = doc.messages.size();
        QElapsedTimer timer;
        timespec start {};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
        timer.start();
        const bool ok = doc.analyse();
        times.push_back(timer.nsecsElapsed() / 1e6);
        timespec end {};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
        cpu.push_back((end.tv_sec - start.tv_sec) * 1e3 + (end.tv_nsec - start.tv_nsec) / 1e6);
        if (!ok) {
            std::fprintf(stderr, "analysis failed: %s\n", qPrintable(doc.messages.last()));
            return m;
        }
        m.nodes = int(doc.project().nodes.size());
        m.trials = 0;
        for (int k = before; k < doc.messages.size(); ++k) {
            if (doc.messages[k].startsWith(QStringLiteral(">>第")))
                ++m.trials;
        }
    }
    m.peakKiB = peakResidentKiB();
    std::sort(times.begin(), times.end());
    std::sort(cpu.begin(), cpu.end());
    m.medianMs = times[times.size() / 2];
    m.cpuMs = cpu[cpu.size() / 2];
    return m;
}

void print(const char *name, const Measured &m)
{
    std::printf("%-26s %9.3f ms %9.3f ms %7d %7d %9ld\n", name, m.medianMs, m.cpuMs, m.nodes,
        m.trials, m.peakKiB);
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
    QList<AnchorInfo> anchors = doc.project().anchors;
    for (int n = 0; n < 20; ++n) {
        AnchorInfo a;
        a.distance = 0.3 + n * 0.5;
        anchors.append(a);
    }
    doc.changeForces(doc.project().AddForces + forces);
    doc.changeAnchors(anchors);
}

// A double row of two 30 m piles in two layers (12 m and 30 m) carrying
// `count` horizontal point forces of ±5 kN/m, 13 mm apart, alternating
// between the piles: a model with one node per force.
void manyForces(Document &doc, int count)
{
    Project p = doc.project();
    p.base.PileForm = DOUBLEROW;
    p.frontPile.length = 30.0;
    p.backPile.length = 30.0;
    p.soils[0].thickness = 12.0;
    p.soils[1].thickness = 30.0;
    p.AddForces.clear();
    for (int i = 0; i < count; ++i) {
        ForceInfo f;
        f.type = LOADPNT;
        f.direction = DIRHORIZONTAL;
        f.object = i % 2 == 0 ? OBJPILE : OBJBACKPILE;
        f.F = i % 2 == 0 ? 5.0 : -5.0;
        f.distance = 0.013 * i + 0.005;
        p.AddForces.append(f);
    }
    p.updateAll();
    doc.replaceProject(p);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString examples = QStringLiteral(RIDEZU_SOURCE_DIR "/examples/");
    std::printf("%-26s %12s %12s %7s %7s %9s\n", "case", "median", "cpu median", "nodes", "trials",
        "peak KiB");
    for (const char *name : {"default.qzp", "singlerow-anchors.qzp", "doublerow.qzp"}) {
        const QString path = examples + QLatin1String(name);
        print(name,
            measure(
                [&](Document &doc) {
                    Project p = doc.project();
                    FileSys().readProject(p, path);
                    p.status = SHOWDATA;
                    doc.replaceProject(p);
                },
                200));
    }
    print("1200 fixed points", measure(largeModel, 5));
    for (int count : {400, 1500}) {
        const QByteArray name = "double row, " + QByteArray::number(count) + " forces";
        print(name.constData(), measure([count](Document &doc) { manyForces(doc, count); }, 11));
    }

    if (argc > 1) {
        const QDir dir(QString::fromLocal8Bit(argv[1]));
        for (int count : {400, 1500}) {
            Document doc;
            manyForces(doc, count);
            const QString path = dir.filePath(QStringLiteral("forces-%1.qzp").arg(count));
            const QString message = FileSys().writeProject(doc.project(), path);
            std::printf("%s %s\n", qPrintable(path), message.isEmpty() ? "written" : "failed");
        }
    }
    return 0;
}
