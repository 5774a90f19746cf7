#pragma once
// What dalvimoctl offers, and the help that tells it, in Russian: the
// commands with their arguments, the global options and each command's
// own. The command line is parsed from these same tables.

#include <QList>
#include <QString>
#include <QStringList>

namespace ctl {

struct CommandInfo {
    const char *name;
    const char *args;        // the usage after the command; UTF-8
    const char *description; // UTF-8
};

struct OptionInfo {
    QStringList names;    // "s", "server": one letter for -s, more for --server
    QString valueName;    // empty for a switch
    QString description;
    QString defaultValue; // empty: none
};

// The command of that name; nullptr when there is none.
const CommandInfo *findCommand(const QString &name);

QList<OptionInfo> globalOptions();
QList<OptionInfo> commandOptions(const QString &command);

QString generalHelp();
QString commandHelp(const CommandInfo &command);

// "-s" or "--server", as an option of that name is written.
QString dashed(const QString &name);

} // namespace ctl
