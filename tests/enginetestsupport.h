#pragma once

// Small projects the engine tests share, built from the default project.

#include "document/document.h"

// A square 1 m x 1 m pile of C30 (EI = 2.5e6 kN·m²) standing in ground that
// gives no springs: a plain cantilever or propped beam.
inline void makeBarePile(Document &doc, double length, qint16 support)
{
    doc.base.slideBackH = length;
    doc.base.slideFrontH = length;
    doc.base.cutH = length;
    doc.base.aforce = 0.0;
    doc.base.pforce = 0.0;
    doc.base.weight = false;
    doc.frontPile.length = length;
    doc.frontPile.shp = SECTSQUARE;
    doc.frontPile.width = 1.0;
    doc.frontPile.height = 1.0;
    doc.frontPile.grade = 30;
    doc.frontPile.support = support;
    SoilInfo soil;
    soil.type = METHODK;
    soil.k = 0.0;
    soil.m = 0.0;
    soil.thickness = length + 10.0;
    doc.soils = {soil};
    doc.anchors.clear();
    doc.AddForces.clear();
    doc.updateAll();
}
