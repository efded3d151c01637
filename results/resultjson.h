#pragma once

// The whole typed result of an analysis as a JSON file for scripts: the log,
// the extremes and the node table of each pile, the anchor forces and, when
// given, the design checks. The keys are listed in the README. Units: m, kN,
// kN·m, kPa, displacements in mm; design areas in mm², stirrups in mm²/m,
// spacings in mm. A number that is not finite is written as null, so the
// file never holds NaN or infinity.

#include "engine/analysisresult.h"
#include "engine/designchecks.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QString>

class ResultJson
{
    Q_DECLARE_TR_FUNCTIONS(ResultJson)

public:
    // The document of `result`; the checks under "checks" when `design` is
    // given and valid.
    static QJsonObject object(const AnalysisResult &result, const DesignResult *design);

    // Writes object() to `path`, replacing the file only once it is
    // complete. Returns the message for the user, empty on success.
    static QString write(
        const AnalysisResult &result, const DesignResult *design, const QString &path);
};
