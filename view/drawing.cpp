// The drawing as a whole: its frame (painter state, transform, unit notes,
// axis sign), its extent, and the text and arrow primitives.

#include "view/drawing.h"

#include "engine/results.h"
#include "view/fonts.h"
#include "view/labelplacement.h"
#include "view/pens.h"
#include "view/resultgeometry.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {

// Drawn when the model has no extent.
const QRectF emptyModelBox(-18.0, 0.0, 36.0, -25.0);

} // namespace

int labelPixelSize(int fontSize, double blc, double blcfull)
{
    int n = fontSize;
    if (blc > blcfull) {
        n = int(n * blcfull / blc);
        n = std::max(n, 20);
    }
    return n;
}

QRectF drawingBounds(const Project &doc)
{
    // The model box: piles, layers and the plan sketch under the piles.
    QRectF box = doc.modelBounds().normalized();
    if (box.width() == 0.0 || box.height() == 0.0)
        box = emptyModelBox.normalized();
    double left = box.left();
    double right = box.right();
    double low = box.top();
    double high = box.bottom();
    // Anchors run far into the slope with their bond lengths.
    const bool singleRow = doc.base.PileForm == SINGLEROW;
    for (const AnchorInfo &anchor : doc.anchors) {
        if (singleRow && (anchor.object == OBJBACKPILE || anchor.object == OBJBEAM))
            continue;
        for (const QPointF p : {QPointF(anchor.x1g, anchor.y1g), QPointF(anchor.x2g, anchor.y2g),
                 QPointF(anchor.x3g, anchor.y3g)}) {
            if (!std::isfinite(p.x()) || !std::isfinite(p.y()))
                continue;
            left = std::min(left, p.x());
            right = std::max(right, p.x());
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
    }
    return QRectF(QPointF(left, low), QPointF(right, high));
}

Drawing::Drawing(const Project &doc, const DisplaySettings &display)
    : m_doc(doc)
    , m_display(display)
{ }

void Drawing::paint(QPainter &painter, const QTransform &transform) const
{
    m_written.clear();
    painter.save();
    painter.setWorldTransform(transform, true);
    drawUnitNotes(painter);
    if (m_display.status & SHOWRESULT)
        drawResult(painter);
    else if (m_display.status & SHOWDATA)
        drawInput(painter);
    painter.restore();
}

QRectF Drawing::extent() const
{
    const double text = m_display.labelSize * 0.01; // height of a label in metres
    QRectF box;
    if (m_display.status & SHOWRESULT) {
        // The analysis model: the ground and surface lines of the model box
        // across, from above the pile tops down to the supports and the
        // reactions under the lowest node. Springs and diagrams stand up to
        // offset/2 beside their members (the link beam's above it), their
        // labels beyond them. Anchors and the plan sketch are not drawn.
        box = m_doc.modelBounds().normalized();
        if (box.width() == 0.0 || box.height() == 0.0)
            box = emptyModelBox.normalized();
        double low = m_doc.frontPile.bottomYg;
        if (m_doc.base.PileForm == DOUBLEROW)
            low = std::min(low, m_doc.backPile.bottomYg);
        for (const NodeInfo &node : m_doc.nodes) {
            if (std::isfinite(node.Yg))
                low = std::min(low, node.Yg);
        }
        const double reach = m_display.offset * 0.5 + 1.5 * text;
        box.setTop(std::max(box.top(), low - std::max(0.8, m_display.offset * 0.5) - 1.5 * text));
        box.setBottom(box.bottom() + reach);
    } else {
        box = drawingBounds(m_doc);
        // The label of the ground line stands above it.
        box.setBottom(box.bottom() + 1.5 * text);
    }
    // Labels stand beside the lines they name, some beyond their ends.
    for (const QRectF &label : writtenLabels()) {
        if (std::isfinite(label.width()) && std::isfinite(label.height()))
            box |= label;
    }
    return box;
}

QList<QRectF> Drawing::writtenLabels() const
{
    // Which labels are written and where does not depend on the device:
    // a paint on a one-pixel image notes them all.
    QImage image(1, 1, QImage::Format_RGB32);
    QPainter painter(&image);
    paint(painter, QTransform());
    painter.end();
    return m_written;
}

QString Drawing::metreText(double value)
{
    return tr("%1m").arg(QString::number(value));
}

QString Drawing::valueText(double value)
{
    return oneDecimal(value); // as the report prints it: a zero never reads -0.0
}

void Drawing::drawLabel(
    QPainter &painter, const QPointF &point, const QString &text, int pixelSize, int alignment)
{
    painter.save();
    QFont font = programFont();
    font.setPixelSize(std::max(pixelSize, 1));
    painter.setFont(font);
    painter.translate(point);
    painter.scale(0.01, -0.01);

    painter.drawText(labelOrigin(QFontMetricsF(font), text, alignment), text);
    painter.restore();
}

void Drawing::writeLabel(QPainter &painter, const QPointF &point, const QString &text,
    int pixelSize, int alignment) const
{
    QFont font = programFont();
    font.setPixelSize(std::max(pixelSize, 1));
    const QRectF box = labelBox(QFontMetricsF(font), point, text, alignment);
    const QRectF placed = fixedLabelBox(box, m_written, labelLines());
    writeLabelAt(painter, point + placed.topLeft() - box.topLeft(), text, pixelSize, alignment);
}

void Drawing::writeLabelAt(QPainter &painter, const QPointF &point, const QString &text,
    int pixelSize, int alignment) const
{
    QFont font = programFont();
    font.setPixelSize(std::max(pixelSize, 1));
    m_written.append(labelBox(QFontMetricsF(font), point, text, alignment));
    drawLabel(painter, point, text, pixelSize, alignment);
}

QList<QLineF> Drawing::labelLines() const
{
    return m_display.status & SHOWRESULT ? memberLines(m_doc) : QList<QLineF>();
}

void Drawing::drawArrow(QPainter &painter, const QPointF &tail, const QPointF &head)
{
    painter.drawLine(tail, head);
    const double theta = std::atan2(head.y() - tail.y(), head.x() - tail.x());
    const double spread = qDegreesToRadians(30.0);
    for (const double t : {theta + spread, theta - spread})
        painter.drawLine(head, head - 0.25 * QPointF(std::cos(t), std::sin(t)));
}

QStringList Drawing::unitNotes() const
{
    const qint32 status = m_display.status;
    if (!(status & SHOWMARK) || !m_display.unitNotes)
        return {};
    if (status & SHOWRESULT) {
        if (status & SHOWDISPLACE)
            return {tr("位移的单位为mm")};
        if (status & SHOWMOMENT)
            return {tr("弯矩的单位为kN*m")};
        if (status & SHOWSHEAR)
            return {tr("剪力的单位为kN")};
        if (status & SHOWNORMAL)
            return {tr("轴力的单位为kN")};
        if (status & SHOWREACT)
            return {tr("土及桩间土反力的单位为kPa"), tr("锚杆或桩底反力的单位为kN")};
        return {tr("弹簧的单位为kN/m")};
    }
    if (status & SHOWDATA) {
        return {tr("作用力均以每延米计:"), tr("集中力单位为kN;"), tr("均布力单位为kN/m;"),
            tr("力矩单位为kN*m;")};
    }
    return {};
}

QPointF Drawing::notesAnchor() const
{
    return m_doc.modelBounds().topRight() + QPointF(1.0, 0.0);
}

void Drawing::drawUnitNotes(QPainter &painter) const
{
    const QStringList notes = unitNotes();
    if (notes.isEmpty())
        return;
    painter.setPen(pen(Qt::darkGray, 1));
    const int n = m_display.labelSize;
    const QPointF P = notesAnchor();
    const QPointF d(0.0, n * 0.015);
    for (qsizetype k = 0; k < notes.size(); ++k)
        writeLabel(painter, P - double(k) * d, notes.at(k), n, Qt::AlignLeft | Qt::AlignTop);
}

QPen Drawing::pen(const QColor &color, double width, Qt::PenStyle style) const
{
    return cosmeticPen(color, width * m_display.pixelRatio, style);
}

void Drawing::paintAxisSign(QPainter &painter, double h, double pixelRatio)
{
    painter.save();
    QFont font = programFont();
    // Enlarged, the letters keep the size they have on the screen, whatever
    // resolution the device (an image, a printer) reports.
    if (pixelRatio != 1.0)
        font.setPixelSize(QFontInfo(font).pixelSize());
    painter.scale(pixelRatio, pixelRatio);
    h /= pixelRatio;
    painter.setPen(cosmeticPen(Qt::black, pixelRatio));
    painter.setFont(font);
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
    painter.restore();
}
