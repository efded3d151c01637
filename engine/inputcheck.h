#pragma once

// Plausibility check of the project before an analysis.

#include "model/project.h"

// Result code of the first failing geometry rule (1 to 7), or 0.
int checkInput(const Project &doc);

// Values that no analysis can use (zero or negative sizes, unknown codes,
// non-finite numbers), design data outside sense (see DesignRules, and a
// negative frk or frbk) or values that no real project has (beyond 1000 m,
// 1e6 kN/m, 1e7 kN·m/m, 1e9 kPa or a soil coefficient of 1e9; strand or bar
// counts outside 1 to 1000, angles outside 0° to 90°, unit weights outside 0
// to 100 kN/m³, concrete grades outside C10 to C80), as an error line for the
// log naming the record and the field; empty when usable.
QString unusableInput(const Project &doc);
