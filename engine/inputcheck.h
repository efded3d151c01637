#pragma once

// Plausibility check of the project before an analysis.

#include "model/document.h"

// Result code of the first failing geometry rule (1 to 7), or 0.
int checkInput(const Document &doc);

// Values that no analysis can use (zero or negative sizes, unknown codes,
// non-finite numbers), design data outside sense (see DesignRules, and a
// negative frk or frbk) or values that no real project has (beyond 1000 m,
// 1e6 kN/m, 1e7 kN·m/m, 1e9 kPa or a soil coefficient of 1e9), as an error
// line for the log naming the field; empty when usable.
QString unusableInput(const Document &doc);
