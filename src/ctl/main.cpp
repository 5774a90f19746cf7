// dalvimoctl: Quorvan from the command line and from scripts.

#include "ctl/app.h"
#include "common/console.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    const term::Utf8Console console;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("dalvimoctl"));
    QCoreApplication::setApplicationVersion(QStringLiteral(DALVIMO_VERSION));
    return ctl::runProgram(QCoreApplication::arguments());
}
