// Ground line, layer boundaries, excavation face and sliding surfaces.
// They run from the pile faces outward: a is the half width of the front
// pile, b the distance from the front axis to the back face of the structure.

#include "view/drawing.h"

#include "document/document.h"
#include "view/pens.h"

#include <QPainter>

void Drawing::drawGround(QPainter &painter, double a, double b) const
{
    const Project &doc = m_doc;
    const bool doubleRow = doc.base.PileForm == DOUBLEROW;
    const int n = m_display.labelSize;
    const double outer = (doubleRow ? b : a) + 6.0;

    painter.setPen(pen(Qt::darkGreen, 2));
    QPointF E(outer, 0.0);
    double start = a;
    if (doubleRow && !(doc.backPile.topYg < -EPS))
        start = b;
    painter.drawLine(QPointF(start, 0.0), E);
    writeLabel(painter, E, tr("±0"), n, Qt::AlignRight | Qt::AlignBottom);

    painter.setPen(pen(Qt::darkGreen, 1));
    for (const SoilInfo &soil : doc.soils) {
        // The name sits inside the layer, under its top line.
        writeLabel(painter, E, soil.Name, n, Qt::AlignRight | Qt::AlignTop);
        const double y = soil.bottomY;
        if (doc.frontPile.bottomYg - EPS > y)
            break;
        E = QPointF(outer, y);
        double x = -a - 6.0;
        if (y > doc.base.cutYg - EPS) {
            x = a;
            if (doubleRow && y > doc.frontPile.topYg - EPS)
                x = b;
        }
        painter.drawLine(QPointF(x, y), E);
        writeLabel(painter, E, metreText(y), n, Qt::AlignRight | Qt::AlignBottom);
    }
}

void Drawing::drawSurfaces(QPainter &painter, double a, double c, double w) const
{
    const Project &doc = m_doc;
    const bool doubleRow = doc.base.PileForm == DOUBLEROW;
    const int n = m_display.labelSize;

    // Surfaces in front of the piles end at the front pile, or at the back
    // pile's front face where the front pile stands lower than the surface.
    const auto frontEnd = [&](double y) {
        if (doubleRow && doc.frontPile.topYg < y - EPS)
            return w - c;
        return -a;
    };
    const auto frontLabels = [&](double y, const QString &name) {
        const QPointF left(-a - 6.0, y);
        writeLabel(painter, left, metreText(y), n, Qt::AlignLeft | Qt::AlignBottom);
        writeLabel(painter, left, name, n, Qt::AlignLeft | Qt::AlignTop);
    };

    const double yc = doc.base.cutYg;
    painter.setPen(pen(Qt::darkGreen, 2));
    painter.drawLine(QPointF(-a - 6.0, yc), QPointF(frontEnd(yc), yc));
    frontLabels(yc, tr("开挖面"));

    painter.setPen(pen(Qt::red, 2, Qt::DashLine));
    const double ys = doc.base.slideBackYg;
    QPointF outer(a + 6.0, ys);
    QPointF inner(a, ys);
    if (doubleRow) {
        outer = QPointF(c + w + 6.0, ys);
        inner = QPointF(doc.backPile.topYg < ys - EPS ? a : c + w, ys);
    }
    painter.drawLine(outer, inner);
    writeLabel(painter, outer, metreText(ys), n, Qt::AlignRight | Qt::AlignBottom);
    writeLabel(painter, outer, tr("后滑面"), n, Qt::AlignRight | Qt::AlignTop);

    const double yf = doc.base.slideFrontYg;
    if (yf < yc - EPS) {
        painter.drawLine(QPointF(-a - 6.0, yf), QPointF(frontEnd(yf), yf));
        frontLabels(yf, tr("前滑面"));
    }
}
