#include "view/view.h"

#include "engine/results.h"
#include "model/document.h"
#include "view/displaysettings.h"
#include "view/fonts.h"
#include "view/pens.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {

constexpr double MAXSCALE = 500.0;
constexpr int FITTOP = 80; // widget y of the ground datum in a fitted view
constexpr double MINSCALE = 1.0;

// Drawn when the model has no extent.
const QRectF emptyModelBox(-18.0, 0.0, 36.0, -25.0);

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
    connect(m_document, &Document::dataChanged, this, qOverload<>(&View::update));
}

void View::updateTransform()
{
    m_transform.reset();
    if (!m_document)
        return;
    m_transform.translate(m_document->x0, m_document->y0);
    m_transform.scale(m_document->blc, -m_document->blc);
}

double View::fittingScale() const
{
    QRectF r = m_document->modelBounds();
    if (r.width() == 0.0 || r.height() == 0.0)
        r = emptyModelBox;
    const QRect area = rect().adjusted(10, 10, -10, -10);
    if (area.width() <= 0 || area.height() <= 0)
        return 0.0;
    double s = std::min(std::fabs(area.height() / r.height()), std::fabs(area.width() / r.width()));
    // The fitted view puts the origin at (0.4 width, FITTOP): the scale must
    // also keep the parts of the model left of, right of and below the
    // origin inside the margins, or the plan sketch under the piles is cut off.
    const double x0 = width() * 0.4;
    const double bottom = std::min(r.top(), r.bottom());
    const double left = std::min(r.left(), r.right());
    const double right = std::max(r.left(), r.right());
    if (bottom < 0.0 && height() - 10.0 - FITTOP > 0.0)
        s = std::min(s, (height() - 10.0 - FITTOP) / -bottom);
    if (left < 0.0 && x0 - 10.0 > 0.0)
        s = std::min(s, (x0 - 10.0) / -left);
    if (right > 0.0 && width() - 10.0 - x0 > 0.0)
        s = std::min(s, (width() - 10.0 - x0) / right);
    return std::clamp(s, MINSCALE, MAXSCALE);
}

void View::fitView()
{
    if (!m_document)
        return;
    const double s = fittingScale();
    if (s == 0.0)
        return;
    m_document->blcfull = s;
    m_document->blc = s;
    m_document->x0 = int(width() * 0.4);
    m_document->y0 = FITTOP;
    updateTransform();
    update();
}

void View::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (!m_document)
        return;
    const double s = fittingScale();
    if (s != 0.0)
        m_document->blcfull = s;
}

QPointF View::toModel(const QPointF &pixel) const
{
    const double blc = m_document->blc;
    if (blc == 0.0)
        return QPointF(0.0, 0.0);
    return QPointF((pixel.x() - m_document->x0) / blc, (m_document->y0 - pixel.y()) / blc);
}

void View::wheelEvent(QWheelEvent *event)
{
    if (!m_document)
        return;
    const QPoint p = event->position().toPoint();
    const QPointF m = toModel(p);
    const double old = m_document->blc;
    double blc = old;
    if (event->angleDelta().y() * 0.125 / 15.0 > 0.0)
        blc = std::min(blc * 1.1, MAXSCALE);
    else
        blc = std::max(blc / 1.1, MINSCALE);
    if (qFuzzyCompare(blc, old))
        return;
    m_document->blc = blc;
    m_document->x0 = int(p.x() - m.x() * blc);
    m_document->y0 = int(m.y() * blc + p.y());
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
        m_document->x0 += pos.x() - m_lastMousePos.x();
        m_document->y0 += pos.y() - m_lastMousePos.y();
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

QString View::metreText(double value)
{
    return tr("%1m").arg(QString::number(value));
}

QString View::valueText(double value)
{
    return oneDecimal(value); // as the report prints it: a zero never reads -0.0
}

int View::textPixelSize() const
{
    int n = displayFontSize;
    if (m_document && m_document->blc > m_document->blcfull) {
        n = int(n * m_document->blcfull / m_document->blc);
        n = std::max(n, 20);
    }
    return n;
}

void View::drawLabel(
    QPainter &painter, const QPointF &point, const QString &text, int pixelSize, int alignment)
{
    painter.save();
    QFont font = programFont();
    font.setPixelSize(std::max(pixelSize, 1));
    painter.setFont(font);
    painter.translate(point);
    painter.scale(0.01, -0.01);

    const QFontMetricsF fm(font);
    const QRectF r = fm.boundingRect(text);
    double dx = 0.0;
    if (alignment & Qt::AlignHCenter)
        dx = -r.width() / 2.0;
    else if (alignment & Qt::AlignRight)
        dx = -r.width();
    double dy = 0.0;
    if (alignment & Qt::AlignVCenter)
        dy = fm.height() / 2.0 - fm.descent();
    else if (alignment & Qt::AlignTop)
        dy = fm.height() - 1.5 * fm.descent();
    else if (alignment & Qt::AlignBottom)
        dy = -fm.descent() / 2.0;
    painter.drawText(QPointF(dx, dy), text);
    painter.restore();
}

void View::drawArrow(QPainter &painter, const QPointF &tail, const QPointF &head)
{
    painter.drawLine(tail, head);
    const double theta = std::atan2(head.y() - tail.y(), head.x() - tail.x());
    const double spread = qDegreesToRadians(30.0);
    for (const double t : {theta + spread, theta - spread})
        painter.drawLine(head, head - 0.25 * QPointF(std::cos(t), std::sin(t)));
}

void View::paintEvent(QPaintEvent *)
{
    if (!m_document)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.save();

    // A project that was never placed gets its origin on the first paint.
    // One that was never drawn at all (written by the command-line tool, say)
    // still has the scale of 1 pixel per metre: it is given the fitting scale.
    if (m_document->y0 == -50 && height() > 100) {
        m_document->x0 = int(width() * 0.5);
        m_document->y0 = int(height() * 0.1);
        if (m_document->blc == 1.0) {
            const double s = fittingScale();
            if (s != 0.0) {
                m_document->blc = s;
                m_document->blcfull = s;
            }
        }
        updateTransform();
    }

    painter.setTransform(m_transform);
    drawUnitNotes(painter);
    if (m_document->status & SHOWRESULT)
        drawResult(painter);
    else if (m_document->status & SHOWDATA)
        drawInput(painter);
    painter.restore();
    drawAxisSign(painter);
}

void View::drawUnitNotes(QPainter &painter) const
{
    const qint32 status = m_document->status;
    if (!(status & SHOWMARK))
        return;
    painter.setPen(cosmeticPen(Qt::darkGray, 1));
    const int n = textPixelSize();
    const QPointF P = m_document->modelBounds().topRight() + QPointF(1.0, 0.0);
    const QPointF d(0.0, n * 0.015);
    const int align = Qt::AlignLeft | Qt::AlignTop;

    if (status & SHOWRESULT) {
        if (status & SHOWDISPLACE) {
            drawLabel(painter, P, tr("位移的单位为mm"), n, align);
        } else if (status & SHOWMOMENT) {
            drawLabel(painter, P, tr("弯矩的单位为kN*m"), n, align);
        } else if (status & SHOWSHEAR) {
            drawLabel(painter, P, tr("剪力的单位为kN"), n, align);
        } else if (status & SHOWNORMAL) {
            drawLabel(painter, P, tr("轴力的单位为kN"), n, align);
        } else if (status & SHOWREACT) {
            drawLabel(painter, P, tr("土及桩间土反力的单位为kPa"), n, align);
            drawLabel(painter, P - d, tr("锚杆或桩底反力的单位为kN"), n, align);
        } else {
            drawLabel(painter, P, tr("弹簧的单位为kN/m"), n, align);
        }
    } else if (status & SHOWDATA) {
        drawLabel(painter, P, tr("作用力均以每延米计:"), n, align);
        drawLabel(painter, P - d, tr("集中力单位为kN;"), n, align);
        drawLabel(painter, P - 2 * d, tr("均布力单位为kN/m;"), n, align);
        drawLabel(painter, P - 3 * d, tr("力矩单位为kN*m;"), n, align);
    }
}

void View::drawAxisSign(QPainter &painter) const
{
    painter.setPen(cosmeticPen(Qt::black, 1));
    painter.setFont(programFont());
    const double h = height();
    const QPointF origin(30.0, h - 30.0);
    const QPointF xEnd(100.0, h - 30.0);
    const QPointF yEnd(30.0, h - 100.0);
    const auto head = [&painter](const QPointF &tail, const QPointF &tip) {
        const double theta = std::atan2(tip.y() - tail.y(), tip.x() - tail.x());
        const double spread = qDegreesToRadians(30.0);
        for (const double t : {theta + spread, theta - spread})
            painter.drawLine(tip, tip - 10.0 * QPointF(std::cos(t), std::sin(t)));
    };
    painter.drawText(xEnd, tr("X"));
    painter.drawLine(origin, xEnd);
    head(origin, xEnd);
    painter.drawText(yEnd, tr("Y"));
    painter.drawLine(origin, yEnd);
    head(origin, yEnd);
}
