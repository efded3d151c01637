#pragma once

// Construction of the analysis model: element length, elevation grid, nodes,
// half lengths, beam elements and Es links.

#include "model/document.h"

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
struct GridPoint
{
    double pos;
    bool fixed;
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

// First node at (x, y), or -1.
int nodeAt(const QList<NodeInfo> &nodes, double x, double y);

// Sliding surface elevation at a pile: the front pile of a double row has its
// own, the single pile and the back pile the one behind.
double slidingSurface(const BaseInfo &base, bool frontOfDoubleRow);

// Finite-element division length from the total pile length.
double elementLength(const Document &doc);

// Largest model the engine builds: node ids are 16-bit values.
constexpr int MAXNODES = 30000;

// Fixed points at both ends and grid points every `spacing` in between;
// empty when that would be more than MAXNODES points.
QVector<GridPoint> regularGrid(double start, double end, double spacing);

// Sorts, merges points closer than 0.4 * spacing (grid points give way) and
// removes repeats.
QVector<double> mergeGrid(QVector<GridPoint> points, double spacing);

// Elevations at which both piles get nodes; empty for a model too large to build.
QVector<double> elevationGrid(const Document &doc);

// x positions of the link-beam nodes of a double row; empty when too many.
QVector<double> beamGrid(const Document &doc);

// Fills doc.nodes and returns each member's node ids.
MemberNodes buildNodes(Document &doc, const QVector<double> &grid, const QVector<double> &xs);

// upH and downH of every pile node.
void halfLengths(Document &doc, const MemberNodes &members);

// Beam elements of the piles and the link beam, in this order.
void buildElements(Document &doc, const MemberNodes &members);

// Axial links carrying the soil between the rows (double row with Es interaction).
void buildEsLinks(Document &doc, const MemberNodes &members);
