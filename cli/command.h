#pragma once

// One sub-command of ridezu-cli. Each command lives in its own file and
// registers itself with a static CommandRegistration.

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <memory>

struct Command
{
    QString name;
    QString usage; // arguments, e.g. "FILE.qzp"
    QString summary; // one line for --help
    // Runs the command with the arguments after its name; returns the exit status.
    std::function<int(const QStringList &args, QTextStream &out, QTextStream &err)> run;
    // The application object the command needs, made before it runs; a
    // QCoreApplication when none is given.
    std::function<std::unique_ptr<QCoreApplication>(int &argc, char **argv)> application = {};
};

QList<Command> &commands();

struct CommandRegistration
{
    explicit CommandRegistration(Command command) { commands().append(std::move(command)); }
};

// Exit statuses shared by the commands.
constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUnreadable = 2;
// analyse --strict: the analysis succeeded but a design check is not satisfied.
constexpr int ExitChecksFailed = 3;
