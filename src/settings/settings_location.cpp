#include "settings/settings_location.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef DALVIMO_INSTALL_BINDIR
#define DALVIMO_INSTALL_BINDIR ""
#endif

namespace settings {
namespace {

QString canonicalDir(const QString &dir)
{
    const QString canonical = QFileInfo(dir).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(QDir(dir).absolutePath()) : canonical;
}

} // namespace

QString settingsFilePath(const QString &exePath, const QString &installBinDir,
                         const QString &userConfigDir)
{
    const QFileInfo exe(exePath);
    const QString beside = exe.absolutePath() + u'/' + exe.completeBaseName() + QStringLiteral(".cfg");
    const bool installed = !installBinDir.isEmpty()
        && canonicalDir(exe.absolutePath()) == canonicalDir(installBinDir);
    if (!installed || QFileInfo::exists(beside))
        return beside;
    return QDir::cleanPath(userConfigDir) + u'/' + exe.completeBaseName() + QStringLiteral(".cfg");
}

QString settingsFilePath(const QString &exePath)
{
    // The generic folder plus our own name, rather than the per-application
    // one, so the window and the command-line program agree on it.
    const QString userConfig =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/dalvimo");
    return settingsFilePath(exePath, QStringLiteral(DALVIMO_INSTALL_BINDIR), userConfig);
}

QString windowExecutableBeside(const QString &programPath)
{
    return QFileInfo(programPath).absolutePath() + QStringLiteral("/dalvimo");
}

} // namespace settings
