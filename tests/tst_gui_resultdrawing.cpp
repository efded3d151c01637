// The result mode as painted: supports, springs and diagrams where the
// View's transform puts them, labels and unit notes only when asked for,
// damaged results, the diagram commands and display settings of the main
// window, and analysed projects that are saved and opened again. Where a
// diagram lies is checked on its geometry in tst_gui_resultgeometry.

#include "guitestfixture.h"
#include "guitestsupport.h"

#include "app/mainwindow.h"
#include "document/document.h"
#include "report/figure.h"
#include "settings/settings.h"
#include "view/displaysettings.h"
#include "view/drawing.h"
#include "view/resultgeometry.h"
#include "view/view.h"

#include <QAction>
#include <QSpinBox>
#include <QtTest>

#include <algorithm>
#include <cmath>

namespace {

// 40 pixels per metre, origin at (400, 60): a 15 m pile ends at row 660.
void place(View &view)
{
    view.document()->setFittedScale(40.0);
    view.document()->setView(40.0, 400, 60);
    view.updateTransform();
}

// Results shown with the labels and the diagram that `status` names.
void showResults(Document &doc, qint32 status)
{
    doc.setMarksShown(status & SHOWMARK);
    doc.showDiagram(status & ~(SHOWRESULT | SHOWMARK));
}

// The placed view of the analysed new project, in the result mode.
bool showAnalysed(View &view, QSize size = QSize(900, 760))
{
    view.resize(size);
    place(view);
    return view.document()->analyse();
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

// The node at the end of the element whose end moment is largest.
QPointF momentPeak(const Document &doc)
{
    const ResultInfo *largest = &doc.project().results.first();
    for (const ResultInfo &r : doc.project().results) {
        if (std::fabs(r.Mj) > std::fabs(largest->Mj))
            largest = &r;
    }
    return QPointF(doc.project().nodes.at(largest->j).Xg, doc.project().nodes.at(largest->j).Yg);
}

// The view of a main window that has opened the file.
View *openInWindow(MainWindow &window, const QString &path)
{
    window.resize(1100, 800);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return nullptr;
    window.openFile(path);
    return window.currentView();
}

QString example(const char *name)
{
    return QStringLiteral(RIDEZU_SOURCE_DIR "/examples/") + QLatin1String(name);
}

QAction *action(const MainWindow &window, const char *name)
{
    return window.findChild<QAction *>(QLatin1String(name));
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

} // namespace

class TestResultDrawing : public QObject
{
    Q_OBJECT

    QTemporaryDir m_files;

private slots:
    void initTestCase() { QVERIFY(m_files.isValid()); }

    void init()
    {
        openSettings().clear();
        displayFontSize = Settings::FontSizeDefault;
        displayOffset = Settings::OffsetDefault;
    }

    void pileBottomSupportsByTheirKind()
    {
        // Grey pixels right of the pile, 0.5 m out: the fixed symbol's line
        // lies at the bottom itself, the hinge's 0.4 m lower. A 1-pixel black
        // line between two pixel rows is painted grey into both.
        const auto bottomPixels = [](qint16 support) {
            View view;
            Project p = view.document()->project();
            p.frontPile.support = support;
            p.anchors.clear();
            view.document()->replaceProject(p);
            if (!showAnalysed(view, QSize(800, 760)))
                return QPair<int, int>(-1, -1);
            const QImage image = renderView(view);
            const double yb = view.document()->project().frontPile.bottomYg;
            return QPair<int, int>(
                countPixels(image, around(pixelOf(view, QPointF(0.5, yb)), 1), isGreyish),
                countPixels(image, around(pixelOf(view, QPointF(0.5, yb - 0.4)), 1), isGreyish));
        };
        const QPair<int, int> hinged = bottomPixels(SUPPORTHINGED);
        QCOMPARE(hinged.first, 0);
        QVERIFY(hinged.second >= 3);
        const QPair<int, int> fixed = bottomPixels(SUPPORTFIXED);
        QVERIFY(fixed.first >= 3);
        QCOMPARE(fixed.second, 0);
        QCOMPARE(bottomPixels(SUPPORTFREE), qMakePair(0, 0));
    }

    // Springs show only while no diagram is selected; values and unit notes
    // only with marks.
    void springsLabelsAndNotes()
    {
        View view;
        QVERIFY(showAnalysed(view, QSize(1000, 760)));
        Document *doc = view.document();
        renderView(view); // the first paint delivers the resize, which sets the label scale
        // A soil spring in front of the pile, well below the excavation; its
        // value stands left of its end. The moment there is drawn on the
        // other side of the pile.
        const QList<SpringSymbol> springs = nodeSprings(doc->project(), displayOffset);
        const auto spring = std::find_if(springs.cbegin(), springs.cend(), [&](const auto &s) {
            return s.end.x() < 0.0 && s.end.y() < doc->project().base.cutYg - 3.0;
        });
        QVERIFY(spring != springs.cend() && spring->labelled);
        const QPointF end = pixelOf(view, spring->end);
        const QRect zigZag(end.toPoint() + QPoint(12, -4), QSize(16, 9));
        const QRect value(end.toPoint() + QPoint(-60, -6), QSize(56, 13));
        // Beyond the moment outline, right of its largest value: its label.
        const QPointF peak = pixelOf(view, momentPeak(*doc) + QPointF(displayOffset * 0.5, 0.0));
        const QRect label(peak.toPoint() + QPoint(3, -8), QSize(70, 17));
        // Unit notes start 1 m right of the model box; a second line one step
        // lower names the units of forces beside those of the reaction.
        const QPointF note =
            pixelOf(view, doc->project().modelBounds().topRight() + QPointF(1.0, 0.0));
        const int step = qRound(view.textPixelSize() * 0.015 * doc->project().blc);
        const QRect first(note.toPoint() + QPoint(0, 2), QSize(150, step - 4));
        const QRect second = first.translated(0, step);
        const auto count = [&](qint32 status, const QRect &area, bool (*test)(QColor)) {
            showResults(*doc, status);
            return countPixels(renderView(view), area, test);
        };

        QVERIFY(count(SHOWRESULT, zigZag, isAccent) > 5);
        QCOMPARE(count(SHOWRESULT | SHOWMOMENT, zigZag, isAccent), 0);
        QCOMPARE(count(SHOWRESULT, value, isAccent), 0);
        QVERIFY(count(SHOWRESULT | SHOWMARK, value, isAccent) > 10);
        QCOMPARE(count(SHOWRESULT | SHOWMOMENT, label, isAccent), 0);
        QVERIFY(count(SHOWRESULT | SHOWMOMENT | SHOWMARK, label, isAccent) > 10);
        QCOMPARE(count(SHOWRESULT | SHOWREACT, first, isGreyish), 0);
        QVERIFY(count(SHOWRESULT | SHOWMARK | SHOWMOMENT, first, isGreyish) > 20);
        QCOMPARE(count(SHOWRESULT | SHOWMARK | SHOWMOMENT, second, isGreyish), 0);
        QVERIFY(count(SHOWRESULT | SHOWMARK | SHOWREACT, second, isGreyish) > 20);
    }

    void everyDiagramIsDrawnWhereItsGeometrySays_data()
    {
        QTest::addColumn<qint32>("bit");
        QTest::addColumn<int>("kind");
        QTest::newRow("displace") << SHOWDISPLACE << int(DiagramKind::Displacement);
        QTest::newRow("moment") << SHOWMOMENT << int(DiagramKind::Moment);
        QTest::newRow("shear") << SHOWSHEAR << int(DiagramKind::Shear);
        QTest::newRow("normal") << SHOWNORMAL << int(DiagramKind::Normal);
        QTest::newRow("react") << SHOWREACT << int(DiagramKind::Reaction);
    }

    // The outer end of the longest ordinate lies on the painted outline.
    void everyDiagramIsDrawnWhereItsGeometrySays()
    {
        QFETCH(qint32, bit);
        QFETCH(int, kind);
        View view;
        view.resize(900, 1000);
        QVERIFY(view.loadFile(example("doublerow-analysed.qzp")));
        place(view);
        Document *doc = view.document();
        showResults(*doc, SHOWRESULT | bit);
        const QImage image = renderView(view);

        const Diagram d = bit == SHOWREACT
            ? reactionDiagram(doc->project(), displayOffset)
            : memberDiagram(doc->project(), DiagramKind(kind), displayOffset);
        QVERIFY(!d.ordinates.isEmpty());
        const QLineF longest = *std::max_element(d.ordinates.cbegin(), d.ordinates.cend(),
            [](const QLineF &a, const QLineF &b) { return a.length() < b.length(); });
        QVERIFY(longest.length() > 0.4 * displayOffset);
        QVERIFY(countPixels(image, around(pixelOf(view, longest.p2()), 2), isOutline) >= 2);
    }

    void damagedResultsAreDrawnWithoutHarm()
    {
        View view;
        QVERIFY(showAnalysed(view, QSize(600, 600)));
        Document *doc = view.document();
        Project damaged = doc->project();
        const int count = int(damaged.nodes.size());
        damaged.results[0].i = count + 5;
        damaged.results[1].j = -3;
        damaged.beams[0].j = count;
        damaged.frontPile.sptindex = count + 1;
        damaged.backPile.sptindex = count + 2;
        damaged.frontPile.support = SUPPORTFREE;
        doc->replaceProject(damaged);
        for (const qint32 bits : {0, SHOWDISPLACE, SHOWMOMENT, SHOWSHEAR, SHOWNORMAL, SHOWREACT}) {
            showResults(*doc, SHOWRESULT | SHOWMARK | bits);
            QVERIFY(!renderView(view).isNull());
        }
        // Results without nodes.
        damaged.nodes.clear();
        doc->replaceProject(damaged);
        for (const qint32 bits : {0, SHOWMOMENT, SHOWREACT}) {
            showResults(*doc, SHOWRESULT | SHOWMARK | bits);
            QVERIFY(!renderView(view).isNull());
        }
    }

    // Each diagram command shows its diagram alone, a second trigger hides
    // it; the status bar's settings redraw the diagram.
    void diagramCommandsAndDisplaySettings()
    {
        PromptRecorder prompts;
        MainWindow window;
        View *view = openInWindow(window, example("default-analysed.qzp"));
        QVERIFY(view);
        Document *doc = view->document();
        const auto shown = [&] { return doc->project().status & ~SHOWMARK; };

        action(window, "actMoment")->trigger();
        QCOMPARE(shown(), SHOWRESULT | SHOWMOMENT);
        action(window, "actShear")->trigger();
        QCOMPARE(shown(), SHOWRESULT | SHOWSHEAR);
        QVERIFY(!action(window, "actMoment")->isChecked());
        action(window, "actReact")->trigger();
        QCOMPARE(shown(), SHOWRESULT | SHOWREACT);
        QVERIFY(!action(window, "actShear")->isChecked());
        action(window, "actMoment")->trigger();
        QCOMPARE(shown(), SHOWRESULT | SHOWMOMENT);
        action(window, "actMoment")->trigger();
        QCOMPARE(shown(), SHOWRESULT);
        QVERIFY(!action(window, "actMoment")->isChecked());

        action(window, "actMoment")->trigger();
        place(*view);
        QApplication::processEvents();
        PaintCounter counter;
        view->installEventFilter(&counter);
        window.findChild<QSpinBox *>(QStringLiteral("spinOffset"))->setValue(6);
        QApplication::processEvents();
        QVERIFY(counter.paints > 0);
        const QPointF peak = pixelOf(*view, momentPeak(*doc) + QPointF(3.0, 0.0));
        QVERIFY(countPixels(renderView(*view), around(peak, 2), isOutline) >= 3);
        counter.paints = 0;
        window.findChild<QSpinBox *>(QStringLiteral("spinFontSize"))->setValue(70);
        QApplication::processEvents();
        QVERIFY(counter.paints > 0);
        view->removeEventFilter(&counter);
    }

    // No label of a result drawing covers another: values, node numbers,
    // spring values, unit notes and the names of the ground, layers and
    // surfaces, at the label size of a fitted view and at twice it.
    void labelsStandApart()
    {
        for (const char *file :
            {"default-analysed.qzp", "doublerow-analysed.qzp", "singlerow-anchors-analysed.qzp"}) {
            View view;
            QVERIFY(view.loadFile(example(file)));
            for (const qint32 bit :
                {0, SHOWDISPLACE, SHOWMOMENT, SHOWSHEAR, SHOWNORMAL, SHOWREACT}) {
                for (const int size : {40, 80}) {
                    DisplaySettings display;
                    display.status = SHOWRESULT | SHOWMARK | bit;
                    display.labelSize = size;
                    const QList<QRectF> boxes =
                        Drawing(view.document()->project(), display).writtenLabels();
                    QVERIFY(boxes.size() > 10);
                    for (qsizetype m = 0; m < boxes.size(); ++m) {
                        // Two labels on one line keep a little room between them.
                        const double room = 0.1 * boxes.at(m).height();
                        const QRectF spaced = boxes.at(m).adjusted(-room, 0.0, room, 0.0);
                        for (qsizetype n = m + 1; n < boxes.size(); ++n) {
                            QVERIFY2(!spaced.intersects(boxes.at(n)),
                                qPrintable(QStringLiteral("%1 %2 %3: %4 %5")
                                               .arg(file)
                                               .arg(bit)
                                               .arg(size)
                                               .arg(m)
                                               .arg(n)));
                        }
                    }
                }
            }
        }
    }

    // The structure figure of the report holds its labels whole: the levels
    // and names written left of a thick front pile leave no ink at the
    // figure's edges, where the figure would cut them off.
    void figureKeepsItsLabelsInside()
    {
        for (const char *file : {"default.qzp", "doublerow.qzp", "singlerow-anchors.qzp"}) {
            View view;
            QVERIFY(view.loadFile(example(file)));
            Project p = view.document()->project();
            p.frontPile.shp = SECTROUND;
            p.frontPile.diameter = 3.0;
            p.updateGeometry();
            DisplaySettings display;
            display.status = SHOWDATA | SHOWMARK;
            display.unitNotes = false;
            const QImage image = figureImage(p, display, 1200, 18.0);
            const auto inkAt = [&](int x) {
                for (int y = 0; y < image.height(); ++y) {
                    if (qGray(image.pixel(x, y)) < 160)
                        return true;
                }
                return false;
            };
            QVERIFY2(!inkAt(0) && !inkAt(image.width() - 1), file);
        }
    }

    void analysedProjectOpensAgainWithItsDiagrams()
    {
        PromptRecorder prompts;
        const QString path = m_files.filePath(QStringLiteral("analysed.qzp"));
        qsizetype elements = 0;
        {
            View writer;
            writer.newFile();
            QVERIFY(writer.document()->analyse());
            showResults(*writer.document(), SHOWRESULT | SHOWMOMENT | SHOWMARK);
            elements = writer.document()->project().results.size();
            QVERIFY(writer.saveFile(path));
        }

        MainWindow window;
        View *view = openInWindow(window, path);
        QVERIFY(view);
        QCOMPARE(view->windowTitle(), QStringLiteral("analysed.qzp"));
        const Document *doc = view->document();
        QCOMPARE(doc->project().status, SHOWRESULT | SHOWMOMENT | SHOWMARK);
        QVERIFY(action(window, "actMoment")->isChecked());
        QVERIFY(action(window, "actShear")->isEnabled());
        QCOMPARE(doc->project().results.size(), elements);
        QCOMPARE(memberDiagram(doc->project(), DiagramKind::Moment, displayOffset).outline.size(),
            elements);
        QVERIFY(!doc->messages.join(QString()).contains(QStringLiteral("试算"))); // not re-run
    }
};

RIDEZU_GUI_TEST_MAIN(TestResultDrawing)
#include "tst_gui_resultdrawing.moc"
