#pragma once
// dalvimoctl from its arguments to its exit status: the command line, the
// server, the command, and what goes to stdout and stderr.
//
// Errors, in this program: every outcome becomes an exit status and a line
// on stderr (exit_status.cpp); nothing escapes runProgram.

#include <QStringList>

namespace ctl {

// arguments as QCoreApplication::arguments(); needs a QCoreApplication.
int runProgram(const QStringList &arguments);

} // namespace ctl
