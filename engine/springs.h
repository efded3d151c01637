#pragma once

// Soil springs, anchor stiffness, pile-bottom restraints and the springs the
// trial calculation switches.

#include "engine/model.h"

// Foundation coefficient of the layers at elevation y and depth z below the
// reference ground, just above and just below the node.
struct LayerCoefficient
{
    double above = 0.0;
    double below = 0.0;
};
LayerCoefficient layerCoefficient(const QList<SoilInfo> &soils, double y, double z);

// Reference ground between the rows of a double row.
double groundBetweenRows(const Project &doc);

// SKr and SKl of every pile node.
void soilSprings(Project &doc, const MemberNodes &members);

// Every anchor head adds its stiffness to the node it is fixed to.
void anchorStiffness(Project &doc);

// Restraints or base spring at each pile bottom; fills sptindex.
void pileBottom(Project &doc, const MemberNodes &members);

// Kr, Kl, Ku, Kd used by the trial calculation.
void trialSprings(Project &doc);
