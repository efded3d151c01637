#pragma once

// Everything a project file holds, as plain values. Reading fills a copy of
// the target document's data and hands it over only when the whole file was
// read, so a file that fails half-way leaves the document as it was.

#include "model/records.h"

#include <QList>

class Document;

struct ProjectData
{
    double fileVersion = 0.0;
    double blc = 0.0;
    double blcfull = 0.0;
    qint32 status = 0;
    qint32 x0 = 0;
    qint32 y0 = 0;

    BaseInfo base;
    QList<ForceInfo> BaseForces;
    QList<SoilInfo> soils;
    PileInfo frontPile;
    PileInfo backPile;
    LinkBeamInfo linkBeam;
    QList<ForceInfo> AddForces;
    QList<AnchorInfo> anchors;
    DesignInfo design;

    QList<NodeInfo> nodes;
    QList<BeamInfo> beams;
    QList<ResultInfo> results;
    ResultExtremes extremes;

    static ProjectData of(const Document &doc);
    // Whether every node index of the results lies inside the node list, so
    // that the results can be drawn and summarised safely.
    bool resultsConsistent() const;
    // Forgets the results; the project opens in input mode.
    void dropResults();
    // Copies every member back except the file version, which belongs to the program.
    void storeInto(Document &doc) const;
};
