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
    const QString fileName = exe.completeBaseName() + QStringLiteral(".cfg");
    // filePath() puts one separator between folder and name, also after "/".
    const QString beside = QDir(exe.absolutePath()).filePath(fileName);
    const bool installed = !installBinDir.isEmpty()
        && canonicalDir(exe.absolutePath()) == canonicalDir(installBinDir);
    if (!installed || QFileInfo::exists(beside))
        return beside;
    return QDir(QDir::cleanPath(userConfigDir)).filePath(fileName);
}

QString settingsFilePath(const QString &exePath)
{
    // The generic folder plus our own name, rather than the per-application
    // one, so the window and the command-line program agree on it.
    const QString userConfig =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/dalvimo");
    return settingsFilePath(exePath, QStringLiteral(DALVIMO_INSTALL_BINDIR), userConfig);
}

void makeSettingsFolder(const QString &settingsFile)
{
    QDir().mkpath(QFileInfo(settingsFile).absolutePath());
}

QString windowExecutableBeside(const QString &programPath)
{
    return QFileInfo(programPath).absolutePath() + QStringLiteral("/dalvimo");
}

} // namespace settings
