// Input mode: piles with their plan sketch, the link beam, forces, anchors,
// ground, layers and surfaces.

#include "view/drawing.h"

#include "document/document.h"
#include "model/geometry.h"
#include "view/pens.h"

#include <QPainter>

#include <algorithm>

void Drawing::drawInput(QPainter &painter) const
{
    const Project &doc = m_doc;
    const bool doubleRow = doc.base.PileForm == DOUBLEROW;
    const double a = sectionDepth(doc.frontPile) / 2.0;
    const double c = doubleRow ? sectionDepth(doc.backPile) / 2.0 : 0.0;
    const double yb = doubleRow ? std::min(doc.frontPile.bottomYg, doc.backPile.bottomYg)
                                : doc.frontPile.bottomYg;
    const double w = c > EPS ? doc.base.row : 0.0;

    drawPile(painter, doc.frontPile, yb);
    drawPileSpacing(painter, doc.frontPile, yb);
    if (doubleRow) {
        drawPile(painter, doc.backPile, yb);
        drawLinkBeam(painter, yb);
    }
    drawForces(painter, a, c, 1.0);
    drawAnchors(painter, a, c);
    drawGround(painter, a, w + c);
    drawSurfaces(painter, a, c, w);
}

void Drawing::drawPile(QPainter &painter, const PileInfo &pile, double yb) const
{
    const double b = sectionDepth(pile);
    const double xt = pile.topXg;
    const double ya = pile.topYg;
    const double L = pile.length;
    const double s = pile.space;
    painter.setBrush(Qt::NoBrush);

    painter.setPen(pen(Qt::gray, 2, Qt::DashDotLine));
    painter.drawLine(QPointF(xt, ya), QPointF(xt, ya - L));

    painter.setPen(pen(Qt::black, 2));
    painter.drawRect(QRectF(xt - b / 2.0, ya, b, -L).normalized());

    // Plan of two neighbouring piles of the row.
    painter.setPen(pen(Qt::black, 1));
    for (const double y : {yb - s / 2.0, yb - 1.5 * s}) {
        const QPointF centre(xt, y);
        if (pile.shp == SECTSQUARE) {
            const QSizeF size(pile.height, pile.width);
            painter.drawRect(QRectF(centre - QPointF(size.width(), size.height()) / 2.0, size));
        } else {
            const double r = pile.diameter / 2.0;
            painter.drawEllipse(centre, r, r);
        }
    }
}

void Drawing::drawPileSpacing(QPainter &painter, const PileInfo &pile, double yb) const
{
    const double s = pile.space;
    const double e = pile.topXg - sectionDepth(pile) / 2.0;
    const double y1 = yb - s / 2.0;
    const double y2 = y1 - s;

    painter.setPen(pen(Qt::darkGray, 2));
    painter.drawLine(QPointF(e - 1.0, y1), QPointF(e - 1.5, y1));
    painter.drawLine(QPointF(e - 1.0, y2), QPointF(e - 1.5, y2));
    painter.setPen(pen(Qt::darkGray, 1));
    painter.drawLine(QPointF(e - 1.25, y2), QPointF(e - 1.25, y1));
    writeLabel(painter, QPointF(e - 1.25, y2 + s / 2.0), metreText(s), m_display.labelSize,
        Qt::AlignLeft | Qt::AlignVCenter);
}

void Drawing::drawLinkBeam(QPainter &painter, double yb) const
{
    const LinkBeamInfo &beam = m_doc.linkBeam;
    const double xl = beam.leftXg;
    const double yl = beam.leftYg;
    const double L = beam.length;
    const double H = beam.height;
    const double W = beam.width;
    const double s = m_doc.base.space;
    painter.setBrush(Qt::NoBrush);

    painter.setPen(pen(Qt::gray, 2, Qt::DashDotLine));
    painter.drawLine(QPointF(xl, yl), QPointF(xl + L, yl));
    painter.setPen(pen(Qt::black, 2));
    painter.drawRect(QRectF(xl, yl + H / 2.0, L, -H).normalized());

    const double y1 = yb - s / 2.0 + W / 2.0;
    painter.setPen(pen(Qt::black, 1));
    painter.drawRect(QRectF(xl, y1, L, -W).normalized());
    painter.drawRect(QRectF(xl, y1 - s, L, -W).normalized());

    const double yd = y1 - s - W;
    painter.setPen(pen(Qt::darkGray, 1));
    painter.drawLine(QPointF(xl, yd - 1.25), QPointF(xl + L, yd - 1.25));
    writeLabel(painter, QPointF(xl + L / 2.0, yd - 1.25), metreText(L), m_display.labelSize,
        Qt::AlignHCenter | Qt::AlignBottom);
    painter.setPen(pen(Qt::darkGray, 2));
    painter.drawLine(QPointF(xl, yd - 1.0), QPointF(xl, yd - 1.5));
    painter.drawLine(QPointF(xl + L, yd - 1.0), QPointF(xl + L, yd - 1.5));
}

void Drawing::drawAnchors(QPainter &painter, double a, double c) const
{
    const bool singleRow = m_doc.base.PileForm == SINGLEROW;
    const QPen free = pen(Qt::darkRed, 1);
    const QPen bond = pen(Qt::darkRed, 4);
    for (const AnchorInfo &anchor : m_doc.anchors) {
        if (singleRow && (anchor.object == OBJBACKPILE || anchor.object == OBJBEAM))
            continue;
        double shift = 0.0;
        if (anchor.object == OBJPILE)
            shift = a;
        else if (anchor.object == OBJBACKPILE)
            shift = c;
        const QPointF head(anchor.x1g - shift, anchor.y1g);
        const QPointF freeEnd(anchor.x2g - shift, anchor.y2g);
        const QPointF bondEnd(anchor.x3g - shift, anchor.y3g);
        painter.setPen(free);
        painter.drawLine(head, freeEnd);
        painter.setPen(bond);
        painter.drawLine(bondEnd, freeEnd);
    }
}
