#pragma once
// The command line of the window program: --help, --version, and nothing
// else of its own. It is read before any window or display is touched, so
// a wrong option costs nothing but a message.

#include <QString>
#include <QStringList>

namespace app {

// What the command line asks for: start the window, or print and leave.
struct Request {
    bool startWindow = true;
    int exitCode = 0;
    QString out; // for standard output
    QString err; // for standard error
};

// arguments as QCoreApplication would list them (the program first);
// settingsFile is the file this copy uses, named by --help.
Request parse(const QStringList &arguments, const QString &settingsFile);

// The same for the running program: its own executable and settings file.
Request parse(const QStringList &arguments);

// main's argv as a list of strings.
QStringList arguments(int argc, char **argv);

// Prints what the request holds and returns its exit status.
int report(const Request &request);

QString version();

} // namespace app
