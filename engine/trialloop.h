#pragma once

// Repeated linear solutions that switch off springs which would pull and Es
// links which would open, until the contact states no longer change.

#include "model/document.h"

constexpr int TRIALLIMIT = 100;

// Runs the trial calculation; 0 when the states settled, 21 at the trial
// limit, 13 when the model cannot be solved. Leaves the last trial's element
// results in doc.results and node displacements in the nodes.
int trialLoop(Document &doc, bool esInteraction);
