#include "os_files.h"

#include <QDir>
#include <QSettings>

#include <windows.h>

namespace testfiles {

quint64 fileId(const QString &path)
{
    const HANDLE h = CreateFileW(reinterpret_cast<const wchar_t *>(path.utf16()), 0,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool ok = GetFileInformationByHandle(h, &info);
    CloseHandle(h);
    return ok ? (quint64(info.nFileIndexHigh) << 32 | info.nFileIndexLow) : 0;
}

// A QFile::link here is a shell shortcut, and a true symbolic link needs
// the developer mode or administrator rights.
bool linkFolder(const QString &, const QString &)
{
    return false;
}

bool canLockFolders()
{
    return false;
}

AsOrdinaryUser::AsOrdinaryUser() = default;
AsOrdinaryUser::~AsOrdinaryUser() = default;

namespace {

QSettings uninstallKeys()
{
    return QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"),
                     QSettings::NativeFormat);
}

} // namespace

InstalledFolder::InstalledFolder(const QString &candidate)
{
    QSettings keys = uninstallKeys();
    if (keys.childGroups().contains(QStringLiteral(DALVIMO_UNINSTALL_NAME)))
        return; // a real installation: left as it is
    keys.setValue(QStringLiteral(DALVIMO_UNINSTALL_NAME "/InstallLocation"), QDir::toNativeSeparators(candidate));
    keys.sync();
    if (keys.status() == QSettings::NoError)
        m_path = candidate;
}

InstalledFolder::~InstalledFolder()
{
    if (!isValid())
        return;
    QSettings keys = uninstallKeys();
    keys.remove(QStringLiteral(DALVIMO_UNINSTALL_NAME));
}

QString InstalledFolder::userSettingsFile() const
{
    return QDir::fromNativeSeparators(qEnvironmentVariable("APPDATA")) + QStringLiteral("/Dalvimo/dalvimo.cfg");
}

} // namespace testfiles
