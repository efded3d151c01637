// ridezu-cli: the project file and the analysis from the command line, on
// the same core library as the window.

#include "buildinfo.h"
#include "cli/command.h"

#include <QCoreApplication>

#include <cstdio>

QList<Command> &commands()
{
    static QList<Command> list;
    return list;
}

static void printHelp(QTextStream &out)
{
    out << "Usage: ridezu-cli COMMAND [ARGUMENTS]\n\n"
        << "Anti-slide pile projects (.qzp) from the command line.\n\nCommands:\n";
    // Each summary stands under its command, so a long usage never runs into it.
    for (const Command &c : commands())
        out << "  " << c.name << ' ' << c.usage << "\n      " << c.summary << '\n';
    out << "\nExit status: 0 success, 1 the command failed, 2 the file cannot be read"
           " or the arguments are wrong, 3 a design check failed (analyse --strict).\n";
}

int main(int argc, char *argv[])
{
    // A command that paints needs its own kind of application object, made
    // before anything else of Qt runs.
    std::unique_ptr<QCoreApplication> application;
    if (argc > 1) {
        for (const Command &c : commands()) {
            if (c.name == QString::fromLocal8Bit(argv[1]) && c.application)
                application = c.application(argc, argv);
        }
    }
    if (!application)
        application = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication &app = *application;
    QCoreApplication::setOrganizationName(QStringLiteral(RIDEZU_ORGANIZATION));
    QCoreApplication::setApplicationName(QStringLiteral(RIDEZU_APPLICATION));
    QCoreApplication::setApplicationVersion(QStringLiteral(RIDEZU_VERSION));

    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("--help")
        || args.first() == QLatin1String("-h") || args.first() == QLatin1String("help")) {
        printHelp(args.isEmpty() ? err : out);
        return args.isEmpty() ? ExitUnreadable : ExitOk;
    }
    if (args.first() == QLatin1String("--version")) {
        out << "ridezu-cli " << RIDEZU_VERSION << " (build " << RIDEZU_BUILD_DATE << ")\n";
        return ExitOk;
    }
    const QString name = args.takeFirst();
    for (const Command &c : commands()) {
        if (c.name == name) {
            if (args.contains(QLatin1String("--help"))) {
                out << "Usage: ridezu-cli " << c.name << ' ' << c.usage << '\n'
                    << c.summary << '\n';
                return ExitOk;
            }
            return c.run(args, out, err);
        }
    }
    err << "ridezu-cli: unknown command '" << name << "'\n";
    printHelp(err);
    return ExitUnreadable;
}
