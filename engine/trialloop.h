#pragma once

// Repeated linear solutions that switch off springs which would pull and Es
// links which would open, until the contact states no longer change.

#include "engine/analysiscode.h"
#include "model/project.h"

#include <QStringList>

constexpr int TRIALLIMIT = 100;

// Runs the trial calculation; Ok when the states settled, TrialLimit at the
// trial limit, SolveFailed when the model cannot be solved. Leaves the last
// trial's element results in doc.results and node displacements in the
// nodes; each trial's lines are appended to `log`.
AnalysisCode trialLoop(Project &doc, bool esInteraction, QStringList &log);
