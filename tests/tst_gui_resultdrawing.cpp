// The result mode as painted: supports, springs and diagrams where the
// View's transform puts them, labels only when asked for, the diagram
// commands of the main window, the display settings of the status bar, and
// analysed projects that are saved and opened again.

#include "guitestsupport.h"

#include "app/mainwindow.h"
#include "io/filesys.h"
#include "model/document.h"
#include "view/displaysettings.h"
#include "view/resultgeometry.h"
#include "view/settingsstore.h"
#include "view/view.h"

#include <QAction>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

#include <algorithm>
#include <cmath>

namespace {

// 40 pixels per metre, origin at (400, 60): a 15 m pile ends at row 660.
void place(View &view)
{
    Document *doc = view.document();
    doc->blc = 40.0;
    doc->blcfull = 40.0;
    doc->x0 = 400;
    doc->y0 = 60;
    view.updateTransform();
}

QImage renderView(View &view)
{
    QImage image(view.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    view.render(&image);
    return image;
}

QPointF pixelOf(const View &view, const QPointF &model)
{
    return view.transform().map(model);
}

// The diagram outline: the accent blue at full strength (the mesh is pure
// blue, ordinates and labels are paler).
bool isOutline(QColor c)
{
    return c.blue() - c.red() > 150 && c.green() - c.red() > 80 && c.blue() > 200;
}
// Any shade of the accent blue: outline, ordinates, springs and labels.
bool isAccent(QColor c)
{
    return c.blue() - c.red() > 30 && c.green() - c.red() > 15;
}

QString example(const char *name)
{
    return QStringLiteral(RIDEZU_SOURCE_DIR "/examples/") + QLatin1String(name);
}

void analyse(View &view)
{
    QVERIFY(view.document()->analyse());
    view.document()->status = SHOWRESULT;
}

// The end of the element whose end moment is largest, and that moment.
QPair<QPointF, double> momentPeak(const Document &doc)
{
    const ResultInfo *largest = &doc.results.first();
    for (const ResultInfo &r : doc.results) {
        if (std::fabs(r.Mj) > std::fabs(largest->Mj))
            largest = &r;
    }
    const NodeInfo &n = doc.nodes.at(largest->j);
    return {QPointF(n.Xg, n.Yg), largest->Mj};
}

// Counts paint events of a widget.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

QAction *action(const MainWindow &window, const char *name)
{
    return window.findChild<QAction *>(QLatin1String(name));
}

} // namespace

class TestResultDrawing : public QObject
{
    Q_OBJECT

    QTemporaryDir m_settingsDir;
    QTemporaryDir m_files;

private slots:
    void initTestCase()
    {
        Q_INIT_RESOURCE(res);
        QVERIFY(m_settingsDir.isValid());
        QVERIFY(m_files.isValid());
        useTemporarySettings(m_settingsDir);
    }

    void init()
    {
        openSettings().clear();
        displayFontSize = 40;
        displayOffset = 2;
    }

    void pileBottomSupportsByTheirKind()
    {
        const auto bottomPixels = [](qint16 support) {
            View view;
            view.resize(800, 760);
            place(view);
            Document *doc = view.document();
            doc->frontPile.support = support;
            doc->anchors.clear();
            if (!doc->analyse())
                return QPair<int, int>(-1, -1);
            doc->status = SHOWRESULT;
            const QImage image = renderView(view);
            const double yb = doc->frontPile.bottomYg;
            // Right of the pile, 0.5 m out: the fixed symbol's line lies at
            // the bottom itself, the hinge's 0.4 m lower. A 1-pixel black line
            // between two pixel rows is painted grey into both.
            const int atBottom =
                countPixels(image, around(pixelOf(view, QPointF(0.5, yb)), 1), isGreyish);
            const int below =
                countPixels(image, around(pixelOf(view, QPointF(0.5, yb - 0.4)), 1), isGreyish);
            return QPair<int, int>(atBottom, below);
        };
        const QPair<int, int> hinged = bottomPixels(SUPPORTHINGED);
        QCOMPARE(hinged.first, 0);
        QVERIFY(hinged.second >= 3);
        const QPair<int, int> fixed = bottomPixels(SUPPORTFIXED);
        QVERIFY(fixed.first >= 3);
        QCOMPARE(fixed.second, 0);
        const QPair<int, int> free = bottomPixels(SUPPORTFREE);
        QCOMPARE(free.first, 0);
        QCOMPARE(free.second, 0);
    }

    void springsOnlyWhileNoDiagramIsSelected()
    {
        View view;
        view.resize(800, 760);
        place(view);
        analyse(view);
        Document *doc = view.document();
        // A soil spring in front of the pile, below the excavation.
        const SpringSymbol *spring = nullptr;
        const QList<SpringSymbol> springs = nodeSprings(*doc, displayOffset);
        for (const SpringSymbol &s : springs) {
            if (s.end.x() < 0 && s.end.y() < doc->base.cutYg - 3.0) {
                spring = &s;
                break;
            }
        }
        QVERIFY(spring);
        const QPointF middle = pixelOf(view, spring->end + QPointF(0.5, 0.0));
        const QRect area(middle.toPoint() - QPoint(8, 4), QSize(16, 9));

        QVERIFY(countPixels(renderView(view), area, isAccent) > 5);
        // The moment there is drawn on the other side of the pile.
        doc->status = SHOWRESULT | SHOWMOMENT;
        QCOMPARE(countPixels(renderView(view), area, isAccent), 0);
    }

    void forcesShowPerPileValuesWithoutADiagram()
    {
        View view;
        view.resize(800, 760);
        place(view);
        analyse(view);
        Document *doc = view.document();
        QVERIFY(!doc->BaseForces.isEmpty());
        doc->base.space = 1.0;
        const QImage perMetre = renderView(view);
        doc->base.space = 3.0;
        const QImage perPile = renderView(view);

        // Only the labels change, which stand on the ends of the loads;
        // the arrows keep their per-metre lengths.
        QList<int> labelRows;
        for (const ForceInfo &f : doc->BaseForces + doc->AddForces) {
            labelRows.append(qRound(pixelOf(view, QPointF(f.x1g, f.y1g)).y()));
            labelRows.append(qRound(pixelOf(view, QPointF(f.x2g, f.y2g)).y()));
        }
        int differing = 0;
        for (int y = 0; y < perPile.height(); ++y) {
            for (int x = 0; x < perPile.width(); ++x) {
                if (perPile.pixel(x, y) == perMetre.pixel(x, y))
                    continue;
                ++differing;
                const bool onALabel = std::any_of(labelRows.cbegin(), labelRows.cend(),
                    [y](int row) { return y > row - 30 && y < row + 4; });
                QVERIFY2(onALabel, qPrintable(QStringLiteral("pixel %1, %2").arg(x).arg(y)));
            }
        }
        QVERIFY(differing > 10);
    }

    void momentOutlineStandsHalfTheOffsetOnTheTensionSide_data()
    {
        QTest::addColumn<int>("offset");
        QTest::newRow("offset 2") << 2;
        QTest::newRow("offset 5") << 5;
    }

    void momentOutlineStandsHalfTheOffsetOnTheTensionSide()
    {
        QFETCH(int, offset);
        displayOffset = offset;
        View view;
        view.resize(900, 760);
        place(view);
        analyse(view);
        Document *doc = view.document();
        doc->status = SHOWRESULT | SHOWMOMENT;
        const QImage image = renderView(view);

        // Thrust above the sliding surface bends the pile toward the
        // excavation: the largest moment is positive and drawn on the slope
        // side, offset/2 metres from the axis.
        const auto [node, moment] = momentPeak(*doc);
        QVERIFY(moment > 0.0);
        const QPointF peak = pixelOf(view, node + QPointF(offset * 0.5, 0.0));
        QCOMPARE(peak.x() - pixelOf(view, node).x(), offset * 0.5 * 40.0);
        QVERIFY(countPixels(image, around(peak, 2), isOutline) >= 3);
        // Nothing of the outline beyond it, nothing on the other side.
        const int row = qRound(peak.y());
        QCOMPARE(countPixels(image, QRect(qRound(peak.x()) + 4, row - 3, 60, 7), isOutline), 0);
        const int axis = qRound(pixelOf(view, node).x());
        QCOMPARE(countPixels(image, QRect(axis - 80, row - 3, 76, 7), isOutline), 0);
    }

    void everyDiagramIsDrawnWhereItsGeometrySays_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<qint32>("bit");
        const QList<QPair<const char *, qint32>> bits = {{"displace", SHOWDISPLACE},
            {"moment", SHOWMOMENT}, {"shear", SHOWSHEAR}, {"normal", SHOWNORMAL},
            {"react", SHOWREACT}};
        for (const char *file : {"default-analysed.qzp", "doublerow-analysed.qzp"}) {
            for (const auto &bit : bits)
                QTest::addRow("%s %s", file, bit.first) << example(file) << bit.second;
        }
    }

    void everyDiagramIsDrawnWhereItsGeometrySays()
    {
        QFETCH(QString, file);
        QFETCH(qint32, bit);
        View view;
        view.resize(900, 1000);
        QVERIFY(view.loadFile(file));
        place(view);
        Document *doc = view.document();
        doc->status = SHOWRESULT | bit;
        const QImage image = renderView(view);

        const Diagram d = bit == SHOWREACT ? reactionDiagram(*doc, displayOffset)
                                           : memberDiagram(*doc,
                                               bit == SHOWDISPLACE     ? DiagramKind::Displacement
                                                   : bit == SHOWMOMENT ? DiagramKind::Moment
                                                   : bit == SHOWSHEAR  ? DiagramKind::Shear
                                                                       : DiagramKind::Normal,
                                               displayOffset);
        QVERIFY(!d.outline.isEmpty());
        // The outer end of the longest ordinate lies on the outline.
        QLineF longest = d.ordinates.first();
        for (const QLineF &line : d.ordinates) {
            if (line.length() > longest.length())
                longest = line;
        }
        QVERIFY(longest.length() > 0.4 * displayOffset);
        QVERIFY(countPixels(image, around(pixelOf(view, longest.p2()), 2), isOutline) >= 2);
    }

    void allZeroResultsDrawNoDiagram()
    {
        View view;
        view.resize(900, 760);
        place(view);
        analyse(view);
        Document *doc = view.document();
        const int axis = qRound(pixelOf(view, QPointF(0, 0)).x());
        const QRect left(0, 0, axis - 3, view.height());
        const QRect right(axis + 4, 0, view.width() - axis - 4, view.height());
        const auto offAxis = [&](const QImage &image) {
            return countPixels(image, left, isAccent) + countPixels(image, right, isAccent);
        };

        doc->status = SHOWRESULT | SHOWMARK | SHOWMOMENT;
        QVERIFY(offAxis(renderView(view)) > 100);
        for (ResultInfo &r : doc->results) {
            ResultInfo zero;
            zero.i = r.i;
            zero.j = r.j;
            zero.ob = r.ob;
            r = zero;
        }
        for (const qint32 bit : {SHOWDISPLACE, SHOWMOMENT, SHOWSHEAR, SHOWNORMAL}) {
            doc->status = SHOWRESULT | SHOWMARK | bit;
            QCOMPARE(offAxis(renderView(view)), 0);
        }
    }

    void labelsOnlyWithMarks()
    {
        View view;
        view.resize(900, 760);
        place(view);
        analyse(view);
        Document *doc = view.document();
        const auto [node, moment] = momentPeak(*doc);
        Q_UNUSED(moment);
        // Beyond the outline, right of its largest value: only its label.
        const QPointF peak = pixelOf(view, node + QPointF(displayOffset * 0.5, 0.0));
        const QRect label(peak.toPoint() + QPoint(3, -8), QSize(70, 17));

        doc->status = SHOWRESULT | SHOWMOMENT;
        QCOMPARE(countPixels(renderView(view), label, isAccent), 0);
        doc->status = SHOWRESULT | SHOWMOMENT | SHOWMARK;
        QVERIFY(countPixels(renderView(view), label, isAccent) > 10);

        // The value of a spring in front of the pile stands left of its end.
        const QList<SpringSymbol> springs = nodeSprings(*doc, displayOffset);
        const auto spring =
            std::find_if(springs.cbegin(), springs.cend(), [&](const SpringSymbol &s) {
                return s.end.x() < 0.0 && s.end.y() < doc->base.cutYg - 3.0;
            });
        QVERIFY(spring != springs.cend());
        QVERIFY(spring->labelled);
        const QPointF end = pixelOf(view, spring->end);
        const QRect value(end.toPoint() + QPoint(-60, -6), QSize(56, 13));
        doc->status = SHOWRESULT;
        QCOMPARE(countPixels(renderView(view), value, isAccent), 0);
        doc->status = SHOWRESULT | SHOWMARK;
        QVERIFY(countPixels(renderView(view), value, isAccent) > 10);
    }

    void unitNotesOfTheSelectedDiagram()
    {
        View view;
        view.resize(1000, 700);
        place(view);
        analyse(view);
        Document *doc = view.document();
        renderView(view); // the first paint delivers the resize, which sets the label scale
        // Notes start 1 m right of the model box; a second line one step lower.
        const QPointF note = pixelOf(view, doc->modelBounds().topRight() + QPointF(1.0, 0.0));
        const double step = view.textPixelSize() * 0.015 * doc->blc;
        const QRect first(note.toPoint() + QPoint(0, 2), QSize(150, qRound(step) - 4));
        const QRect second = first.translated(0, qRound(step));
        const auto lines = [&](qint32 status) {
            doc->status = status;
            const QImage image = renderView(view);
            return QPair<bool, bool>(countPixels(image, first, isGreyish) > 20,
                countPixels(image, second, isGreyish) > 20);
        };
        QCOMPARE(lines(SHOWRESULT | SHOWMOMENT), qMakePair(false, false));
        QCOMPARE(lines(SHOWRESULT | SHOWMARK | SHOWMOMENT), qMakePair(true, false));
        QCOMPARE(lines(SHOWRESULT | SHOWMARK), qMakePair(true, false));
        // The reaction names the units of pressures and of forces.
        QCOMPARE(lines(SHOWRESULT | SHOWMARK | SHOWREACT), qMakePair(true, true));
        QCOMPARE(lines(SHOWRESULT | SHOWREACT), qMakePair(false, false));
    }

    void betweenRowPressureNeedsEsInteraction()
    {
        displayOffset = 10; // the pressure between the rows is small
        const auto gapPixels = [](qint16 interact, qint32 form) {
            View view;
            view.resize(900, 760);
            place(view);
            Document *doc = view.document();
            doc->base.PileForm = form;
            doc->base.interact = interact;
            doc->anchors.clear();
            doc->AddForces.clear();
            doc->updateGeometry();
            doc->updateBaseData();
            doc->updateSoilLayers();
            if (!doc->analyse())
                return -1;
            doc->status = SHOWRESULT | SHOWREACT;
            const QImage image = renderView(view);
            // Between the rows, from under the link beam down to the sliding
            // surfaces, where no soil pressure is drawn.
            const QPointF topLeft = pixelOf(view, QPointF(0.0, doc->linkBeam.leftYg - 0.5));
            const QPointF bottomRight =
                pixelOf(view, QPointF(doc->base.row, doc->base.slideBackYg + 0.5));
            const QRect gap = QRectF(topLeft, bottomRight).toRect().adjusted(6, 0, -6, 0);
            return countPixels(image, gap, isOutline);
        };
        QVERIFY(gapPixels(INTERACTES, DOUBLEROW) > 20);
        QCOMPARE(gapPixels(INDEPENDENTK, DOUBLEROW), 0);
        QCOMPARE(gapPixels(INTERACTES, SINGLEROW), 0);
    }

    void brokenResultsAreDrawnWithoutHarm()
    {
        View view;
        view.resize(600, 600);
        place(view);
        analyse(view);
        Document *doc = view.document();
        const qsizetype count = doc->nodes.size();
        doc->results[0].i = int(count) + 5;
        doc->results[1].j = -3;
        doc->beams[0].j = int(count);
        doc->frontPile.sptindex = int(count) + 1;
        doc->backPile.sptindex = int(count) + 2;
        doc->frontPile.support = SUPPORTFREE;
        for (const qint32 bits : {0, SHOWDISPLACE, SHOWMOMENT, SHOWSHEAR, SHOWNORMAL, SHOWREACT}) {
            doc->status = SHOWRESULT | SHOWMARK | bits;
            QVERIFY(!renderView(view).isNull());
        }
        // Results without nodes: nothing but ground and surfaces.
        doc->nodes.clear();
        for (const qint32 bits : {0, SHOWMOMENT, SHOWREACT}) {
            doc->status = SHOWRESULT | SHOWMARK | bits;
            QVERIFY(!renderView(view).isNull());
        }
    }

    void diagramCommandsSelectOneDiagram()
    {
        PromptRecorder prompts;
        MainWindow window;
        window.resize(1100, 800);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.openFile(example("default-analysed.qzp"));
        View *view = window.currentView();
        QVERIFY(view);
        Document *doc = view->document();
        QVERIFY(doc->status & SHOWRESULT);
        QVERIFY(action(window, "actAnalyse")->isChecked());
        QVERIFY(action(window, "actMoment")->isEnabled());
        place(*view);

        const auto [node, moment] = momentPeak(*doc);
        Q_UNUSED(moment);
        const QPointF peak = pixelOf(*view, node + QPointF(displayOffset * 0.5, 0.0));
        const auto peakDrawn = [&] {
            return countPixels(renderView(*view), around(peak, 2), isOutline) >= 3;
        };

        action(window, "actMoment")->trigger();
        QCOMPARE(doc->status & ~SHOWMARK, SHOWRESULT | SHOWMOMENT);
        QVERIFY(peakDrawn());
        // The shear is nil where the moment peaks.
        action(window, "actShear")->trigger();
        QCOMPARE(doc->status & ~SHOWMARK, SHOWRESULT | SHOWSHEAR);
        QVERIFY(!action(window, "actMoment")->isChecked());
        QVERIFY(!peakDrawn());
        action(window, "actReact")->trigger();
        QCOMPARE(doc->status & ~SHOWMARK, SHOWRESULT | SHOWREACT);
        action(window, "actMoment")->trigger();
        QVERIFY(peakDrawn());
        action(window, "actMoment")->trigger();
        QCOMPARE(doc->status & ~SHOWMARK, SHOWRESULT);
        QVERIFY(!peakDrawn());
    }

    void analysedProjectOpensAgainWithItsDiagrams()
    {
        PromptRecorder prompts;
        const QString path = m_files.filePath(QStringLiteral("analysed.qzp"));
        Diagram saved;
        {
            View writer;
            writer.newFile();
            QVERIFY(writer.document()->analyse());
            writer.document()->status = SHOWRESULT | SHOWMOMENT | SHOWMARK;
            saved = memberDiagram(*writer.document(), DiagramKind::Moment, displayOffset);
            QVERIFY(writer.saveFile(path));
        }

        MainWindow window;
        window.resize(1100, 800);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.openFile(path);
        View *view = window.currentView();
        QVERIFY(view);
        QCOMPARE(view->windowTitle(), QStringLiteral("analysed.qzp"));
        Document *doc = view->document();
        QCOMPARE(doc->status, SHOWRESULT | SHOWMOMENT | SHOWMARK);
        QVERIFY(action(window, "actMoment")->isChecked());
        QVERIFY(action(window, "actShear")->isEnabled());

        // The diagram of the file is the one of the analysis (numbers are
        // written with six significant digits).
        const Diagram read = memberDiagram(*doc, DiagramKind::Moment, displayOffset);
        QCOMPARE(read.outline.size(), saved.outline.size());
        for (qsizetype n = 0; n < read.outline.size(); ++n) {
            const QPointF a = read.outline.at(n).p2();
            const QPointF b = saved.outline.at(n).p2();
            QVERIFY(std::fabs(a.x() - b.x()) < 1e-4 && std::fabs(a.y() - b.y()) < 1e-4);
        }
        place(*view);
        const auto [node, moment] = momentPeak(*doc);
        Q_UNUSED(moment);
        const QPointF peak = pixelOf(*view, node + QPointF(displayOffset * 0.5, 0.0));
        QVERIFY(countPixels(renderView(*view), around(peak, 2), isOutline) >= 3);
        QVERIFY(!doc->messages.join(QString()).contains(QStringLiteral("试算")));
    }

    void statusBarSettingsRedrawTheDiagram()
    {
        PromptRecorder prompts;
        MainWindow window;
        window.resize(1100, 800);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.openFile(example("default-analysed.qzp"));
        View *view = window.currentView();
        QVERIFY(view);
        place(*view);
        action(window, "actMoment")->trigger();
        QApplication::processEvents();

        PaintCounter counter;
        view->installEventFilter(&counter);
        auto *offset = window.findChild<QSpinBox *>(QStringLiteral("spinOffset"));
        offset->setValue(6);
        QApplication::processEvents();
        QVERIFY(counter.paints > 0);
        const auto [node, moment] = momentPeak(*view->document());
        Q_UNUSED(moment);
        QVERIFY(countPixels(renderView(*view), around(pixelOf(*view, node + QPointF(3.0, 0.0)), 2),
                    isOutline)
            >= 3);

        counter.paints = 0;
        window.findChild<QSpinBox *>(QStringLiteral("spinFontSize"))->setValue(70);
        QApplication::processEvents();
        QVERIFY(counter.paints > 0);
        view->removeEventFilter(&counter);
    }
};

QTEST_MAIN(TestResultDrawing)
#include "tst_gui_resultdrawing.moc"
