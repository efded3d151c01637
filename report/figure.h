#pragma once

// A figure: the drawing of a project fitted into a rectangle of any paint
// device, centred and in its own proportions, as the calculation report and
// the printout place it.

#include "view/drawing.h"

#include <QImage>
#include <QRectF>
#include <QTransform>

// Height over width of the figure's drawing.
double figureAspect(const Project &doc, const DisplaySettings &display);

// The transform that fits the drawing's extent into the target rectangle
// (device coordinates), centred.
QTransform figureTransform(const QRectF &extent, const QRectF &target);

// Paints the drawing fitted into the target rectangle. Labels are written
// at least minLabel device units high (their font size), larger than the
// display setting asks where a wide drawing makes the figure's scale small.
void paintFigure(QPainter &painter, const QRectF &target, const Project &doc,
    const DisplaySettings &display, double minLabel = 0.0);

// The figure as an image on white, `width` pixels wide, its labels at least
// minLabel pixels high.
QImage figureImage(
    const Project &doc, const DisplaySettings &display, int width, double minLabel = 0.0);
