#include "engine/model.h"

#include "model/geometry.h"

#include <algorithm>
#include <cmath>

int nodeAt(const QList<NodeInfo> &nodes, double x, double y)
{
    for (int n = 0; n < nodes.size(); ++n) {
        if (isAt(nodes[n], x, y))
            return n;
    }
    return -1;
}

double slidingSurface(const BaseInfo &base, bool frontOfDoubleRow)
{
    return frontOfDoubleRow && isDoubleRow(base) ? base.slideFrontYg : base.slideBackYg;
}

double elementLength(const Document &doc)
{
    double total = doc.frontPile.length;
    if (isDoubleRow(doc.base))
        total += doc.backPile.length;
    const double x = 0.01 * total;
    if (x < 0.25)
        return 0.25;
    return 0.25 * (1.0 - std::trunc(-4.0 * x));
}

QVector<double> mergeGrid(QVector<GridPoint> points, double spacing)
{
    std::stable_sort(points.begin(), points.end(),
        [](const GridPoint &a, const GridPoint &b) { return a.pos < b.pos; });
    QVector<GridPoint> kept;
    kept.reserve(points.size());
    const double threshold = 0.4 * spacing;
    for (const GridPoint &p : points) {
        if (!kept.isEmpty() && p.pos - kept.last().pos < threshold) {
            if (!p.fixed)
                continue; // the upper point is a grid point: it gives way
            if (!kept.last().fixed) {
                kept.last() = p; // the lower grid point gives way
                continue;
            }
        }
        kept.append(p);
    }
    QVector<double> result;
    result.reserve(kept.size());
    for (const GridPoint &p : kept) {
        if (result.isEmpty() || std::fabs(p.pos - result.last()) > EPS)
            result.append(p.pos);
    }
    return result;
}

QVector<GridPoint> regularGrid(double start, double end, double spacing)
{
    if (!(spacing > 0.0) || (end - start) / spacing > MAXNODES)
        return {};
    QVector<GridPoint> points;
    points.append({start, true});
    for (int k = 1;; ++k) {
        const double pos = start + k * spacing;
        if (!(pos < end - EPS))
            break;
        points.append({pos, false});
    }
    points.append({end, true});
    return points;
}

QVector<double> elevationGrid(const Document &doc)
{
    const BaseInfo &base = doc.base;
    const bool two = isDoubleRow(base);
    const double dl = base.dl;
    double yBot = doc.frontPile.bottomYg;
    double yTop = doc.frontPile.topYg;
    if (two) {
        yBot = std::min(yBot, doc.backPile.bottomYg);
        yTop = std::max(yTop, doc.backPile.topYg);
    }
    const auto inside = [&](double y) { return y > yBot + EPS && y < yTop - EPS; };

    QVector<GridPoint> points = regularGrid(yBot, yTop, dl);
    if (points.isEmpty())
        return {};

    const auto addFixed = [&](double y) {
        if (inside(y))
            points.append({y, true});
    };
    if (two) {
        addFixed(doc.frontPile.bottomYg);
        addFixed(doc.frontPile.topYg);
        addFixed(doc.backPile.bottomYg);
        addFixed(doc.backPile.topYg);
        addFixed(doc.linkBeam.leftYg);
    }
    for (const SoilInfo &soil : doc.soils)
        addFixed(soil.bottomY);
    for (double ys : {base.slideBackYg, base.slideFrontYg}) {
        if (ys > yBot + EPS) {
            if (ys < yTop - EPS)
                points.append({ys, true});
            // Half an element below the surface, so the first spring under
            // it acts over a short length.
            if (inside(ys - dl / 2.0))
                points.append({ys - dl / 2.0, false});
        }
    }
    addFixed(base.cutYg);
    for (const ForceInfo &f : doc.AddForces) {
        if (f.object == OBJBEAM || !takesPart(base, f.object))
            continue;
        addFixed(f.y1g);
        if (f.type == LOADDIST && f.y2g > yBot + EPS && f.y1g < yTop - EPS)
            points.append({f.y2g, true});
    }
    for (const AnchorInfo &a : doc.anchors) {
        if (a.object == OBJBEAM || !takesPart(base, a.object))
            continue;
        addFixed(a.y1g);
    }
    return mergeGrid(points, dl);
}

QVector<double> beamGrid(const Document &doc)
{
    const double spacing = 2.0 * doc.base.dl;
    const double start = doc.linkBeam.leftXg;
    const double end = doc.linkBeam.rightXg;
    const auto inside = [&](double x) { return x > start + EPS && x < end - EPS; };

    QVector<GridPoint> points = regularGrid(start, end, spacing);
    if (points.isEmpty())
        return {};
    for (const ForceInfo &f : doc.AddForces) {
        if (f.object != OBJBEAM)
            continue;
        if (inside(f.x1g))
            points.append({f.x1g, true});
        if (f.type == LOADDIST && f.x2g > start + EPS && f.x1g < end - EPS && inside(f.x2g))
            points.append({f.x2g, true});
    }
    for (const AnchorInfo &a : doc.anchors) {
        if (a.object == OBJBEAM && inside(a.x1g))
            points.append({a.x1g, true});
    }
    return mergeGrid(points, spacing);
}

namespace {

bool within(const PileInfo &pile, double y)
{
    return y > pile.bottomYg - EPS && y < pile.topYg + EPS;
}

int addNode(Document &doc, double x, double y, double b0)
{
    NodeInfo node;
    node.id = qint16(doc.nodes.size());
    node.Xg = x;
    node.Yg = y;
    node.b0 = b0;
    doc.nodes.append(node);
    return doc.nodes.size() - 1;
}

} // namespace

MemberNodes buildNodes(Document &doc, const QVector<double> &grid, const QVector<double> &xs)
{
    MemberNodes members;
    const PileInfo &front = doc.frontPile;
    const PileInfo &back = doc.backPile;
    if (!isDoubleRow(doc.base)) {
        for (double y : grid) {
            if (within(front, y))
                members.front.append(addNode(doc, front.topXg, y, front.b0));
        }
        return members;
    }

    const double beamY = doc.linkBeam.leftYg;
    for (double y : grid) {
        if (std::fabs(y - beamY) <= EPS && !xs.isEmpty()) {
            // The beam's end nodes are also the pile nodes at this elevation
            // and carry the piles' calculation widths.
            for (int n = 0; n < xs.size(); ++n) {
                double b0 = 0.0;
                if (n == 0)
                    b0 = front.b0;
                else if (n == xs.size() - 1)
                    b0 = back.b0;
                members.beam.append(addNode(doc, xs[n], y, b0));
            }
            members.front.append(members.beam.first());
            members.back.append(members.beam.last());
            continue;
        }
        if (within(front, y))
            members.front.append(addNode(doc, front.topXg, y, front.b0));
        if (within(back, y))
            members.back.append(addNode(doc, back.topXg, y, back.b0));
    }
    return members;
}

void halfLengths(Document &doc, const MemberNodes &members)
{
    for (const QVector<int> *pile : {&members.front, &members.back}) {
        for (int n = 0; n < pile->size(); ++n) {
            NodeInfo &node = doc.nodes[(*pile)[n]];
            node.downH = n > 0 ? std::fabs(node.Yg - doc.nodes[(*pile)[n - 1]].Yg) / 2.0 : 0.0;
            node.upH = n + 1 < pile->size()
                ? std::fabs(doc.nodes[(*pile)[n + 1]].Yg - node.Yg) / 2.0
                : 0.0;
        }
    }
}

namespace {

void addMember(Document &doc, const QVector<int> &ids, qint32 ob, double E, double A, double I)
{
    for (int n = 0; n + 1 < ids.size(); ++n) {
        const NodeInfo &a = doc.nodes[ids[n]];
        const NodeInfo &b = doc.nodes[ids[n + 1]];
        BeamInfo e;
        e.i = ids[n];
        e.j = ids[n + 1];
        e.ob = ob;
        e.E = E;
        e.A = A;
        e.I = I;
        e.L = std::hypot(b.Xg - a.Xg, b.Yg - a.Yg);
        e.c = (b.Xg - a.Xg) / e.L;
        e.s = (b.Yg - a.Yg) / e.L;
        e.Ni = e.Qi = e.Mi = e.Nj = e.Qj = e.Mj = 0.0;
        e.Origin = 0.0;
        e.bEs = STATENEW;
        doc.beams.append(e);
    }
}

} // namespace

void buildElements(Document &doc, const MemberNodes &members)
{
    const PileInfo &front = doc.frontPile;
    const PileInfo &back = doc.backPile;
    const LinkBeamInfo &beam = doc.linkBeam;
    addMember(doc, members.front, OBJPILE, front.E, front.area, front.I);
    addMember(doc, members.back, OBJBACKPILE, back.E, back.area, back.I);
    addMember(doc, members.beam, OBJBEAM, beam.E, beam.area, beam.I);
}

void buildEsLinks(Document &doc, const MemberNodes &members)
{
    const double beamY = doc.linkBeam.leftYg;
    const double length =
        doc.base.row - (sectionDepth(doc.frontPile) + sectionDepth(doc.backPile)) / 2.0;
    for (int f : members.front) {
        NodeInfo &fn = doc.nodes[f];
        if (!(fn.Yg < beamY - EPS))
            break;
        for (int b : members.back) {
            NodeInfo &bn = doc.nodes[b];
            if (std::fabs(bn.Yg - fn.Yg) > EPS)
                continue;
            double Es = 0.0;
            for (const SoilInfo &soil : doc.soils) {
                if (soil.bottomY + EPS < fn.Yg) {
                    Es = soil.Es;
                    break;
                }
            }
            BeamInfo link;
            link.i = f;
            link.j = b;
            link.ob = OBJESLINK;
            link.E = Es;
            link.Origin = Es;
            link.L = length;
            link.c = 1.0;
            link.s = 0.0;
            link.I = 0.0;
            link.A = std::min({doc.base.space, fn.b0, bn.b0}) * (fn.upH + fn.downH);
            link.bEs = STATENEW;
            doc.beams.append(link);
            fn.SKr = 0.0;
            fn.Kr = 0.0;
            bn.SKl = 0.0;
            bn.Kl = 0.0;
            break;
        }
    }
}
