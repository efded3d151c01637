#pragma once

// Pens of the drawing. Every pen is cosmetic: its width is in pixels at
// whatever scale the model is drawn.

#include <QPen>

inline QPen cosmeticPen(const QColor &color, double width, Qt::PenStyle style = Qt::SolidLine)
{
    QPen pen(color, width, style);
    pen.setCosmetic(true);
    return pen;
}

// The program's accent blue with the given opacity.
inline QColor accentColor(int alpha)
{
    return QColor(36, 161, 254, alpha);
}
