// This platform's part of the settings rule: the installer records the
// folder it installed to under the user's uninstall entry, and the user's
// file goes to the roaming application data, %APPDATA%\Dalvimo. A copy
// unpacked from the zip is in no such record and keeps its file beside it.

#include "settings/settings_location.h"

#include <QDir>
#include <QSettings>

#include <windows.h>

#include <iterator>

#ifndef DALVIMO_UNINSTALL_NAME
#error "DALVIMO_UNINSTALL_NAME: the installer's uninstall entry (dist/windows)"
#endif

namespace settings {
namespace {

QString installFolder()
{
    const QSettings uninstall(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"),
        QSettings::NativeFormat);
    return uninstall.value(QStringLiteral(DALVIMO_UNINSTALL_NAME "/InstallLocation")).toString();
}

QString userFolder()
{
    QString appData = qEnvironmentVariable("APPDATA");
    if (appData.isEmpty())
        appData = QDir::homePath() + QStringLiteral("/AppData/Roaming");
    return QDir::fromNativeSeparators(appData) + QStringLiteral("/Dalvimo");
}

} // namespace

QString settingsFilePath(const QString &exePath)
{
    return settingsFilePath(exePath, installFolder(), userFolder());
}

QString runningExecutable()
{
    wchar_t path[32768];
    const DWORD n = GetModuleFileNameW(nullptr, path, DWORD(std::size(path)));
    if (n == 0 || n >= std::size(path))
        return {};
    return QDir::fromNativeSeparators(QString::fromWCharArray(path, int(n)));
}

} // namespace settings
