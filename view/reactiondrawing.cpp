// Reaction diagram: the soil pressure on the piles below their sliding
// surfaces, the reaction under a free pile bottom, the pressure of the soil
// between the rows carried by the Es links, and the anchor forces.

#include "view/resultgeometry.h"

#include "engine/model.h"

#include <algorithm>
#include <cmath>

namespace {

// Pressures are drawn to the left of the pile where they are positive, and
// their labels stand on the same side; so do the labels of anchor forces,
// at the tails of their arrows.
int pressureAlignment(double value)
{
    return (value > EPS ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

bool validNode(const Project &doc, qint64 index)
{
    return index >= 0 && index < doc.nodes.size();
}

QPointF position(const NodeInfo &node)
{
    return QPointF(node.Xg, node.Yg);
}

// Label groups of the values in kN beside the pressures in kPa: each
// pile-bottom reaction and each anchor stands alone, so that they never
// take the place of a pile's extreme pressure.
qint32 bottomReactionGroup(qint32 pile)
{
    return -pile;
}

qint32 anchorGroup(qsizetype index)
{
    return qint32(-1000 - std::min<qsizetype>(index, 1000000));
}

void soilPressure(const Project &doc, double k, Diagram &d)
{
    double prev = 0.0;
    for (const ResultInfo &r : doc.results) {
        if (r.ob == OBJBEAM || r.ob == OBJESLINK)
            continue;
        if (!validNode(doc, r.i) || !validNode(doc, r.j))
            continue;
        const NodeInfo &ni = doc.nodes.at(r.i);
        const NodeInfo &nj = doc.nodes.at(r.j);
        // The sliding mass above the surface does not resist; the surface is
        // the one the analysis used for this pile.
        if (nj.Yg > slidingSurface(doc.base, r.ob == OBJPILE) + EPS)
            continue;

        const QPointF S = position(ni) - QPointF(k * r.SPi, 0.0);
        const QPointF T = position(nj) - QPointF(k * r.SPj, 0.0);
        const bool jump = std::fabs(r.SPi - prev) > EPS;
        if (std::fabs(r.SPj) >= EPS)
            d.labels.append({T, r.SPj, pressureAlignment(r.SPj), r.ob});
        if (jump && std::fabs(r.SPi) >= EPS)
            d.labels.append({S, r.SPi, pressureAlignment(r.SPi), r.ob});
        d.ordinates.append(QLineF(position(nj), T));
        if (jump)
            d.ordinates.append(QLineF(position(ni), S));
        d.outline.append(QLineF(S, T));
        prev = r.SPj;
    }
}

// The base spring of a free pile bottom pushes up where the bottom settles.
void bottomReaction(const Project &doc, const PileInfo &pile, qint32 member, double L, Diagram &d)
{
    if (pile.sptindex < 0 || pile.support != SUPPORTFREE || !validNode(doc, pile.sptindex))
        return;
    const NodeInfo &node = doc.nodes.at(pile.sptindex);
    if (!(node.Dy < EPS && node.Kd > EPS))
        return;
    const QPointF head = position(node);
    const QPointF tail = head - QPointF(0.0, L);
    d.arrows.append(QLineF(tail, head));
    d.labels.append(
        {tail, -(node.Kd * node.Dy), Qt::AlignHCenter | Qt::AlignTop, bottomReactionGroup(member)});
}

void betweenRowPressure(const Project &doc, double k, Diagram &d)
{
    if (doc.base.PileForm != DOUBLEROW || doc.base.interact != INTERACTES)
        return;
    QPolygonF front;
    QPolygonF back;
    for (const ResultInfo &r : doc.results) {
        if (r.ob != OBJESLINK)
            continue;
        if (!validNode(doc, r.i) || !validNode(doc, r.j))
            continue;
        const QPointF Ni = position(doc.nodes.at(r.i));
        const QPointF Nj = position(doc.nodes.at(r.j));
        const QPointF S = Ni - QPointF(k * r.BPi, 0.0);
        const QPointF T = Nj - QPointF(k * r.BPj, 0.0);
        // The pressure between the rows acts on the front pile at i and on
        // the back pile at j, and counts with that pile's soil pressure.
        if (std::fabs(r.BPi) >= EPS)
            d.labels.append({S, r.BPi, pressureAlignment(r.BPi), OBJPILE});
        if (std::fabs(r.BPj) >= EPS)
            d.labels.append({T, r.BPj, pressureAlignment(r.BPj), OBJBACKPILE});
        d.ordinates.append(QLineF(Ni, S));
        d.ordinates.append(QLineF(Nj, T));
        front.append(S);
        back.append(T);
    }
    if (!front.isEmpty()) {
        d.outlinePaths.append(front);
        d.outlinePaths.append(back);
    }
}

void anchorForces(const Project &doc, double L, Diagram &d)
{
    const bool singleRow = doc.base.PileForm == SINGLEROW;
    for (qsizetype n = 0; n < doc.anchors.size(); ++n) {
        const AnchorInfo &anchor = doc.anchors.at(n);
        if (singleRow && (anchor.object == OBJBACKPILE || anchor.object == OBJBEAM))
            continue;
        const QPointF head(anchor.x1g, anchor.y1g);
        if (std::fabs(anchor.forceH) > EPS) {
            const QPointF tail = head - QPointF(L, 0.0);
            d.arrows.append(QLineF(tail, head));
            d.labels.append(
                {tail, anchor.forceH, pressureAlignment(anchor.forceH), anchorGroup(n)});
        }
        if (std::fabs(anchor.forceV) > EPS) {
            const QPointF tail = head + QPointF(0.0, L);
            d.arrows.append(QLineF(tail, head));
            d.labels.append(
                {tail, anchor.forceV, pressureAlignment(anchor.forceV), anchorGroup(n)});
        }
    }
}

} // namespace

Diagram reactionDiagram(const Project &doc, int offset)
{
    Diagram d;
    if (doc.nodes.size() < 2)
        return d;
    const double k = diagramScale(doc.results, DiagramKind::Reaction, offset);
    const double L = offset * 0.5;
    d.scale = k;
    soilPressure(doc, k, d);
    bottomReaction(doc, doc.frontPile, OBJPILE, L, d);
    bottomReaction(doc, doc.backPile, OBJBACKPILE, L, d);
    betweenRowPressure(doc, k, d);
    if (!doc.anchors.isEmpty())
        anchorForces(doc, L, d);
    return d;
}
