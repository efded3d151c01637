// The View of a project tab: fitting, zoom, pan, coordinates and what the
// input drawing puts where.

#include "guitestfixture.h"
#include "guitestsupport.h"

#include "document/document.h"
#include "view/displaysettings.h"
#include "view/view.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QWheelEvent>
#include <QtTest>

#include <cmath>

namespace {

// An 800 x 600 view with a fixed, round transform so that model points fall
// on whole pixels: (x, y) in metres is drawn at (400 + 20 x, 100 - 20 y).
void placeRound(View &view)
{
    view.resize(800, 600);
    view.document()->setFittedScale(20.0);
    view.document()->setView(20.0, 400, 100);
    view.updateTransform();
}

QPointF pixelOf(const View &view, double x, double y)
{
    return view.transform().map(QPointF(x, y));
}

QImage renderView(View &view)
{
    QImage image(view.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    view.render(&image);
    return image;
}

void sendWheel(View &view, QPointF pos, int delta, int sideways = 0)
{
    QWheelEvent event(pos, view.mapToGlobal(pos), QPoint(), QPoint(sideways, delta), Qt::NoButton,
        Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &event);
}

void sendMouse(View &view, QEvent::Type type, QPointF pos, Qt::MouseButton button,
    Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent event(type, pos, view.mapToGlobal(pos), button, buttons, modifiers);
    QApplication::sendEvent(&view, &event);
}

// Counts paint events of a widget.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// Press at one point, move to the other, release there.
void drag(View &view, Qt::MouseButton button, QPointF from, QPointF to,
    Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    sendMouse(view, QEvent::MouseButtonPress, from, button, button, modifiers);
    sendMouse(view, QEvent::MouseMove, to, Qt::NoButton, button, modifiers);
    sendMouse(view, QEvent::MouseButtonRelease, to, button, Qt::NoButton, modifiers);
}

ForceInfo distributedLoad(double q)
{
    ForceInfo f;
    f.type = LOADDIST;
    f.object = OBJPILE;
    f.direction = DIRHORIZONTAL;
    f.distance = 2.0;
    f.length = 3.5;
    f.q1 = q;
    f.q2 = q;
    return f;
}

} // namespace

class TestView : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        displayFontSize = 40;
        displayOffset = 2;
    }

    void fitViewShowsTheWholeModel()
    {
        for (const QSize size : {QSize(900, 600), QSize(600, 900), QSize(1400, 500)}) {
            for (int form : {SINGLEROW, DOUBLEROW}) {
                View view;
                view.resize(size);
                Document *doc = view.document();
                Project input = doc->project();
                input.base.PileForm = form;
                input.updateGeometry();
                doc->replaceProject(input);
                view.fitView();
                QCOMPARE(doc->project().blc, doc->project().blcfull);
                QCOMPARE(doc->project().x0, int(size.width() * 0.4));
                QCOMPARE(doc->project().y0, 80);
                // The whole drawing, the plan sketch under the piles and the
                // anchors with their bond lengths included, lies inside the
                // widget less 10 pixels on every side, and touches the
                // margin on at least one side (the largest such scale).
                QVERIFY(!doc->project().anchors.isEmpty());
                QRectF drawn = doc->project().modelBounds().normalized();
                for (const AnchorInfo &anchor : doc->project().anchors) {
                    for (const QPointF p : {QPointF(anchor.x1g, anchor.y1g),
                             QPointF(anchor.x2g, anchor.y2g), QPointF(anchor.x3g, anchor.y3g)})
                        drawn = drawn.united(QRectF(p, QSizeF(1e-9, 1e-9)));
                }
                QVERIFY(drawn.right() > doc->project().modelBounds().right() + 5.0);
                const QRectF box = view.transform().mapRect(drawn);
                const QRectF inner = QRectF(view.rect()).adjusted(10, 10, -10, -10);
                QVERIFY(inner.adjusted(-1e-6, -1e-6, 1e-6, 1e-6).contains(box));
                QVERIFY(qAbs(box.left() - inner.left()) < 1.0
                    || qAbs(box.right() - inner.right()) < 1.0
                    || qAbs(box.bottom() - inner.bottom()) < 1.0);
            }
        }
    }

    void fitViewOfDegenerateModels()
    {
        // No extent: the default box, 36 m wide from x = -18 and 25 m deep, fits.
        View flat;
        flat.resize(740, 520);
        Document *doc = flat.document();
        Project input = doc->project();
        input.frontPile.length = 0.0;
        input.base.space = 0.0;
        input.updateGeometry();
        doc->replaceProject(input);
        QCOMPARE(doc->project().modelBounds().height(), 0.0);
        flat.fitView();
        const QRectF box = flat.transform().mapRect(QRectF(-18.0, 0.0, 36.0, -25.0));
        QVERIFY(QRectF(flat.rect())
                    .adjusted(10 - 1e-6, 10 - 1e-6, -10 + 1e-6, -10 + 1e-6)
                    .contains(box));
        QVERIFY(doc->project().blc > 10.0);

        // A huge model stops at the lowest scale.
        View huge;
        huge.resize(200, 200);
        input = huge.document()->project();
        input.frontPile.length = 400.0;
        input.updateGeometry();
        huge.document()->replaceProject(input);
        huge.fitView();
        QCOMPARE(huge.document()->project().blc, 1.0);
    }

    void firstShowPlacesOnlyANeverPlacedProject()
    {
        // The view is placed when it is shown, before the first paint.
        const auto shown = [](View &view) {
            view.resize(640, 480);
            view.show();
            QVERIFY(QTest::qWaitForWindowExposed(&view));
        };
        // A project never drawn at all (1 pixel per metre) is fitted.
        View view;
        Document *doc = view.document();
        QCOMPARE(doc->project().blc, 1.0);
        QCOMPARE(doc->project().y0, -50);
        shown(view);
        View fitted;
        fitted.resize(640, 480);
        fitted.fitView();
        QCOMPARE(doc->project().blc, fitted.document()->project().blc);
        QCOMPARE(view.transform(), fitted.transform());
        QVERIFY(doc->project().blc > 1.0);

        // A scale of its own is kept, the origin placed; a stored origin is
        // kept too.
        View scaled;
        scaled.document()->setView(
            7.0, scaled.document()->project().x0, scaled.document()->project().y0);
        shown(scaled);
        QCOMPARE(scaled.document()->project().blc, 7.0);
        QCOMPARE(scaled.transform().map(QPointF(0, 0)), QPointF(320, 48));
        View placed;
        placed.document()->setView(placed.document()->project().blc, 17, 33);
        placed.updateTransform();
        shown(placed);
        QCOMPARE(placed.document()->project().x0, 17);
        QCOMPARE(placed.document()->project().y0, 33);
        QCOMPARE(placed.document()->project().blc, 1.0);
    }

    // A resize scales the view as a fit to the new size would: a fitted
    // view stays fitted, a zoomed one keeps its labels and its drawing in
    // view.
    void resizeKeepsTheDrawingInViewAndItsLabels()
    {
        const auto fitted = [](const QSize &size) {
            View view;
            view.resize(size);
            view.fitView();
            return view.transform();
        };
        View view;
        view.resize(900, 600);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.fitView();
        Document *doc = view.document();
        view.resize(450, 300);
        QCOMPARE(view.transform(), fitted(QSize(450, 300)));

        // Zoomed in twice beyond the fit, the model origin at the centre.
        doc->setView(2.0 * doc->project().blcfull, 225, 150);
        view.updateTransform();
        const int label = view.textPixelSize();
        QVERIFY(label < displayFontSize);
        for (const QSize size : {QSize(1400, 900), QSize(300, 700), QSize(900, 600)}) {
            view.resize(size);
            QCOMPARE(doc->project().blcfull, fitted(size).m11());
            QVERIFY(qFuzzyCompare(doc->project().blc, 2.0 * doc->project().blcfull));
            QCOMPARE(view.textPixelSize(), label);
            const QPointF origin = view.transform().map(QPointF(0.0, 0.0));
            QVERIFY2(
                QRectF(view.rect()).contains(origin), qPrintable(QString::number(size.width())));
        }
    }

    void wheelZoomKeepsThePointUnderTheCursorWithinItsLimits()
    {
        View view;
        placeRound(view);
        Document *doc = view.document();
        const QPointF cursor(523, 317);
        const QPointF before = view.transform().inverted().map(cursor);
        // How far, in pixels, the point under the cursor has moved.
        const auto drift = [&] {
            const QPointF now = view.transform().inverted().map(cursor);
            return std::max(std::fabs(now.x() - before.x()), std::fabs(now.y() - before.y()))
                * doc->project().blc;
        };
        // A tilt wheel or a sideways touchpad swipe turns only horizontally:
        // it neither zooms out nor moves the drawing.
        for (const int sideways : {-120, 120}) {
            sendWheel(view, cursor, 0, sideways);
            QCOMPARE(doc->project().blc, 20.0);
            QCOMPARE(view.transform().map(QPointF(0, 0)), QPointF(400, 100));
        }
        sendWheel(view, cursor, 120);
        QCOMPARE(doc->project().blc, 22.0);
        QVERIFY(drift() < 1.0); // the origin is kept in whole pixels
        sendWheel(view, cursor, -120);
        QCOMPARE(doc->project().blc, 20.0);
        QVERIFY(drift() < 2.0);

        // Zooming stops at 500 and 1 pixels per metre; a turn of the wheel at
        // a limit does not even repaint.
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        PaintCounter counter;
        view.installEventFilter(&counter);
        const auto paintsAfterWheel = [&](int delta) {
            QApplication::processEvents();
            counter.paints = 0;
            sendWheel(view, QPointF(300, 250), delta);
            QApplication::processEvents();
            return counter.paints;
        };
        doc->setView(480.0, doc->project().x0, doc->project().y0);
        QVERIFY(paintsAfterWheel(120) > 0);
        QCOMPARE(doc->project().blc, 500.0);
        QCOMPARE(paintsAfterWheel(120), 0);
        QCOMPARE(doc->project().blc, 500.0);
        doc->setView(1.05, doc->project().x0, doc->project().y0);
        QVERIFY(paintsAfterWheel(-120) > 0);
        QCOMPARE(doc->project().blc, 1.0);
        QCOMPARE(paintsAfterWheel(-120), 0);
        QCOMPARE(doc->project().blc, 1.0);
        view.removeEventFilter(&counter);
    }

    void middleOrCtrlLeftButtonPansAndMiddleDoubleClickFits()
    {
        View view;
        placeRound(view);
        Document *doc = view.document();
        QSignalSpy spy(&view, &View::mousePositionChanged);

        sendMouse(
            view, QEvent::MouseButtonPress, QPointF(100, 100), Qt::MiddleButton, Qt::MiddleButton);
        QCOMPARE(view.cursor().shape(), Qt::ClosedHandCursor);
        sendMouse(view, QEvent::MouseMove, QPointF(130, 80), Qt::NoButton, Qt::MiddleButton);
        QCOMPARE(doc->project().x0, 430);
        QCOMPARE(doc->project().y0, 80);
        sendMouse(view, QEvent::MouseMove, QPointF(140, 90), Qt::NoButton, Qt::MiddleButton);
        QCOMPARE(doc->project().x0, 440);
        QCOMPARE(doc->project().y0, 90);
        sendMouse(
            view, QEvent::MouseButtonRelease, QPointF(140, 90), Qt::MiddleButton, Qt::NoButton);
        QCOMPARE(view.cursor().shape(), Qt::ArrowCursor);
        // Without a button held no move arrives: the mouse is not tracked.
        sendMouse(view, QEvent::MouseMove, QPointF(160, 90), Qt::NoButton, Qt::NoButton);
        QCOMPARE(doc->project().x0, 440);
        // Each move reports the model point under the mouse, computed with
        // the origin before that move's pan.
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(0).at(0).toPointF(), QPointF((130 - 400) / 20.0, (100 - 80) / 20.0));
        QCOMPARE(spy.at(1).at(0).toPointF(), QPointF((140 - 430) / 20.0, (80 - 90) / 20.0));

        // The left button pans only with Ctrl held.
        drag(view, Qt::LeftButton, QPointF(100, 100), QPointF(150, 100));
        QCOMPARE(doc->project().x0, 440);
        drag(view, Qt::LeftButton, QPointF(100, 100), QPointF(150, 110), Qt::ControlModifier);
        QCOMPARE(doc->project().x0, 490);
        QCOMPARE(doc->project().y0, 100);

        // A double click of the middle button fits the view.
        doc->setView(77.0, doc->project().x0, doc->project().y0);
        sendMouse(
            view, QEvent::MouseButtonDblClick, QPointF(50, 50), Qt::LeftButton, Qt::LeftButton);
        QCOMPARE(doc->project().blc, 77.0);
        sendMouse(
            view, QEvent::MouseButtonDblClick, QPointF(50, 50), Qt::MiddleButton, Qt::MiddleButton);
        QCOMPARE(doc->project().blc, doc->project().blcfull);
        QCOMPARE(doc->project().y0, 80);
    }

    void labelsShrinkWhenZoomedInButNotBelowTheFloor()
    {
        View view;
        Document *doc = view.document();
        doc->setFittedScale(10.0);
        const auto sizeAt = [&](double blc) {
            doc->setView(blc, doc->project().x0, doc->project().y0);
            return view.textPixelSize();
        };
        QCOMPARE(sizeAt(10.0), 40);
        QCOMPARE(sizeAt(5.0), 40);
        QCOMPARE(sizeAt(16.0), 25);
        QCOMPARE(sizeAt(40.0), 20);
        displayFontSize = 100;
        QCOMPARE(view.textPixelSize(), 25);
    }

    void arrowsAndLabelsAreDrawnAtTheirPoints()
    {
        // 1 m = 100 px, y up, the model origin at pixel (200, 200).
        const auto drawn = [](const std::function<void(QPainter &)> &draw) {
            QImage image(400, 400, QImage::Format_ARGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            painter.setTransform(QTransform(100, 0, 0, -100, 200, 200));
            painter.setPen(QPen(Qt::black, 0));
            draw(painter);
            painter.end();
            return image;
        };
        const QImage arrow = drawn([](QPainter &painter) {
            View::drawArrow(painter, QPointF(0.2, 1.0), QPointF(1.5, 1.0));
        });
        // Shaft along y = 1 m (pixel row 100); the strokes end 0.25 m back
        // from the head, 0.125 m to either side.
        QVERIFY(countPixels(arrow, QRect(240, 99, 80, 3), isBlackish) > 60);
        QVERIFY(countPixels(arrow, around(QPointF(350 - 21.65, 100 - 12.5), 1), isBlackish) > 0);
        QVERIFY(countPixels(arrow, around(QPointF(350 - 21.65, 100 + 12.5), 1), isBlackish) > 0);

        // The ink of a 40 px label at the origin.
        const auto inkBox = [&](int alignment) {
            const QImage image = drawn([&](QPainter &painter) {
                View::drawLabel(painter, QPointF(0, 0), QStringLiteral("抗滑桩"), 40, alignment);
            });
            QRect box;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (isBlackish(image.pixelColor(x, y)))
                        box |= QRect(x, y, 1, 1);
            return box;
        };
        const QRect leftBottom = inkBox(Qt::AlignLeft | Qt::AlignBottom);
        QVERIFY(leftBottom.left() >= 199 && leftBottom.left() < 210);
        QVERIFY(leftBottom.bottom() <= 205 && leftBottom.bottom() > 185);
        QVERIFY(leftBottom.height() > 25 && leftBottom.height() < 50);
        const QRect rightTop = inkBox(Qt::AlignRight | Qt::AlignTop);
        QVERIFY(rightTop.right() <= 201 && rightTop.right() > 190);
        QVERIFY(rightTop.top() >= 195 && rightTop.top() < 215);
        const QRect centred = inkBox(Qt::AlignHCenter | Qt::AlignVCenter);
        QVERIFY(std::abs(centred.center().x() - 200) <= 4);
        QVERIFY(std::abs(centred.center().y() - 200) <= 8);
    }

    void inputDrawingPutsPileGroundAndSurfacesInPlace()
    {
        View view;
        placeRound(view);
        Document *doc = view.document();
        Project input = doc->project();
        input.base.slideBackH = 8.0;
        input.updateBaseData();
        doc->replaceProject(input);
        const QImage image = renderView(view);
        const double a = doc->project().frontPile.diameter / 2.0;
        const double L = doc->project().frontPile.length;

        // Pile outline: black on both faces halfway down, and along the top.
        QVERIFY(countPixels(image, around(pixelOf(view, -a, -L / 2)), isBlackish) >= 5);
        QVERIFY(countPixels(image, around(pixelOf(view, a, -L / 2)), isBlackish) >= 5);
        QVERIFY(countPixels(image, around(pixelOf(view, 0.1, -L)), isBlackish) >= 5);
        // Nothing black outside the pile at mid depth.
        QCOMPARE(countPixels(image, around(pixelOf(view, -2.0 * a - 0.5, -L / 2)), isBlackish), 0);

        // Ground line, dark green, from the pile face 6 m to the right, at 0.
        const int ground = qRound(pixelOf(view, 0, 0).y());
        const int faceX = qRound(pixelOf(view, a, 0).x());
        const int endX = qRound(pixelOf(view, a + 6.0, 0).x());
        QVERIFY(countPixels(image, QRect(faceX + 4, ground - 1, endX - faceX - 50, 3), isGreenish)
            > endX - faceX - 60);
        QCOMPARE(countPixels(image, QRect(faceX - 200, ground - 1, 150, 3), isGreenish), 0);

        // Back sliding surface, red and dashed, behind the pile at -8 m.
        const int slide = qRound(pixelOf(view, 0, -8.0).y());
        const int reds =
            countPixels(image, QRect(faceX + 2, slide - 1, endX - faceX - 60, 3), isReddish);
        QVERIFY(reds > 20);
        QVERIFY(reds < 3 * (endX - faceX - 60)); // gaps of the dashes
        // Excavation face, dark green, in front of the pile at -6 m.
        const int cut = qRound(pixelOf(view, 0, doc->project().base.cutYg).y());
        const int frontX = qRound(pixelOf(view, -a, 0).x());
        QVERIFY(countPixels(image, QRect(frontX - 100, cut - 1, 90, 3), isGreenish) > 80);
        // Boundary between the two layers, at the bottom of the first.
        const int layer = qRound(pixelOf(view, 0, doc->project().soils.at(0).bottomY).y());
        QVERIFY(countPixels(image, QRect(faceX + 4, layer - 1, 60, 3), isGreenish) > 40);
        // Anchors and thrust in dark red: the middle of the thick bond
        // length, and thrust arrows ending on the back face under the ground.
        QVERIFY(!doc->project().anchors.isEmpty());
        const AnchorInfo &anchor = doc->project().anchors.first();
        const QPointF bond =
            pixelOf(view, (anchor.x2g + anchor.x3g) / 2.0 - a, (anchor.y2g + anchor.y3g) / 2.0);
        QVERIFY(countPixels(image, around(bond, 1), isReddish) >= 4);
        QVERIFY(countPixels(image, QRect(pixelOf(view, a, -1.0).toPoint(), QSize(30, 1)), isReddish)
            > 0);

        // A front sliding surface is drawn only below the excavation.
        input.base.slideFrontH = input.base.cutH;
        input.updateBaseData();
        doc->replaceProject(input);
        int y = qRound(pixelOf(view, 0, doc->project().base.slideFrontYg).y());
        QCOMPARE(countPixels(renderView(view), QRect(frontX - 100, y - 3, 90, 7), isReddish), 0);
        input.base.slideFrontH = input.base.cutH + 3.0;
        input.updateBaseData();
        doc->replaceProject(input);
        y = qRound(pixelOf(view, 0, doc->project().base.slideFrontYg).y());
        QVERIFY(countPixels(renderView(view), QRect(frontX - 100, y - 1, 90, 3), isReddish) > 20);

        // A layer boundary below the pile bottom is not drawn.
        input.frontPile.length = 10.0;
        input.updateGeometry();
        input.base.pforce = 0.0;
        input.updateBaseData();
        doc->replaceProject(input);
        QVERIFY(doc->project().soils.at(0).bottomY < doc->project().frontPile.bottomYg);
        QCOMPARE(countPixels(renderView(view), QRect(faceX + 4, layer - 2, 60, 5), isGreenish), 0);
    }

    void distributedLoadHasOneArrowPerMetre()
    {
        View view;
        placeRound(view);
        Document *doc = view.document();
        Project input = doc->project();
        input.base.aforce = 0.0; // no thrust arrows on the same face
        input.updateBaseData();
        doc->replaceProject(input);
        // A load of nothing draws nothing.
        const QImage before = renderView(view);
        input.AddForces = {distributedLoad(0.0)};
        input.placeForces();
        doc->replaceProject(input);
        QCOMPARE(renderView(view), before);

        input.AddForces = {distributedLoad(30.0)};
        input.placeForces();
        doc->replaceProject(input);
        const QImage image = renderView(view);
        // Positive loads push from the left face: shafts left of it.
        const double l = std::log10(32.0) * displayOffset * 0.25;
        const double shaftX = -doc->project().frontPile.diameter / 2.0 - l / 2.0;
        const auto shaftInk = [&](double depth) {
            const QPointF p = pixelOf(view, shaftX, -depth);
            return countPixels(image, QRect(p.toPoint() - QPoint(3, 1), QSize(7, 3)), isMagentaish);
        };
        for (const double depth : {2.0, 3.0, 4.0, 5.0, 5.5})
            QVERIFY2(shaftInk(depth) >= 3, qPrintable(QString::number(depth)));
        for (const double depth : {2.5, 3.5, 4.5})
            QCOMPARE(shaftInk(depth), 0);

        // A damaged file can carry any end point: the painting still ends
        // (a hang here runs into the test time-out), with a bounded number of arrows.
        input.AddForces[0].y2g = -1e12;
        doc->replaceProject(input);
        QVERIFY(countPixels(renderView(view), view.rect(), isMagentaish) > 0);
    }

    void singleRowSkipsForcesAndAnchorsOfTheBackRow()
    {
        View view;
        placeRound(view);
        Document *doc = view.document();
        const QImage before = renderView(view);
        ForceInfo onBack;
        onBack.type = LOADPNT;
        onBack.object = OBJBACKPILE;
        onBack.distance = 3.0;
        onBack.F = 100.0;
        ForceInfo onBeam = onBack;
        onBeam.object = OBJBEAM;
        Project input = doc->project();
        input.AddForces = {onBack, onBeam};
        AnchorInfo anchor = input.anchors.first();
        anchor.object = OBJBACKPILE;
        input.anchors.append(anchor);
        input.placeForces();
        input.placeAnchors();
        doc->replaceProject(input);
        QCOMPARE(renderView(view), before);

        // The same records are drawn once the project has a back row, which
        // brings its back pile and the link beam.
        input.base.PileForm = DOUBLEROW;
        input.updateGeometry();
        input.updateBaseData();
        input.updateSoilLayers();
        input.placeForces();
        input.placeAnchors();
        doc->replaceProject(input);
        const QImage withForces = renderView(view);
        input.AddForces.clear();
        doc->replaceProject(input);
        const QImage image = renderView(view);
        QVERIFY(image != withForces);

        const double row = doc->project().base.row;
        const double c = doc->project().backPile.diameter / 2.0;
        const double L = doc->project().backPile.length;
        QVERIFY(countPixels(image, around(pixelOf(view, row + c, -L / 2)), isBlackish) >= 5);
        QVERIFY(countPixels(image, around(pixelOf(view, row - c, -L / 2)), isBlackish) >= 5);
        // Link beam: its lower edge between the piles.
        const double beamY = doc->project().linkBeam.leftYg - doc->project().linkBeam.height / 2;
        QVERIFY(countPixels(image, around(pixelOf(view, row / 2, beamY)), isBlackish) >= 5);
        // The ground line starts at the back face of the back pile.
        const QPointF inside = pixelOf(view, row / 2, 0.0);
        QCOMPARE(
            countPixels(image, QRect(inside.toPoint() - QPoint(5, 1), QSize(10, 3)), isGreenish),
            0);
        QVERIFY(countPixels(image, around(pixelOf(view, row + c + 3.0, 0.0), 1), isGreenish) >= 3);
    }

    void resultModeDrawsNoInput()
    {
        View view;
        placeRound(view);
        Document *doc = view.document();
        Project shown = doc->project();
        shown.status = SHOWRESULT;
        // Without thrust: its top arrow would lie on the ground line.
        shown.base.aforce = 0.0;
        shown.updateBaseData();
        doc->replaceProject(shown);
        const QImage image = renderView(view);
        const double a = doc->project().frontPile.diameter / 2.0;
        QCOMPARE(countPixels(image, around(pixelOf(view, -a, -doc->project().frontPile.length / 2)),
                     isBlackish),
            0);
        // Ground line now starts at the axis.
        QVERIFY(countPixels(image, around(pixelOf(view, 0.1, 0.0), 1), isGreenish) >= 3);

        // The model mesh: a blue line between two nodes.
        NodeInfo top;
        top.Xg = 0.0;
        top.Yg = 0.0;
        NodeInfo bottom = top;
        bottom.Yg = -5.0;
        shown.nodes = {top, bottom};
        BeamInfo beam;
        beam.i = 0;
        beam.j = 1;
        shown.beams = {beam};
        doc->replaceProject(shown);
        const auto bluish = [](QColor c) { return c.blue() - c.red() > 80; };
        QVERIFY(countPixels(renderView(view), around(pixelOf(view, 0.0, -2.5), 1), bluish) >= 3);
    }
};

RIDEZU_GUI_TEST_MAIN(TestView)
#include "tst_gui_view.moc"
