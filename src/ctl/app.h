#pragma once
// dalvimoctl from its arguments to its exit status: the command line, the
// server, the command, and what goes to stdout and stderr.

#include <QStringList>

namespace ctl {

// arguments as QCoreApplication::arguments(); needs a QCoreApplication.
int runProgram(const QStringList &arguments);

} // namespace ctl
