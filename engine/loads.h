#pragma once

// Nodal loads, self-weight and distributed loads of the analysis model.

#include "engine/model.h"

// Point forces, moments and anchor prestress at their nodes.
void nodalLoads(Project &doc);

// Fixed-end forces of a load varying linearly from (qxi, qyi) at node i to
// (qxj, qyj) at node j, added to the element's Ni ... Mj.
void fixedEndForces(BeamInfo &e, double qxi, double qyi, double qxj, double qyj);

// Weight of the pile elements (25 kN/m³).
void selfWeight(Project &doc);

// Thrust, resistance and distributed additional forces on the elements.
void distributedLoads(Project &doc);
