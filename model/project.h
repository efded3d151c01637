#pragma once

// One project as a plain value: the input records, the values derived from
// them, the analysis model and results of the last analysis, and the display
// state saved with the file. A Project is copied freely (its lists share
// their data until written), so an analysis, a file reader or an undo step
// works on a copy and hands back a whole value. The derivation rules are the
// functions below; each runs over the whole project and is the only writer of
// the derived fields it names.

#include "model/records.h"

#include <QCoreApplication>
#include <QList>
#include <QMap>
#include <QRectF>

// The screen words of the core share one translation context with the
// document that shows them.
struct ProjectText
{
    Q_DECLARE_TR_FUNCTIONS(Document)
};

struct Project
{
    // File format version this program writes and reads.
    static constexpr double FILEVERSION = 1.1;

    // Display state, saved with the project.
    double fileVersion = FILEVERSION;
    double blc = 1.0;
    double blcfull = 1.0;
    qint32 status = SHOWDATA;
    qint32 x0 = 50;
    qint32 y0 = -50;

    // Input records.
    BaseInfo base;
    QList<ForceInfo> BaseForces; // derived from the thrust and resistance
    QList<SoilInfo> soils;
    PileInfo frontPile;
    PileInfo backPile;
    LinkBeamInfo linkBeam;
    QList<ForceInfo> AddForces;
    QList<AnchorInfo> anchors;
    DesignInfo design;

    // Analysis model and results of the last analysis.
    QList<NodeInfo> nodes;
    QList<BeamInfo> beams;
    QMap<int, int> restraints; // key node*10 + dof (1 x, 2 y, 3 rotation)
    QList<ResultInfo> results;
    ResultExtremes extremes;

    // The project a new file starts with.
    static Project defaultProject();

    // Places the piles and the link beam and derives their section values.
    // Returns true when a pile's calculation width b0 had to be limited to
    // the spacing, which the user is told about.
    bool updateGeometry();
    // The thrust and resistance as distributed forces on the piles.
    void updateBaseData();
    // Layer numbers and bottom elevations from the thicknesses.
    void updateSoilLayers();
    // Anchors and additional forces at their places on a pile or the beam.
    void placeAnchors();
    void placeForces();
    // All of the above and every anchor's stiffness, in their order: the
    // project derived afresh from its primary input. Returns what
    // updateGeometry returns.
    bool updateAll();

    // Whether every node index of the results lies inside the node list, so
    // that the results can be drawn and summarised safely.
    bool resultsConsistent() const;
    // Forgets the analysis model and results; the project shows its input.
    void dropResults();
    // Takes the input, the derived values and the analysis of `other` and
    // keeps this project's display state (scale, origin, mode): what an undo
    // step gives back.
    void takeContent(const Project &other);

    // Box of the model in metres (top-left corner, negative height).
    QRectF modelBounds() const;

private:
    void placeForceList(QList<ForceInfo> &forces) const;
};

// A single row has one sliding surface: the front depth follows the back one,
// as the drawing and the element grid read the front surface too.
void applySlideDepthRule(BaseInfo &base);
