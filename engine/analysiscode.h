#pragma once

// The ways an analysis can end, and the fixed line the log shows for each.
// The numbers are those the program has always used for these outcomes.

#include <QString>

enum class AnalysisCode {
    Ok = 0,
    SoilTooShallow = 1, // the layers end above a pile bottom
    BottomAboveSlide = 2,
    BottomAboveCut = 3,
    RowsDoNotOverlap = 4,
    PileTooShort = 5,
    RowsTooClose = 6,
    BottomAboveGround = 7,
    NotConverged = 12, // a warning: the trial goes on with its solution
    SolveFailed = 13,
    TrialLimit = 21,
    InvalidInput = 100, // a value out of its bounds: the log names it
    ModelTooLarge = 101,
    NoModel = 102,
};

// The log line of a code; InvalidInput's line is made by the input check.
QString codeMessage(AnalysisCode code);
