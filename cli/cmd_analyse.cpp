// ridezu-cli analyse FILE.qzp [--save OUT.qzp] [--csv OUT.csv]: the analysis
// the window runs, printing the lines it adds to the information log; with
// --csv the per-node result table goes to a CSV file.

#include "cli/command.h"
#include "cli/projectfile.h"
#include "engine/analysisresult.h"
#include "io/resultcsv.h"
#include "document/document.h"

namespace {

int analyse(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QString input;
    QString output;
    QString csv;
    for (int n = 0; n < args.size(); ++n) {
        if (args[n] == QLatin1String("--save") && n + 1 < args.size())
            output = args[++n];
        else if (args[n] == QLatin1String("--csv") && n + 1 < args.size())
            csv = args[++n];
        else if (input.isEmpty() && !args[n].startsWith(QLatin1String("--")))
            input = args[n];
        else {
            err << "ridezu-cli analyse: unexpected argument '" << args[n] << "'\n";
            return ExitUnreadable;
        }
    }
    if (input.isEmpty()) {
        err << "Usage: ridezu-cli analyse FILE.qzp [--save OUT.qzp] [--csv OUT.csv]\n";
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
    return ok ? ExitOk : ExitFailed;
}

const CommandRegistration registration(
    {QStringLiteral("analyse"), QStringLiteral("FILE.qzp [--save OUT.qzp] [--csv OUT.csv]"),
        QStringLiteral("analyse a project and print the report"), analyse});

} // namespace
