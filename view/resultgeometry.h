#pragma once

// What the result mode draws, worked out in model metres from a Project and
// the diagram size, without a painter: the zig-zag of a spring, the springs
// and row links of the analysis model, and the result diagrams with their
// ordinates, outlines, arrows and labels. The View paints these lists; tests
// read them.
//
// Every function reads node positions through the element's node indices and
// skips an element whose index lies outside the node list, so results read
// from a damaged file never index out of range.

#include "document/document.h"

#include <QLineF>
#include <QList>
#include <QPointF>
#include <QPolygonF>

// A value written beside a drawing, one decimal, in the label pen.
struct ResultLabel
{
    QPointF point;
    double value = 0.0;
    int alignment = 0;
    // Whose value it is, for the labels that are always written (the largest
    // and smallest of each group, labelplacement.h): a pile or the link beam
    // by its member code; a value of another unit (a pile-bottom reaction,
    // an anchor force) by a group of its own.
    qint32 group = 0;
};

// The pile (OBJPILE, OBJBACKPILE) a node lies on, else OBJBEAM.
qint32 nodeMember(const Project &doc, const NodeInfo &node);

// Node numbers written at the nodes, grouped by pile.
QList<ResultLabel> nodeNumbers(const Project &doc);

// The members of the analysis model as lines, one per element with bending
// stiffness (the links between the rows are not members).
QList<QLineF> memberLines(const Project &doc);

// A spring symbol: the zig-zag from the node to its outer end, a small
// circle at that end, and an optional value.
struct SpringSymbol
{
    QPolygonF path;
    QPointF end;
    bool labelled = false;
    // A row link marks its label point (its middle) with a circle of its own.
    bool dotAtLabel = false;
    ResultLabel label;
};

enum class DiagramKind { Displacement, Moment, Shear, Normal, Reaction };

// One result diagram, ready to paint.
struct Diagram
{
    double scale = 0.0; // metres of ordinate per unit of the value
    QList<QLineF> ordinates; // from the member to the outline
    QList<QLineF> outline;
    QList<QPolygonF> outlinePaths; // open polylines in the outline pen
    QList<QLineF> arrows; // tail p1() to head p2()
    QList<ResultLabel> labels;

    bool isEmpty() const
    {
        return ordinates.isEmpty() && outline.isEmpty() && outlinePaths.isEmpty()
            && arrows.isEmpty();
    }
};

// Zig-zag between two points on a horizontal line (vertical = false) or on
// a vertical line (vertical = true), drawn from the left or lower point.
QPolygonF springPath(const QPointF &p, const QPointF &e, bool vertical);

// The active springs of every node; offset is the diagram size setting.
QList<SpringSymbol> nodeSprings(const Project &doc, int offset);

// The Es links between the rows that are switched on (double row only),
// labelled with their axial stiffness.
QList<SpringSymbol> rowLinks(const Project &doc);

// Metres of ordinate per unit of the value, so that the largest value of the
// diagram is drawn offset/2 metres from its member.
double diagramScale(const QList<ResultInfo> &results, DiagramKind kind, int offset);

// Displacement, moment, shear or normal-force diagram along the members.
Diagram memberDiagram(const Project &doc, DiagramKind kind, int offset);

// Soil pressure, free pile-bottom reactions, pressure between the rows and
// anchor forces.
Diagram reactionDiagram(const Project &doc, int offset);
