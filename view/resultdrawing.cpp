// Result mode: the analysis model drawn over the ground and the surfaces,
// with its pile-bottom supports; then either the springs, row links and
// forces of the model, or the one result diagram the user has selected.

#include "view/drawing.h"

#include "document/document.h"
#include "view/pens.h"
#include "view/resultgeometry.h"

#include <QPainter>

void Drawing::drawResult(QPainter &painter) const
{
    const Project &doc = m_doc;
    const double w = doc.base.PileForm == DOUBLEROW ? doc.base.row : 0.0;
    drawGround(painter, 0.0, w);
    drawSurfaces(painter, 0.0, 0.0, w);
    drawMesh(painter);
    drawSupport(painter, doc.frontPile);
    drawSupport(painter, doc.backPile);

    const qint32 status = m_display.status;
    if (status <= (SHOWDATA | SHOWRESULT | SHOWMARK)) {
        drawSprings(painter);
        drawRowLinks(painter);
        // Labels give the forces on one pile; the arrows keep their
        // per-metre lengths.
        drawForces(painter, 0.0, 0.0, doc.base.space);
    }
    if (status & SHOWDISPLACE)
        drawDiagram(painter, memberDiagram(doc, DiagramKind::Displacement, m_display.offset));
    if (status & SHOWMOMENT)
        drawDiagram(painter, memberDiagram(doc, DiagramKind::Moment, m_display.offset));
    if (status & SHOWSHEAR)
        drawDiagram(painter, memberDiagram(doc, DiagramKind::Shear, m_display.offset));
    if (status & SHOWNORMAL)
        drawDiagram(painter, memberDiagram(doc, DiagramKind::Normal, m_display.offset));
    else if (status & SHOWREACT)
        drawDiagram(painter, reactionDiagram(doc, m_display.offset));
}

QList<QLineF> memberLines(const Project &doc)
{
    QList<QLineF> lines;
    for (const BeamInfo &beam : doc.beams) {
        if (beam.I <= EPS)
            continue;
        if (beam.i < 0 || beam.j < 0 || beam.i >= doc.nodes.size() || beam.j >= doc.nodes.size())
            continue;
        const NodeInfo &i = doc.nodes.at(beam.i);
        const NodeInfo &j = doc.nodes.at(beam.j);
        lines.append(QLineF(i.Xg, i.Yg, j.Xg, j.Yg));
    }
    return lines;
}

void Drawing::drawMesh(QPainter &painter) const
{
    const Project &doc = m_doc;
    if (doc.beams.isEmpty())
        return;
    painter.setPen(pen(Qt::blue, 2));
    painter.setBrush(Qt::black);
    for (const NodeInfo &node : doc.nodes)
        painter.drawEllipse(QPointF(node.Xg, node.Yg), 0.02, 0.02);
    painter.drawLines(memberLines(doc));
    painter.setBrush(Qt::NoBrush);
}

void Drawing::drawSupport(QPainter &painter, const PileInfo &pile) const
{
    const Project &doc = m_doc;
    if (pile.sptindex < 0 || pile.sptindex >= doc.nodes.size())
        return;
    const NodeInfo &node = doc.nodes.at(pile.sptindex);
    const QPointF p(node.Xg, node.Yg);
    painter.setPen(pen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    if (pile.support == SUPPORTHINGED)
        drawHinge(painter, p);
    else if (pile.support == SUPPORTFIXED)
        drawFixed(painter, p);
}

void Drawing::drawHinge(QPainter &painter, const QPointF &p)
{
    const QPointF left = p + QPointF(-0.3, -0.4);
    const QPointF right = p + QPointF(0.3, -0.4);
    painter.drawLine(p, right);
    painter.drawLine(p, left);
    painter.drawEllipse(left, 0.02, 0.02);
    painter.drawEllipse(right, 0.02, 0.02);
    drawFixed(painter, p + QPointF(0.0, -0.4));
}

void Drawing::drawFixed(QPainter &painter, const QPointF &p)
{
    painter.drawLine(p + QPointF(-0.6, 0.0), p + QPointF(0.6, 0.0));
    for (int k = 0; k <= 6; ++k) {
        painter.drawLine(p + QPointF(-0.6 + 0.2 * k, 0.0), p + QPointF(-0.8 + 0.2 * k, -0.4));
    }
}
