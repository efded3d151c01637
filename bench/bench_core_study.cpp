// Times a 200-variant length study of the double-row example as a user runs
// it: the whole `ridezu-cli study` process, on one thread and on one per
// core, median of repeated runs, and the speed-up between the two. For
// reference it also times two one-thread runs side by side, which shows
// what the machine's cores give to work that shares nothing.
//
// bench_core_study [RUNS]

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Milliseconds of one whole run; -1 when the run failed.
double timeRun(const QStringList &args)
{
    QProcess p;
    QElapsedTimer timer;
    timer.start();
    p.start(QStringLiteral(RIDEZU_BIN_DIR "/ridezu-cli"), args);
    if (!p.waitForFinished(600000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return -1.0;
    return double(timer.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? -1.0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = std::max(1, app.arguments().value(1, QStringLiteral("5")).toInt());
    const int cores = QThread::idealThreadCount();
    // 8 m to 21.93 m in steps of 0.07 m: 200 variants, every one analysed
    // (longer piles reach below the last layer and are refused at once).
    const QStringList study {QStringLiteral("study"),
        QStringLiteral(RIDEZU_SOURCE_DIR "/examples/doublerow.qzp"), QStringLiteral("--param"),
        QStringLiteral("length"), QStringLiteral("--from"), QStringLiteral("8"),
        QStringLiteral("--to"), QStringLiteral("21.93"), QStringLiteral("--step"),
        QStringLiteral("0.07")};

    std::printf(
        "200-variant length study of doublerow.qzp, whole process, median of %d runs\n", runs);
    double one = -1.0;
    for (int threads : {1, cores}) {
        std::vector<double> times;
        for (int n = 0; n < runs; ++n) {
            const double ms = timeRun(
                study + QStringList {QStringLiteral("--threads"), QString::number(threads)});
            if (ms < 0.0) {
                std::printf("ridezu-cli study failed\n");
                return 1;
            }
            times.push_back(ms);
        }
        const double m = median(times);
        if (threads == 1)
            one = m;
        std::printf("%2d thread(s): %8.1f ms", threads, m);
        if (threads > 1)
            std::printf("   speed-up %.2f (linear %d)", one / m, threads);
        std::printf("\n");
        if (cores == 1)
            break;
    }
    if (cores > 1) {
        // Two one-thread studies at once: each takes longer than alone by
        // what the cores lose to each other.
        std::vector<double> times;
        const QStringList single =
            study + QStringList {QStringLiteral("--threads"), QStringLiteral("1")};
        for (int n = 0; n < runs; ++n) {
            QProcess a, b;
            QElapsedTimer timer;
            timer.start();
            a.start(QStringLiteral(RIDEZU_BIN_DIR "/ridezu-cli"), single);
            b.start(QStringLiteral(RIDEZU_BIN_DIR "/ridezu-cli"), single);
            if (!a.waitForFinished(600000) || !b.waitForFinished(600000))
                return 1;
            times.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        std::printf("two 1-thread runs side by side: %8.1f ms   (the cores give %.2f)\n",
            median(times), 2.0 * one / median(times));
    }
    return 0;
}
