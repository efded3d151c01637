#include "report/figure.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// The drawing's extent with a little white around it, so that no label
// touches the figure's edge.
QRectF paddedExtent(const Drawing &drawing)
{
    return drawing.extent().adjusted(-0.3, -0.3, 0.3, 0.3);
}

} // namespace

double figureAspect(const Project &doc, const DisplaySettings &display)
{
    const QRectF extent = paddedExtent(Drawing(doc, display));
    if (!(extent.width() > 0.0) || !(extent.height() > 0.0))
        return 1.0;
    // A drawing of absurd proportions still gets a usable figure.
    return std::clamp(extent.height() / extent.width(), 0.2, 5.0);
}

QTransform figureTransform(const QRectF &extent, const QRectF &target)
{
    if (!(extent.width() > 0.0) || !(extent.height() > 0.0))
        return QTransform();
    const double s = std::min(target.width() / extent.width(), target.height() / extent.height());
    // Centred: the free room is shared on both sides. The extent is
    // normalised: its bottom() is the highest elevation.
    const double dx = (target.width() - s * extent.width()) / 2.0;
    const double dy = (target.height() - s * extent.height()) / 2.0;
    QTransform t;
    t.translate(target.left() + dx - s * extent.left(), target.top() + dy + s * extent.bottom());
    t.scale(s, -s);
    return t;
}

namespace {

// Labels are sized in model units; a figure of small scale gets larger ones,
// up to three times the setting.
DisplaySettings readableLabels(
    const Project &doc, DisplaySettings display, const QRectF &target, double minLabel)
{
    const QRectF extent = paddedExtent(Drawing(doc, display));
    if (!(minLabel > 0.0) || !(extent.width() > 0.0) || !(extent.height() > 0.0))
        return display;
    const double scale =
        std::min(target.width() / extent.width(), target.height() / extent.height());
    const double label = display.labelSize * 0.01 * scale; // device units
    if (label > 0.0 && label < minLabel) {
        const double wanted = std::ceil(display.labelSize * minLabel / label);
        display.labelSize = int(std::min(wanted, 3.0 * display.labelSize));
    }
    return display;
}

} // namespace

void paintFigure(QPainter &painter, const QRectF &target, const Project &doc,
    const DisplaySettings &display, double minLabel)
{
    const Drawing drawing(doc, readableLabels(doc, display, target, minLabel));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setClipRect(target, Qt::IntersectClip);
    drawing.paint(painter, figureTransform(paddedExtent(drawing), target));
    painter.restore();
}

QImage figureImage(const Project &doc, const DisplaySettings &display, int width, double minLabel)
{
    const int height = std::max(1, int(std::lround(width * figureAspect(doc, display))));
    QImage image(std::max(width, 1), height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintFigure(painter, QRectF(image.rect()), doc, display, minLabel);
    return image;
}
