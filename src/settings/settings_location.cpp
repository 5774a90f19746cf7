#include "settings/settings_location.h"

#include <QDir>
#include <QFileInfo>

namespace settings {
namespace {

QString canonicalDir(const QString &dir)
{
    const QString canonical = QFileInfo(dir).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(QDir(dir).absolutePath()) : canonical;
}

// Windows names a folder in any letter case, and its canonical form need
// not restore the one on disk; Qt compares file names as the platform does.
bool sameFolder(const QString &a, const QString &b)
{
    const QString ca = canonicalDir(a);
    const QString cb = canonicalDir(b);
    return ca == cb
        || (ca.compare(cb, Qt::CaseInsensitive) == 0 && QFileInfo::exists(ca) && QFileInfo(ca) == QFileInfo(cb));
}

} // namespace

QString settingsFilePath(const QString &exePath, const QString &installBinDir,
                         const QString &userConfigDir)
{
    const QFileInfo exe(exePath);
    const QString fileName = exe.completeBaseName() + QStringLiteral(".cfg");
    // filePath() puts one separator between folder and name, also after "/".
    const QString beside = QDir(exe.absolutePath()).filePath(fileName);
    const bool installed = !installBinDir.isEmpty() && sameFolder(exe.absolutePath(), installBinDir);
    if (!installed || QFileInfo::exists(beside))
        return beside;
    return QDir(QDir::cleanPath(userConfigDir)).filePath(fileName);
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
