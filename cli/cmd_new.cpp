// ridezu-cli new FILE.qzp: writes the project every new document starts with.

#include "cli/command.h"
#include "cli/projectfile.h"
#include "document/document.h"

namespace {

int runNew(const QStringList &args, QTextStream &, QTextStream &err)
{
    if (args.size() != 1 || args.first().startsWith(QLatin1Char('-'))) {
        err << "Usage: ridezu-cli new FILE.qzp\n";
        return ExitUnreadable;
    }
    Document doc;
    return writeProjectFile(doc, args.first(), err) ? ExitOk : ExitFailed;
}

const CommandRegistration registration({QStringLiteral("new"), QStringLiteral("FILE.qzp"),
    QStringLiteral("write the default project to FILE"), runNew});

} // namespace
