#pragma once
// What the settings tests need of the operating system beyond Qt: a file's
// identity, folder links and locks, and acting as an ordinary user. One
// source file per platform (os_files_posix.cpp, os_files_windows.cpp).

#include <QString>

namespace testfiles {

// Tells a file rewritten in place from one replaced by another: the same
// number while it is the same file; 0 when it is missing.
quint64 fileId(const QString &path);

// Makes link a symbolic link to the folder target. False where that takes
// rights a test does not have (Windows).
bool linkFolder(const QString &target, const QString &link);

// Whether QFile::setPermissions on a folder keeps this process from making
// files in it: POSIX modes do; a Windows folder's read-only mark does not.
bool canLockFolders();

// File permissions bind root only in name: within this scope a root process
// acts as "nobody", so tests of locked folders mean the same for everyone.
// Elsewhere it changes nothing.
class AsOrdinaryUser {
public:
    AsOrdinaryUser();
    ~AsOrdinaryUser();
    AsOrdinaryUser(const AsOrdinaryUser &) = delete;
    AsOrdinaryUser &operator=(const AsOrdinaryUser &) = delete;

    bool isOrdinary() const { return !m_wasRoot || m_switched; }

private:
    bool m_wasRoot = false;
    bool m_switched = false;
};

// This build's own idea of the installed program's folder, for the time of
// the scope: the folder it was built to be installed in (candidate is not
// used), or on Windows candidate, recorded as the installer records it
// unless a real installation is recorded there already.
class InstalledFolder {
public:
    explicit InstalledFolder(const QString &candidate);
    ~InstalledFolder();
    InstalledFolder(const InstalledFolder &) = delete;
    InstalledFolder &operator=(const InstalledFolder &) = delete;

    bool isValid() const { return !m_path.isEmpty(); }
    QString path() const { return m_path; }
    // Where this build keeps the installed program's settings for the user.
    QString userSettingsFile() const;

private:
    QString m_path;
};

} // namespace testfiles
