// Paint time of the largest realistic project: a double row with 10 layers,
// 30 anchors and 30 additional forces, labels on, drawn into an image; first
// with its input, then analysed, with the springs and with each diagram.
//
//   bench_gui_paint [repetitions] [image.png]
//
// Prints the median, fastest and slowest paint in milliseconds for each
// picture; with an image name it also saves the input picture, and the
// analysed ones next to it (name-springs.png, name-moment.png, ...).

#include "document/document.h"
#include "view/view.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void buildLargeProject(Document &doc)
{
    BaseInfo base = doc.project().base;
    base.PileForm = DOUBLEROW;
    base.row = 5.0;
    base.dpel = 0.0;
    base.slideBackH = 9.0;
    base.slideFrontH = 12.0;
    base.cutH = 7.0;
    base.aforce = -900.0;
    base.pforce = 250.0;
    base.shape = DISTTRAPEZOID;
    base.ratio = 0.5;
    doc.changeBase(base);
    PileInfo front = doc.project().frontPile;
    front.length = 22.0;
    PileInfo back = doc.project().backPile;
    back.length = 20.0;
    back.shp = SECTSQUARE;
    back.width = 1.5;
    back.height = 2.0;
    doc.changePiles(front, back, doc.project().linkBeam);

    QList<SoilInfo> soils;
    for (int n = 0; n < 10; ++n) {
        SoilInfo soil;
        soil.Name = QStringLiteral("岩土层%1").arg(n + 1);
        soil.thickness = 2.5;
        soils.append(soil);
    }
    doc.changeSoils(soils);

    QList<AnchorInfo> anchors;
    const qint16 carriers[] = {OBJPILE, OBJBACKPILE, OBJBEAM};
    for (int n = 0; n < 30; ++n) {
        AnchorInfo anchor;
        anchor.object = carriers[n % 3];
        anchor.distance = anchor.object == OBJBEAM ? 0.5 * (n % 8) : 0.6 * n;
        anchor.angle = 15.0 + n % 4 * 5.0;
        anchors.append(anchor);
    }
    doc.changeAnchors(anchors);

    QList<ForceInfo> forces;
    const qint16 kinds[] = {LOADPNT, LOADDIST, LOADMOMENT};
    for (int n = 0; n < 30; ++n) {
        ForceInfo force;
        force.type = kinds[n % 3];
        force.object = carriers[(n / 3) % 3];
        force.direction = n % 4 == 0 ? DIRVERTICAL : DIRHORIZONTAL;
        force.distance = force.object == OBJBEAM ? 0.4 * (n % 10) : 0.7 * n;
        force.length = 3.5;
        force.F = 50.0 + 10.0 * n;
        force.M = n % 2 ? 80.0 : -80.0;
        force.q1 = 20.0;
        force.q2 = 40.0 + n;
        forces.append(force);
    }
    doc.changeForces(forces);
    doc.setMarksShown(true);
}

// Paints the view repeatedly and prints the times.
void measure(View &view, const char *what, int repetitions, const QString &imageName)
{
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    view.render(&image); // warm-up: fonts and glyph caches
    std::vector<double> times;
    times.reserve(repetitions);
    QElapsedTimer timer;
    for (int n = 0; n < repetitions; ++n) {
        timer.start();
        view.render(&image);
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("%-22s paints: %d  median: %.2f ms  fastest: %.2f ms  slowest: %.2f ms\n", what,
        repetitions, times[times.size() / 2], times.front(), times.back());
    if (!imageName.isEmpty())
        image.save(imageName);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 200;
    const QString imageName = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    const auto named = [&imageName](const char *suffix) {
        if (imageName.isEmpty())
            return QString();
        const QFileInfo info(imageName);
        return info.path() + '/' + info.completeBaseName() + '-' + QLatin1String(suffix) + '.'
            + info.suffix();
    };

    View view;
    view.resize(1100, 760);
    Document *doc = view.document();
    buildLargeProject(*doc);
    view.fitView();
    measure(view, "input", repetitions, imageName);

    if (!doc->analyse()) {
        std::printf("the project does not analyse: %s\n", qPrintable(doc->messages.join('\n')));
        return 1;
    }
    std::printf("analysed: %lld nodes, %lld elements\n", qlonglong(doc->project().nodes.size()),
        qlonglong(doc->project().beams.size()));
    const struct
    {
        const char *what;
        const char *suffix;
        qint32 bit;
    } pictures[] = {{"springs and links", "springs", 0}, {"displacement", "displace", SHOWDISPLACE},
        {"moment", "moment", SHOWMOMENT}, {"shear", "shear", SHOWSHEAR},
        {"normal force", "normal", SHOWNORMAL}, {"reaction", "react", SHOWREACT}};
    for (const auto &picture : pictures) {
        doc->showDiagram(picture.bit);
        measure(view, picture.what, repetitions, named(picture.suffix));
    }
    return 0;
}
