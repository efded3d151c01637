#pragma once

// Construction of the analysis model: element length, elevation grid, nodes,
// half lengths, beam elements and Es links.

#include "model/project.h"

#include <QVector>

#include <cmath>

// Node ids of each member, bottom-up along a pile, left to right along the beam.
struct MemberNodes
{
    QVector<int> front;
    QVector<int> back;
    QVector<int> beam;
};

// One point of a grid: fixed points (pile ends, layer boundaries, surfaces,
// forces, anchors) always stay; grid points give way to nearby points.
// Pinned points (pile tops and bottoms, the link-beam elevation, the beam
// ends) also keep their exact position when another point lies very close.
struct GridPoint
{
    double pos;
    bool fixed;
    bool pinned = false;
};

// Nodes closer than this would make an element so short that its bending
// stiffness swamps the rest of the matrix: such points become one node.
// Points a centimetre apart, as entered, stay apart (hence the tolerance
// wherever it is compared).
constexpr double MINNODESPACING = 0.01;

// A point of a grid that was joined with a neighbour closer than
// MINNODESPACING, and the position of the node it became.
struct JoinedPoint
{
    double from;
    double to;
};
using JoinedPoints = QVector<JoinedPoint>; // ascending by `from`

// Where something placed at `pos` acts: the node its point was joined with,
// else `pos` itself.
double joinedPosition(const JoinedPoints &joined, double pos);

// Lookup of the node at a position, in O(log n) per query.
class NodeIndex
{
public:
    explicit NodeIndex(const QList<NodeInfo> &nodes);
    // Node at (x, y) within the tolerance, or -1; the lowest id when several match.
    int at(double x, double y) const;

private:
    struct Entry
    {
        double y;
        double x;
        int id;
    };
    QVector<Entry> m_entries; // by y, then x, then id
};

// True for a double row; false also for unknown forms, which analyse as a single row.
inline bool isDoubleRow(const BaseInfo &base)
{
    return base.PileForm == DOUBLEROW;
}

// A force or an anchor on the back pile or the beam takes no part in a single row.
inline bool takesPart(const BaseInfo &base, qint16 object)
{
    return isDoubleRow(base) || object == OBJPILE;
}

// Whether a node lies at (x, y) within the tolerance.
inline bool isAt(const NodeInfo &node, double x, double y)
{
    return std::fabs(node.Xg - x) < EPS && std::fabs(node.Yg - y) < EPS;
}

// Index of the first layer (top-down) whose bottom lies more than the
// tolerance below y, or the number of layers. Layer bottoms descend, so this
// is a binary search.
int layerBelow(const QList<SoilInfo> &soils, double y);

// Sliding surface elevation at a pile: the front pile of a double row has its
// own, the single pile and the back pile the one behind.
double slidingSurface(const BaseInfo &base, bool frontOfDoubleRow);

// Finite-element division length from the total pile length.
double elementLength(const Project &doc);

// Largest model the engine builds: node ids are 16-bit values.
constexpr int MAXNODES = 30000;

// Fixed points at both ends and grid points every `spacing` in between;
// empty when that would be more than MAXNODES points.
QVector<GridPoint> regularGrid(double start, double end, double spacing);

// Sorts, merges points closer than 0.4 * spacing (grid points give way),
// removes repeats and joins points closer than MINNODESPACING: a pinned point
// stays, among others the upper (keepUpper) or the left one. The joined
// points are listed in `joined` when it is given.
QVector<double> mergeGrid(
    QVector<GridPoint> points, double spacing, bool keepUpper, JoinedPoints *joined = nullptr);

// Elevations at which both piles get nodes; empty for a model too large to build.
QVector<double> elevationGrid(const Project &doc, JoinedPoints *joined = nullptr);

// x positions of the link-beam nodes of a double row; empty when too many.
QVector<double> beamGrid(const Project &doc, JoinedPoints *joined = nullptr);

// Moves every surface, layer boundary, force and anchor that lay on a joined
// grid point to the node it became, so that it acts there.
void moveOntoNodes(Project &doc, const JoinedPoints &elevations, const JoinedPoints &xs);

// Fills doc.nodes and returns each member's node ids.
MemberNodes buildNodes(Project &doc, const QVector<double> &grid, const QVector<double> &xs);

// upH and downH of every pile node.
void halfLengths(Project &doc, const MemberNodes &members);

// Beam elements of the piles and the link beam, in this order.
void buildElements(Project &doc, const MemberNodes &members);

// Axial links carrying the soil between the rows (double row with Es interaction).
void buildEsLinks(Project &doc, const MemberNodes &members);
