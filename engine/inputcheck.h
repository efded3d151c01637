#pragma once

// Plausibility check of the project before an analysis.

#include "model/document.h"

// Result code of the first failing geometry rule (1 to 7), or 0.
int checkInput(const Document &doc);

// Values that no analysis can use (zero or negative sizes, unknown codes,
// non-finite numbers), as an error line for the log; empty when usable.
QString unusableInput(const Document &doc);
