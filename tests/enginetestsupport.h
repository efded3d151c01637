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

// A single pile through a sliding mass 10.5 m deep into strong rock: every
// design check passes as soon as the pile reaches below the sliding
// surface (large section, modest thrust, rock of great strength, lenient
// displacement limits), and a pile ending above it is refused by the input
// check. A length study of it passes first at the first length beyond
// 10.5 m.
inline Project rockSocketProject()
{
    Project p = Project::defaultProject();
    p.base.slideBackH = 10.5;
    p.base.slideFrontH = 10.5;
    p.base.cutH = 10.5;
    p.base.aforce = -100.0;
    p.frontPile.length = 15.0;
    p.frontPile.shp = SECTROUND;
    p.frontPile.diameter = 2.0;
    SoilInfo mass = p.soils.value(0);
    mass.thickness = 10.5;
    SoilInfo rock = mass;
    rock.id = 2;
    rock.Name = QStringLiteral("基岩");
    rock.thickness = 60.0;
    rock.type = METHODK;
    rock.k = 500000.0;
    rock.frk = 60000.0;
    p.soils = {mass, rock};
    p.anchors.clear();
    p.AddForces.clear();
    p.design.limitTop = 1.0;
    p.design.limitTopRatio = 1.0;
    p.design.limitSlip = 1.0;
    p.updateAll();
    return p;
}
