#include "os_files.h"

#include <QFile>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace testfiles {
namespace {
constexpr uid_t kNobody = 65534;
constexpr gid_t kNoGroup = 65534; // not root's group, whose bits a folder of root's gives
} // namespace

quint64 fileId(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

bool linkFolder(const QString &target, const QString &link)
{
    return QFile::link(target, link);
}

bool canLockFolders()
{
    return true;
}

AsOrdinaryUser::AsOrdinaryUser() : m_wasRoot(::geteuid() == 0)
{
    if (m_wasRoot)
        m_switched = ::setegid(kNoGroup) == 0 && ::seteuid(kNobody) == 0;
}

AsOrdinaryUser::~AsOrdinaryUser()
{
    if (m_wasRoot && (::seteuid(0) != 0 || ::setegid(0) != 0))
        std::abort(); // the rest of the run must not go on as somebody else
}

InstalledFolder::InstalledFolder(const QString &) : m_path(QStringLiteral(DALVIMO_TEST_INSTALL_BINDIR)) {}
InstalledFolder::~InstalledFolder() = default;

QString InstalledFolder::userSettingsFile() const
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/dalvimo/dalvimo.cfg");
}

} // namespace testfiles
