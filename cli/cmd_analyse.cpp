// ridezu-cli analyse FILE.qzp [--save OUT.qzp] [--csv OUT.csv] [--json OUT.json]
// [--design] [--strict]: the analysis the window runs, printing the lines it
// adds to the information log; with --design the design checks follow, one
// line each. --csv writes the per-node result table, --json the whole typed
// result (with the checks under --design).

#include "cli/command.h"
#include "cli/projectfile.h"
#include "document/document.h"
#include "engine/analysisresult.h"
#include "engine/designchecks.h"
#include "results/resultcsv.h"
#include "results/resultjson.h"

namespace {

const char USAGE[] =
    "FILE.qzp [--save OUT.qzp] [--csv OUT.csv] [--json OUT.json] [--design] [--strict]";

int analyse(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QString input;
    QString output;
    QString csv;
    QString json;
    bool design = false;
    bool strict = false;
    for (int n = 0; n < args.size(); ++n) {
        if (args[n] == QLatin1String("--save") && n + 1 < args.size())
            output = args[++n];
        else if (args[n] == QLatin1String("--csv") && n + 1 < args.size())
            csv = args[++n];
        else if (args[n] == QLatin1String("--json") && n + 1 < args.size())
            json = args[++n];
        else if (args[n] == QLatin1String("--design"))
            design = true;
        else if (args[n] == QLatin1String("--strict"))
            strict = true;
        else if (input.isEmpty() && !args[n].startsWith(QLatin1String("--")))
            input = args[n];
        else {
            err << "ridezu-cli analyse: unexpected argument '" << args[n] << "'\n";
            return ExitUnreadable;
        }
    }
    if (input.isEmpty()) {
        err << "Usage: ridezu-cli analyse " << USAGE << '\n';
        return ExitUnreadable;
    }

    Document doc;
    if (!readProjectFile(doc, input, err))
        return ExitUnreadable;

    // Back to input mode, as when the analyse command is switched off.
    doc.showInput();
    const int first = doc.messages.size();
    const bool ok = doc.analyse();
    for (int n = first; n < doc.messages.size(); ++n)
        out << doc.messages[n] << '\n';

    // The checks of a failed analysis do not exist: its reason stands above.
    const DesignResult checks =
        ok && (design || strict) ? designChecks(doc.project()) : DesignResult();
    if (design && ok) {
        for (const DesignLine &line : DesignText::lines(checks))
            out << line.text << '\n';
        out << DesignText::summary(checks) << '\n';
    }
    out.flush();

    if (!output.isEmpty() && !writeProjectFile(doc, output, err))
        return ExitFailed;
    if (!csv.isEmpty()) {
        // A failed analysis has no table: its reason stands above.
        const QString message = ResultCsv::write(doc.analysisResult(), csv);
        if (!message.isEmpty()) {
            err << "ridezu-cli: " << message << '\n';
            return ExitFailed;
        }
    }
    if (!json.isEmpty()) {
        // A failed analysis still writes its log, so a script reads why.
        AnalysisResult result = doc.analysisResult();
        if (!result.valid)
            result.log = doc.messages.mid(first);
        const QString message = ResultJson::write(result, design ? &checks : nullptr, json);
        if (!message.isEmpty()) {
            err << "ridezu-cli: " << message << '\n';
            return ExitFailed;
        }
    }
    if (!ok)
        return ExitFailed;
    return strict && !(checks.valid && checks.ok()) ? ExitChecksFailed : ExitOk;
}

const CommandRegistration registration({QStringLiteral("analyse"), QString::fromLatin1(USAGE),
    QStringLiteral("analyse a project and print the report; --design adds the design checks,"
                   " --strict exits 3 when one fails"),
    analyse});

} // namespace
