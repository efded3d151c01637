#pragma once

// Small projects the engine tests share, built from the default project.

#include "model/project.h"

// A square 1 m x 1 m pile of C30 (EI = 2.5e6 kN·m²) standing in ground that
// gives no springs: a plain cantilever or propped beam.
inline void makeBarePile(Project &p, double length, qint16 support)
{
    p.base.slideBackH = length;
    p.base.slideFrontH = length;
    p.base.cutH = length;
    p.base.aforce = 0.0;
    p.base.pforce = 0.0;
    p.base.weight = false;
    p.frontPile.length = length;
    p.frontPile.shp = SECTSQUARE;
    p.frontPile.width = 1.0;
    p.frontPile.height = 1.0;
    p.frontPile.grade = 30;
    p.frontPile.support = support;
    SoilInfo soil;
    soil.type = METHODK;
    soil.k = 0.0;
    soil.m = 0.0;
    soil.thickness = length + 10.0;
    p.soils = {soil};
    p.anchors.clear();
    p.AddForces.clear();
    p.updateAll();
}
