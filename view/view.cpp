#include "view/view.h"

#include "document/document.h"
#include "view/displaysettings.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr double MAXSCALE = 500.0;
constexpr int FITTOP = 80; // widget y of the ground datum in a fitted view
constexpr double MINSCALE = 1.0;
// y0 of a project whose view was never placed.
constexpr qint32 NEVERPLACED = -50;
// Farthest origin (pixels) a stored view may have; beyond it the drawing
// lies out of any screen and panning could overflow.
constexpr qint64 MAXORIGIN = 10000000;

} // namespace

View::View(QWidget *parent)
    : QWidget(parent)
    , m_document(new Document(this))
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumSize(200, 200);
    for (auto signal :
        {&Document::dataChanged, &Document::displayChanged, &Document::resultsChanged})
        connect(m_document, signal, this, qOverload<>(&View::update));
}

void View::updateTransform()
{
    m_transform.reset();
    if (!m_document)
        return;
    const Project &p = m_document->project();
    m_transform.translate(p.x0, p.y0);
    m_transform.scale(p.blc, -p.blc);
}

double View::fittingScale() const
{
    return fittingScale(size());
}

double View::fittingScale(const QSize &size) const
{
    // Normalised: top() is the lowest elevation, bottom() the highest.
    const QRectF r = drawingBounds(m_document->project());
    const QRect area = QRect(QPoint(0, 0), size).adjusted(10, 10, -10, -10);
    if (area.width() <= 0 || area.height() <= 0)
        return 0.0;
    double s = std::min(area.height() / r.height(), area.width() / r.width());
    // The fitted view puts the origin at (0.4 width, FITTOP): the scale must
    // also keep the parts of the drawing left of, right of, above and below
    // the origin inside the margins.
    const double x0 = size.width() * 0.4;
    if (r.top() < 0.0 && size.height() - 10.0 - FITTOP > 0.0)
        s = std::min(s, (size.height() - 10.0 - FITTOP) / -r.top());
    if (r.bottom() > 0.0)
        s = std::min(s, (FITTOP - 10.0) / r.bottom());
    if (r.left() < 0.0 && x0 - 10.0 > 0.0)
        s = std::min(s, (x0 - 10.0) / -r.left());
    if (r.right() > 0.0 && size.width() - 10.0 - x0 > 0.0)
        s = std::min(s, (size.width() - 10.0 - x0) / r.right());
    return std::clamp(s, MINSCALE, MAXSCALE);
}

void View::fitView()
{
    if (!m_document)
        return;
    const double s = fittingScale();
    if (s == 0.0)
        return;
    m_document->setFittedScale(s);
    m_document->setView(s, int(width() * 0.4), FITTOP);
    updateTransform();
    update();
    m_placed = true;
    // Fitted before the user has seen the view (a new tab, whose size the
    // layout may still change): fitted again on each resize until then.
    if (!m_painted)
        m_fitPending = true;
}

bool View::storedViewUsable(const Project &p)
{
    const auto scaleUsable = [](double s) {
        return std::isfinite(s) && s >= MINSCALE && s <= MAXSCALE;
    };
    const auto originUsable = [](qint32 p) { return std::abs(qint64(p)) <= MAXORIGIN; };
    return scaleUsable(p.blc) && scaleUsable(p.blcfull) && originUsable(p.x0) && originUsable(p.y0);
}

void View::placeBeforeFirstPaint()
{
    if (!m_document || m_painted)
        return;
    const double s = fittingScale();
    if (s == 0.0)
        return;
    // A project never drawn at all (written by the command-line tool, say)
    // still has the scale of 1 pixel per metre: it is fitted like a damaged
    // stored view.
    const Project &p = m_document->project();
    const bool neverPlaced = p.y0 == NEVERPLACED;
    if (m_fitPending || (neverPlaced && p.blc == 1.0)) {
        fitView();
        return;
    }
    if (m_storedView) {
        // A view read from a file was fitted at blcfull in the window it was
        // saved from: shown as large, relative to the fit, in this one, so
        // that its labels keep the size they had.
        fitTo(s, p.blcfull, size());
        m_storedView = false;
    } else {
        // A project placed for the first time keeps its scale.
        if (neverPlaced && height() > 100) {
            m_document->setView(p.blc, int(width() * 0.5), int(height() * 0.1));
            updateTransform();
        }
        m_document->setFittedScale(s);
    }
    m_placed = true;
}

void View::fitTo(double fit, double oldFit, const QSize &oldSize)
{
    if (!(fit > 0.0) || !(oldFit > 0.0))
        return;
    const Project &doc = m_document->project();
    // The zoom relative to the fit is kept, and the point of the drawing at
    // the fitted origin stays there: a fitted view stays fitted.
    const double blc = std::clamp(doc.blc / oldFit * fit, MINSCALE, MAXSCALE);
    const double k = blc / doc.blc;
    const double oldLeft = oldSize.width() * 0.4;
    const double x0 = width() * 0.4 + (doc.x0 - oldLeft) * k;
    const double y0 = FITTOP + (doc.y0 - FITTOP) * k;
    m_document->setView(blc, qint32(std::clamp<qint64>(std::llround(x0), -MAXORIGIN, MAXORIGIN)),
        qint32(std::clamp<qint64>(std::llround(y0), -MAXORIGIN, MAXORIGIN)));
    m_document->setFittedScale(fit);
    updateTransform();
    update();
}

void View::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (!m_document)
        return;
    // A view the user sees grows and shrinks with the widget, as a fit to
    // the new size would: the drawing stays in view at the same size
    // relative to the widget, and so do its labels.
    if (m_placed && (m_painted || !m_fitPending) && event->oldSize().isValid()) {
        fitTo(fittingScale(), fittingScale(event->oldSize()), event->oldSize());
        return;
    }
    // A hidden widget's size is not yet the one it will be shown with.
    if (isVisible())
        placeBeforeFirstPaint();
}

void View::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    placeBeforeFirstPaint();
}

QPointF View::toModel(const QPointF &pixel) const
{
    const Project &p = m_document->project();
    if (p.blc == 0.0)
        return QPointF(0.0, 0.0);
    return QPointF((pixel.x() - p.x0) / p.blc, (p.y0 - pixel.y()) / p.blc);
}

void View::wheelEvent(QWheelEvent *event)
{
    // Only the vertical wheel zooms: a tilt wheel or a sideways swipe of a
    // touchpad (no vertical turn) leaves the view as it is.
    const int turn = event->angleDelta().y();
    if (!m_document || turn == 0) {
        event->ignore();
        return;
    }
    const QPoint p = event->position().toPoint();
    const QPointF m = toModel(p);
    const double old = m_document->project().blc;
    double blc = old;
    if (turn > 0)
        blc = std::min(blc * 1.1, MAXSCALE);
    else
        blc = std::max(blc / 1.1, MINSCALE);
    if (qFuzzyCompare(blc, old))
        return;
    m_document->setView(blc, int(p.x() - m.x() * blc), int(m.y() * blc + p.y()));
    updateTransform();
    update();
}

void View::mousePressEvent(QMouseEvent *event)
{
    const bool middle = event->button() == Qt::MiddleButton;
    const bool ctrlLeft =
        event->button() == Qt::LeftButton && (event->modifiers() & Qt::ControlModifier);
    if (middle || ctrlLeft) {
        m_panning = true;
        m_lastMousePos = event->position().toPoint();
        setCursor(Qt::ClosedHandCursor);
        update();
    }
    QWidget::mousePressEvent(event);
}

void View::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_document)
        return;
    const QPoint pos = event->position().toPoint();
    emit mousePositionChanged(toModel(pos));
    if (m_panning) {
        const Project &p = m_document->project();
        m_document->setView(
            p.blc, p.x0 + pos.x() - m_lastMousePos.x(), p.y0 + pos.y() - m_lastMousePos.y());
        updateTransform();
        update();
        m_lastMousePos = pos;
    }
}

void View::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::MiddleButton || event->button() == Qt::LeftButton) {
        m_panning = false;
        unsetCursor();
        update();
    }
    QWidget::mouseReleaseEvent(event);
}

void View::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::MiddleButton)
        fitView();
    else
        QWidget::mouseDoubleClickEvent(event);
}

int View::textPixelSize() const
{
    if (!m_document)
        return displayFontSize;
    const Project &p = m_document->project();
    return labelPixelSize(displayFontSize, p.blc, p.blcfull);
}

DisplaySettings View::displaySettings() const
{
    DisplaySettings display;
    display.status = m_document ? m_document->project().status : SHOWDATA;
    display.labelSize = textPixelSize();
    display.offset = displayOffset;
    return display;
}

void View::drawLabel(
    QPainter &painter, const QPointF &point, const QString &text, int pixelSize, int alignment)
{
    Drawing::drawLabel(painter, point, text, pixelSize, alignment);
}

void View::drawArrow(QPainter &painter, const QPointF &tail, const QPointF &head)
{
    Drawing::drawArrow(painter, tail, head);
}

void View::paintEvent(QPaintEvent *)
{
    if (!m_document)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    // The view was placed when the widget got its size (placeBeforeFirstPaint);
    // from now on only the user moves it.
    m_painted = true;
    m_placed = true;

    Drawing(m_document->project(), displaySettings()).paint(painter, m_transform);
    Drawing::paintAxisSign(painter, height());
}
