#pragma once

// What the user hears about the input as it stands, after every change and
// long before an analysis: the first rule the analysis would refuse, or the
// first anchor or force the placement had to move onto its member.

#include "model/project.h"

// The first problem of the input as one line without the log's ">>"; empty
// when there is none. The geometry rules and the unusable values come first
// (the analysis stops at them), then soil layers without a subgrade
// coefficient, then anchors and additional forces beyond the end of their
// pile or beam, which the placement puts at that end.
QString firstInputProblem(const Project &doc);
