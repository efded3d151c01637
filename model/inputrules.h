#pragma once

// Rules that turn what the user typed into input values. The dock's property
// table and the data dialogs both edit these values; each rule is written
// here once so that the two editors cannot drift apart.

#include "model/records.h"

// The m coefficient of the m method in kN/m⁴ from the cohesion c (kPa) and
// the friction angle φ (°) by the empirical rule m = (0.2φ² − φ + c) / 10
// in MN/m⁴. Soil with little friction and no cohesion gives a value that is
// not positive, which no layer can use.
double coefficientMFromStrength(double c, double fi);

// Both ends of a distributed force push the same way: q2 takes the sign of
// q1 when the two were typed with opposite signs.
void matchEndSigns(ForceInfo &force);
