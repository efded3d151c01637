// ridezu-cli study FILE.qzp --param P --from A --to B --step S [--pile W]
// [--csv OUT.csv] [--threads N]: the parameter study of the window. Each value
// is one variant of the project, analysed and checked; one line each, then
// the smallest value that passes every check. The file is not changed.

#include "cli/command.h"
#include "cli/projectfile.h"
#include "document/document.h"
#include "engine/study.h"
#include "results/studytable.h"

#include <algorithm>

namespace {

const char USAGE[] = "FILE.qzp --param length|diameter|height|spacing|row|bar --from A --to B"
                     " --step S [--pile front|back|both] [--csv OUT.csv] [--threads N]";

bool number(const QString &text, double &value)
{
    bool ok = false;
    value = text.toDouble(&ok);
    return ok && std::isfinite(value);
}

int study(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QString input;
    QString csv;
    StudyDefinition def;
    bool hasParam = false;
    // The three numbers of the range, each needed once.
    struct RangeArgument
    {
        QLatin1String flag;
        double *value;
        bool given;
    };
    RangeArgument range[] = {{QLatin1String("--from"), &def.from, false},
        {QLatin1String("--to"), &def.to, false}, {QLatin1String("--step"), &def.step, false}};
    const auto rangeArgument = [&range](const QString &flag) -> RangeArgument * {
        for (RangeArgument &r : range) {
            if (flag == r.flag)
                return &r;
        }
        return nullptr;
    };
    int threads = 0;
    const auto bad = [&err](const QString &what) {
        err << "ridezu-cli study: " << what << '\n' << "Usage: ridezu-cli study " << USAGE << '\n';
        return ExitUnreadable;
    };
    for (int n = 0; n < args.size(); ++n) {
        const QString &a = args[n];
        const bool hasValue = n + 1 < args.size();
        if (a == QLatin1String("--param") && hasValue) {
            if (!StudyText::parameterFromKey(args[++n], def.parameter))
                return bad(QStringLiteral("unknown parameter '%1'").arg(args[n]));
            hasParam = true;
        } else if (a == QLatin1String("--pile") && hasValue) {
            if (!StudyText::pileFromKey(args[++n], def.pile))
                return bad(QStringLiteral("unknown pile '%1'").arg(args[n]));
        } else if (RangeArgument *r = hasValue ? rangeArgument(a) : nullptr) {
            if (!number(args[++n], *r->value))
                return bad(QStringLiteral("'%1' is no number").arg(args[n]));
            r->given = true;
        } else if (a == QLatin1String("--csv") && hasValue) {
            csv = args[++n];
        } else if (a == QLatin1String("--threads") && hasValue) {
            bool ok = false;
            threads = args[++n].toInt(&ok);
            if (!ok || threads < 1)
                return bad(QStringLiteral("--threads takes a whole number from 1"));
        } else if (input.isEmpty() && !a.startsWith(QLatin1String("--"))) {
            input = a;
        } else {
            return bad(QStringLiteral("unexpected argument '%1'").arg(a));
        }
    }
    if (input.isEmpty() || !hasParam
        || !std::all_of(
            std::begin(range), std::end(range), [](const RangeArgument &r) { return r.given; }))
        return bad(QStringLiteral("FILE, --param, --from, --to and --step are needed"));

    Document doc;
    if (!readProjectFile(doc, input, err))
        return ExitUnreadable;
    // A file saved with its results holds the same input: the study starts
    // from the input alone.
    Project project = doc.project();
    project.dropResults();

    // Refused before anything runs, like any other wrong argument.
    const QString problem = studyProblem(project, def);
    if (!problem.isEmpty()) {
        err << "ridezu-cli study: " << problem << '\n';
        return ExitUnreadable;
    }
    const StudyOutcome outcome = runStudy(project, def, threads);
    for (const StudyRow &row : outcome.rows)
        out << StudyTable::line(def, row, outcome.doubleRow) << '\n';
    out << StudyTable::conclusion(def, outcome) << '\n';
    out.flush();

    if (!csv.isEmpty()) {
        const QString message = StudyTable::writeCsv(def, outcome, csv);
        if (!message.isEmpty()) {
            err << "ridezu-cli: " << message << '\n';
            return ExitFailed;
        }
    }
    return ExitOk;
}

const CommandRegistration registration({QStringLiteral("study"), QString::fromLatin1(USAGE),
    QStringLiteral("sweep one parameter, analyse and check every value, and name the smallest"
                   " value that passes"),
    study});

} // namespace
