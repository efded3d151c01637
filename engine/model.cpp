#include "engine/model.h"

#include "model/geometry.h"

#include <algorithm>
#include <cmath>
#include <tuple>

NodeIndex::NodeIndex(const QList<NodeInfo> &nodes)
{
    m_entries.reserve(nodes.size());
    for (int n = 0; n < nodes.size(); ++n)
        m_entries.append({nodes[n].Yg, nodes[n].Xg, n});
    std::sort(m_entries.begin(), m_entries.end(), [](const Entry &a, const Entry &b) {
        return std::tie(a.y, a.x, a.id) < std::tie(b.y, b.x, b.id);
    });
}

int NodeIndex::at(double x, double y) const
{
    // Nodes within the tolerance of y, and among them those within the
    // tolerance of x; elevations of one grid differ by far more than the
    // tolerance, so the candidates are few.
    auto it = std::lower_bound(m_entries.begin(), m_entries.end(), y - EPS,
        [](const Entry &e, double v) { return e.y < v; });
    int best = -1;
    for (; it != m_entries.end() && it->y < y + EPS; ++it) {
        auto row = it;
        const auto rowEnd = std::upper_bound(
            it, m_entries.end(), it->y, [](double v, const Entry &e) { return v < e.y; });
        row = std::lower_bound(
            row, rowEnd, x - EPS, [](const Entry &e, double v) { return e.x < v; });
        for (; row != rowEnd && row->x < x + EPS; ++row) {
            if (std::fabs(row->y - y) < EPS && std::fabs(row->x - x) < EPS
                && (best < 0 || row->id < best))
                best = row->id;
        }
        it = rowEnd - 1;
    }
    return best;
}

int layerBelow(const QList<SoilInfo> &soils, double y)
{
    const auto it = std::partition_point(
        soils.begin(), soils.end(), [y](const SoilInfo &s) { return !(s.bottomY + EPS < y); });
    return int(it - soils.begin());
}

double slidingSurface(const BaseInfo &base, bool frontOfDoubleRow)
{
    return frontOfDoubleRow && isDoubleRow(base) ? base.slideFrontYg : base.slideBackYg;
}

double elementLength(const Project &doc)
{
    double total = doc.frontPile.length;
    if (isDoubleRow(doc.base))
        total += doc.backPile.length;
    const double x = 0.01 * total;
    if (x < 0.25)
        return 0.25;
    return 0.25 * (1.0 - std::trunc(-4.0 * x));
}

namespace {

// Joins points closer than MINNODESPACING (the list is sorted ascending and
// free of repeats). Pinned points stay where they are and take in the points
// near them; of the other points the first one met in the walk (the upper
// one for elevations, the left one on the beam) stays and takes in the
// points that follow it within the distance.
QVector<double> joinClosePoints(
    const QVector<GridPoint> &points, bool keepUpper, JoinedPoints *joined)
{
    QVector<double> pinned;
    for (const GridPoint &p : points) {
        if (p.pinned)
            pinned.append(p.pos);
    }
    const auto nearestPinned = [&](double pos) {
        double best = qQNaN();
        for (double q : pinned) {
            if (std::fabs(q - pos) < MINNODESPACING - EPS
                && !(std::fabs(best - pos) <= std::fabs(q - pos)))
                best = q;
        }
        return best;
    };

    QVector<double> kept;
    kept.reserve(points.size());
    JoinedPoints moved;
    double head = qQNaN(); // the last unpinned point that stayed
    const int count = int(points.size());
    for (int k = 0; k < count; ++k) {
        const GridPoint &p = points[keepUpper ? count - 1 - k : k];
        if (p.pinned) {
            kept.append(p.pos);
            continue;
        }
        double to = nearestPinned(p.pos);
        if (std::isnan(to) && std::fabs(p.pos - head) < MINNODESPACING - EPS)
            to = head;
        if (std::isnan(to)) {
            kept.append(p.pos);
            head = p.pos;
        } else {
            moved.append({p.pos, to});
        }
    }
    if (keepUpper) {
        std::reverse(kept.begin(), kept.end());
        std::reverse(moved.begin(), moved.end());
    }
    if (joined)
        *joined = moved;
    return kept;
}

} // namespace

double joinedPosition(const JoinedPoints &joined, double pos)
{
    const auto it = std::lower_bound(joined.begin(), joined.end(), pos - EPS,
        [](const JoinedPoint &p, double v) { return p.from < v; });
    if (it != joined.end() && std::fabs(it->from - pos) < EPS)
        return it->to;
    return pos;
}

QVector<double> mergeGrid(
    QVector<GridPoint> points, double spacing, bool keepUpper, JoinedPoints *joined)
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
    QVector<GridPoint> distinct;
    distinct.reserve(kept.size());
    for (const GridPoint &p : kept) {
        if (distinct.isEmpty() || std::fabs(p.pos - distinct.last().pos) > EPS)
            distinct.append(p);
        else
            distinct.last().pinned = distinct.last().pinned || p.pinned;
    }
    return joinClosePoints(distinct, keepUpper, joined);
}

QVector<GridPoint> regularGrid(double start, double end, double spacing)
{
    if (!(spacing > 0.0) || (end - start) / spacing > MAXNODES)
        return {};
    QVector<GridPoint> points;
    points.append({start, true, true});
    for (int k = 1;; ++k) {
        const double pos = start + k * spacing;
        if (!(pos < end - EPS))
            break;
        points.append({pos, false});
    }
    points.append({end, true, true});
    return points;
}

QVector<double> elevationGrid(const Project &doc, JoinedPoints *joined)
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

    const auto addFixed = [&](double y, bool pinned = false) {
        if (inside(y))
            points.append({y, true, pinned});
    };
    if (two) {
        addFixed(doc.frontPile.bottomYg, true);
        addFixed(doc.frontPile.topYg, true);
        addFixed(doc.backPile.bottomYg, true);
        addFixed(doc.backPile.topYg, true);
        addFixed(doc.linkBeam.leftYg, true);
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
    return mergeGrid(points, dl, true, joined);
}

QVector<double> beamGrid(const Project &doc, JoinedPoints *joined)
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
    return mergeGrid(points, spacing, false, joined);
}

void moveOntoNodes(Project &doc, const JoinedPoints &elevations, const JoinedPoints &xs)
{
    if (elevations.isEmpty() && xs.isEmpty())
        return;
    const auto y = [&](double &v) { v = joinedPosition(elevations, v); };
    const auto x = [&](double &v) { v = joinedPosition(xs, v); };
    y(doc.base.slideBackYg);
    y(doc.base.slideFrontYg);
    y(doc.base.cutYg);
    for (SoilInfo &soil : doc.soils)
        y(soil.bottomY);
    for (QList<ForceInfo> *forces : {&doc.BaseForces, &doc.AddForces}) {
        for (ForceInfo &f : *forces) {
            if (f.object == OBJBEAM) {
                x(f.x1g);
                x(f.x2g);
            } else {
                y(f.y1g);
                y(f.y2g);
            }
        }
    }
    for (AnchorInfo &a : doc.anchors) {
        if (a.object == OBJBEAM)
            x(a.x1g);
        else
            y(a.y1g);
    }
}

namespace {

bool within(const PileInfo &pile, double y)
{
    return y > pile.bottomYg - EPS && y < pile.topYg + EPS;
}

int addNode(Project &doc, double x, double y, double b0)
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

MemberNodes buildNodes(Project &doc, const QVector<double> &grid, const QVector<double> &xs)
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

void halfLengths(Project &doc, const MemberNodes &members)
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

void addMember(Project &doc, const QVector<int> &ids, qint32 ob, double E, double A, double I)
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

void buildElements(Project &doc, const MemberNodes &members)
{
    const PileInfo &front = doc.frontPile;
    const PileInfo &back = doc.backPile;
    const LinkBeamInfo &beam = doc.linkBeam;
    addMember(doc, members.front, OBJPILE, front.E, front.area, front.I);
    addMember(doc, members.back, OBJBACKPILE, back.E, back.area, back.I);
    addMember(doc, members.beam, OBJBEAM, beam.E, beam.area, beam.I);
}

void buildEsLinks(Project &doc, const MemberNodes &members)
{
    const double beamY = doc.linkBeam.leftYg;
    const double length =
        doc.base.row - (sectionDepth(doc.frontPile) + sectionDepth(doc.backPile)) / 2.0;
    // Both node lists run bottom-up: one walk pairs the nodes at equal elevations.
    int b = 0;
    for (int f : members.front) {
        NodeInfo &fn = doc.nodes[f];
        if (!(fn.Yg < beamY - EPS))
            break;
        while (b < members.back.size() && doc.nodes[members.back[b]].Yg < fn.Yg - EPS)
            ++b;
        if (b >= members.back.size())
            break;
        NodeInfo &bn = doc.nodes[members.back[b]];
        if (std::fabs(bn.Yg - fn.Yg) > EPS)
            continue;
        // A node on the bottom of the last layer links through that layer,
        // the ground its tributary length lies in.
        const int layer = std::min(layerBelow(doc.soils, fn.Yg), int(doc.soils.size()) - 1);
        const double Es = layer >= 0 ? doc.soils[layer].Es : 0.0;
        BeamInfo link;
        link.i = f;
        link.j = members.back[b];
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
    }
}
