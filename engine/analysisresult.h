#pragma once

// The result of an analysis as one typed value, built from a Project's
// element results: for each pile the values at every node along it, top
// down, the extremes per pile with the depths where they occur, the anchor
// forces and the log of the analysis. The calculation report, its result
// table (CSV) and the command-line tool read it; nothing here needs more
// than Qt Core.
//
// Element results hold the values at both ends of every element. At a node
// where a value jumps (a point force, a moment, an anchor, the sliding
// surface) the element above and the element below give different values.
// A station lists the value of the section just below its node, the way a
// table along a pile is read from the top; the bottom node has only the
// element above it. The extremes look at both sides of every node, by the
// rule of the result report, so they equal the project's extremes.

#include "model/project.h"

#include <QList>
#include <QStringList>

// Values of one pile at one node.
struct PileStation
{
    qint32 node = 0; // index into Project::nodes
    qint32 nodeId = 0; // the node number the drawing writes
    double depth = 0.0; // m below the pile top
    double elevation = 0.0; // m
    double displacement = 0.0; // m, horizontal
    double moment = 0.0; // kN*m
    double shear = 0.0; // kN
    double axial = 0.0; // kN, the normal force as the diagram draws it
    double reaction = 0.0; // kPa, soil reaction on the pile
    double betweenRows = 0.0; // kPa, soil pressure between the rows (Es links)
};

// One extreme value and the depth below the pile top where it occurs. An
// extreme starts at 0 (a maximum is never below 0, a minimum never above);
// found is false while no node of the pile has that value.
struct ExtremeAt
{
    double value = 0.0;
    double depth = 0.0;
    bool found = false;
};

// Displacement (m), moment, shear and soil reaction extremes of one pile.
struct PileExtremes
{
    ExtremeAt D, M, Q, R;
};

struct PileResult
{
    qint16 object = OBJPILE; // OBJPILE (single or front pile) or OBJBACKPILE
    double topElevation = 0.0; // m, the pile's highest node
    QList<PileStation> stations; // top down, by depth
    PileExtremes max;
    PileExtremes min;
};

struct AnchorResult
{
    int number = 0; // position in the anchor list, from 1
    qint16 object = OBJPILE;
    double headElevation = 0.0; // m
    double distance = 0.0; // m from the pile top or the beam's left end
    double angle = 0.0; // degrees below the horizontal
    double preforce = 0.0; // kN
    double forceH = 0.0; // kN
    double forceV = 0.0; // kN
    double axialForce = 0.0; // kN, the tendon's axial force Nak; 0 when compressed
};

struct AnalysisResult
{
    // False for a project without valid results: nothing else is filled.
    bool valid = false;
    bool doubleRow = false;
    // Whether the rows interact through the soil between them (Es links).
    bool betweenRows = false;
    QList<PileResult> piles; // the single or front pile, then the back pile
    QList<AnchorResult> anchors; // the anchors that take part in the analysis
    // The lines of the last analysis in the log; for results read from a
    // file, the result report made from them.
    QStringList log;
};

// Elevation of the highest node of the pile of kind `object`; 0 without one.
double pileTop(const Project &doc, qint16 object);

// Fills the extremes of the single or front pile and of the back pile, by
// the rule of the result report, with the depths below each pile's
// topElevation (set by the caller).
void findExtremes(const Project &doc, PileResult &front, PileResult &back);

// The whole result of an analysed project whose analysis wrote `log`;
// invalid for a project without results.
AnalysisResult analysisResult(const Project &doc, const QStringList &log);
