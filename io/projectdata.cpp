#include "io/projectdata.h"

#include "model/document.h"

ProjectData ProjectData::of(const Document &doc)
{
    ProjectData d;
    d.fileVersion = doc.fileVersion;
    d.blc = doc.blc;
    d.blcfull = doc.blcfull;
    d.status = doc.status;
    d.x0 = doc.x0;
    d.y0 = doc.y0;
    d.base = doc.base;
    d.BaseForces = doc.BaseForces;
    d.soils = doc.soils;
    d.frontPile = doc.frontPile;
    d.backPile = doc.backPile;
    d.linkBeam = doc.linkBeam;
    d.AddForces = doc.AddForces;
    d.anchors = doc.anchors;
    d.design = doc.design;
    d.nodes = doc.nodes;
    d.beams = doc.beams;
    d.results = doc.results;
    d.extremes = doc.extremes;
    return d;
}

void ProjectData::storeInto(Document &doc) const
{
    doc.blc = blc;
    doc.blcfull = blcfull;
    doc.status = status;
    doc.x0 = x0;
    doc.y0 = y0;
    doc.base = base;
    doc.BaseForces = BaseForces;
    doc.soils = soils;
    doc.frontPile = frontPile;
    doc.backPile = backPile;
    doc.linkBeam = linkBeam;
    doc.AddForces = AddForces;
    doc.anchors = anchors;
    doc.design = design;
    doc.nodes = nodes;
    doc.beams = beams;
    doc.results = results;
    doc.extremes = extremes;
}

bool ProjectData::resultsConsistent() const
{
    const qint64 count = nodes.size();
    const auto valid = [count](qint64 index) { return index >= 0 && index < count; };
    for (const BeamInfo &b : beams) {
        if (!valid(b.i) || !valid(b.j))
            return false;
    }
    for (const ResultInfo &r : results) {
        if (!valid(r.i) || !valid(r.j))
            return false;
    }
    for (const PileInfo *pile : {&frontPile, &backPile}) {
        if (pile->sptindex >= count)
            return false;
    }
    return true;
}

void ProjectData::dropResults()
{
    nodes.clear();
    beams.clear();
    results.clear();
    status = SHOWDATA;
}
