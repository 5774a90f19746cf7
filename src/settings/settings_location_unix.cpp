// This platform's part of the settings rule: the program is installed in the
// folder it was built for, and the user's file goes to ~/.config/dalvimo.
// Linux tells the running executable in /proc.

#include "settings/settings_location.h"

#include <QFile>
#include <QStandardPaths>

#ifndef DALVIMO_INSTALL_BINDIR
#define DALVIMO_INSTALL_BINDIR ""
#endif

namespace settings {

QString settingsFilePath(const QString &exePath)
{
    // The generic folder plus our own name, rather than the per-application
    // one, so the window and the command-line program agree on it.
    const QString userConfig =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/dalvimo");
    return settingsFilePath(exePath, QStringLiteral(DALVIMO_INSTALL_BINDIR), userConfig);
}

QString runningExecutable()
{
    return QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
}

} // namespace settings
