#include "report/figure.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

double figureAspect(const Document &doc, const DisplaySettings &display)
{
    const QRectF extent = Drawing(doc, display).extent();
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

void paintFigure(
    QPainter &painter, const QRectF &target, const Document &doc, const DisplaySettings &display)
{
    const Drawing drawing(doc, display);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setClipRect(target, Qt::IntersectClip);
    drawing.paint(painter, figureTransform(drawing.extent(), target));
    painter.restore();
}

QImage figureImage(const Document &doc, const DisplaySettings &display, int width)
{
    const int height = std::max(1, int(std::lround(width * figureAspect(doc, display))));
    QImage image(std::max(width, 1), height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintFigure(painter, QRectF(image.rect()), doc, display);
    return image;
}
