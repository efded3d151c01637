// Result mode: the analysis model drawn over the ground and the surfaces.
// The supports, springs, row links and result diagrams are drawn here too.

#include "view/view.h"

#include "model/document.h"
#include "view/pens.h"

#include <QPainter>

void View::drawResult(QPainter &painter) const
{
    const double w = m_document->base.PileForm == DOUBLEROW ? m_document->base.row : 0.0;
    drawGround(painter, 0.0, w);
    drawSurfaces(painter, 0.0, 0.0, w);
    drawMesh(painter);
}

void View::drawMesh(QPainter &painter) const
{
    const Document &doc = *m_document;
    if (doc.beams.isEmpty())
        return;
    painter.setPen(cosmeticPen(Qt::blue, 2));
    painter.setBrush(Qt::black);
    for (const NodeInfo &node : doc.nodes)
        painter.drawEllipse(QPointF(node.Xg, node.Yg), 0.02, 0.02);
    // Elements without bending stiffness (the links between the rows) are
    // not members of the mesh.
    for (const BeamInfo &beam : doc.beams) {
        if (beam.I <= EPS)
            continue;
        if (beam.i < 0 || beam.j < 0 || beam.i >= doc.nodes.size() || beam.j >= doc.nodes.size())
            continue;
        const NodeInfo &i = doc.nodes.at(beam.i);
        const NodeInfo &j = doc.nodes.at(beam.j);
        painter.drawLine(QPointF(i.Xg, i.Yg), QPointF(j.Xg, j.Yg));
    }
    painter.setBrush(Qt::NoBrush);
}
