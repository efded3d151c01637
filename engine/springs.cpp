#include "engine/springs.h"

#include <algorithm>
#include <cmath>

namespace {

double coefficient(const SoilInfo &soil, double z)
{
    return soil.type == METHODM ? soil.m * z : soil.k;
}

// Spring of one side of a pile node with reference ground y0: nothing above
// it, only the part below the node when the node lies on it.
double sideSpring(const QList<SoilInfo> &soils, const NodeInfo &node, double up, double y0)
{
    const double y = node.Yg;
    if (y > y0 + EPS)
        return 0.0;
    if (std::fabs(y - y0) < EPS)
        up = 0.0;
    const LayerCoefficient C = layerCoefficient(soils, y, std::max(0.0, y0 - y));
    return (C.below * node.downH + C.above * up) * node.b0;
}

} // namespace

LayerCoefficient layerCoefficient(const QList<SoilInfo> &soils, double y, double z)
{
    const int below = layerBelow(soils, y);
    if (below > 0 && std::fabs(soils[below - 1].bottomY - y) < EPS) {
        // y lies on a boundary: above it the first layer that ends there
        // (layers thinner than the tolerance are passed over), below it the
        // layer that goes on under y.
        int above = below - 1;
        while (above > 0 && std::fabs(soils[above - 1].bottomY - y) < EPS)
            --above;
        LayerCoefficient C;
        C.above = coefficient(soils[above], z);
        C.below = below < soils.size() ? coefficient(soils[below], z) : 0.0;
        return C;
    }
    if (below < soils.size()) {
        const double c = coefficient(soils[below], z);
        return {c, c};
    }
    return {};
}

double groundBetweenRows(const Project &doc)
{
    const double top = doc.frontPile.topYg;
    if (top < -EPS)
        return std::max(top, doc.base.cutYg);
    return 0.0;
}

void soilSprings(Project &doc, const MemberNodes &members)
{
    const BaseInfo &base = doc.base;
    const bool two = isDoubleRow(base);
    const double G = two ? groundBetweenRows(doc) : 0.0;

    struct Side
    {
        const QVector<int> *ids;
        double ys; // sliding surface
        double yRight; // reference ground behind the pile
        double yLeft; // reference ground in front of the pile
    };
    QVector<Side> sides;
    if (two) {
        sides.append({&members.front, base.slideFrontYg, G, base.cutYg});
        sides.append({&members.back, base.slideBackYg, 0.0, G});
    } else {
        sides.append({&members.front, base.slideBackYg, 0.0, base.cutYg});
    }

    for (const Side &side : sides) {
        for (int id : *side.ids) {
            NodeInfo &node = doc.nodes[id];
            node.SKr = node.SKl = 0.0;
            if (node.Yg > side.ys + EPS)
                continue;
            const double up = std::fabs(node.Yg - side.ys) < EPS ? 0.0 : node.upH;
            node.SKr = sideSpring(doc.soils, node, up, side.yRight);
            node.SKl = sideSpring(doc.soils, node, up, side.yLeft);
        }
    }

    // With Es interaction the soil between the rows is carried by the links.
    if (two && base.interact == INTERACTES) {
        const auto clear = [&](const QVector<int> &ids, const PileInfo &other, bool right) {
            for (int id : ids) {
                NodeInfo &node = doc.nodes[id];
                if (node.Yg > other.bottomYg - EPS && node.Yg < other.topYg + EPS)
                    (right ? node.SKr : node.SKl) = 0.0;
            }
        };
        clear(members.front, doc.backPile, true);
        clear(members.back, doc.frontPile, false);
    }
}

void anchorStiffness(Project &doc)
{
    const bool two = isDoubleRow(doc.base);
    const NodeIndex index(doc.nodes);
    for (const AnchorInfo &a : std::as_const(doc.anchors)) {
        if (!takesPart(doc.base, a.object))
            continue;
        const int n = index.at(a.x1g, a.y1g);
        if (n < 0)
            continue;
        doc.nodes[n].AKl += a.kh;
        if (two)
            doc.nodes[n].AKu += a.kv;
    }
}

void pileBottom(Project &doc, const MemberNodes &members)
{
    doc.frontPile.sptindex = -1;
    doc.backPile.sptindex = -1;
    const auto bottom = [&](PileInfo &pile, const QVector<int> &ids) {
        if (ids.isEmpty())
            return;
        const int n = ids.first();
        pile.sptindex = n;
        switch (pile.support) {
        case SUPPORTFIXED: doc.restraints.insert(n * 10 + 3, 1); Q_FALLTHROUGH();
        case SUPPORTHINGED:
            doc.restraints.insert(n * 10 + 1, 1);
            doc.restraints.insert(n * 10 + 2, 1);
            break;
        case SUPPORTFREE: {
            NodeInfo &node = doc.nodes[n];
            const double y = node.Yg;
            // A base on the bottom of the last layer stands on that layer:
            // the ground is taken to go on under it as the last layer, as
            // the design checks take it, so the pile does not hang free.
            const LayerCoefficient C = layerCoefficient(doc.soils, y, std::fabs(y));
            const bool onLastBottom = layerBelow(doc.soils, y) >= doc.soils.size();
            node.SKd = (onLastBottom ? C.above : C.below) * pile.area / doc.base.mRatio;
            break;
        }
        default: break;
        }
    };
    bottom(doc.frontPile, members.front);
    if (isDoubleRow(doc.base))
        bottom(doc.backPile, members.back);
}

void trialSprings(Project &doc)
{
    for (NodeInfo &node : doc.nodes) {
        node.Kr = node.SKr;
        node.Kl = node.SKl + node.AKl;
        node.Ku = node.AKu;
        node.Kd = node.SKd;
    }
    for (const PileInfo *pile : {&doc.frontPile, &doc.backPile}) {
        if (pile->sptindex >= 0 && pile->support != SUPPORTFREE) {
            doc.nodes[pile->sptindex].Kr = 0.0;
            doc.nodes[pile->sptindex].Kl = 0.0;
        }
    }
}
