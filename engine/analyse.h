#pragma once

// The analysis of one project as a function of a value: the input check,
// the model, the springs and loads, the trial calculation and the results.
// It reads a Project and returns everything it finds in one outcome; it
// writes nothing else and keeps no state between calls, so any number of
// analyses may run at once on their own copies.

#include "engine/analysiscode.h"
#include "engine/analysisresult.h"
#include "model/project.h"

#include <QStringList>

struct AnalysisOutcome
{
    AnalysisCode code = AnalysisCode::Ok;
    // The lines the analysis adds to the information log, in order.
    QStringList log;
    // The analysed project: the input as given, the analysis model and its
    // results, and what the analysis derives (the element length, the pile
    // bottom nodes, the anchor forces). After a failure the model and the
    // results are those the analysis had reached and must not be shown.
    Project project;
    // The typed result, valid when the analysis succeeded.
    AnalysisResult result;

    bool succeeded() const { return code == AnalysisCode::Ok; }
};

AnalysisOutcome analyse(const Project &input);

// Copies the input records of `from` into `to` and runs every derived-data
// update on them, so that values a file may have stored stale (placement,
// section values, loads, stiffness) are those the analysis works with.
void copyInputAfresh(const Project &from, Project &to);
