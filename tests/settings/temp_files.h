#pragma once
// Small file helpers for the settings tests: whole-file bytes in and out.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdlib>

namespace testfiles {

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

inline QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Keeps embedded NUL bytes, which a plain const char * would cut.
template <std::size_t N>
QByteArray raw(const char (&s)[N])
{
    return QByteArray(s, N - 1);
}

// The file's inode number, 0 when it is missing: tells a file rewritten in
// place from one replaced by another.
inline ino_t inode(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

// File permissions bind root only in name: within this scope a root process
// acts as "nobody", so tests of locked folders mean the same for everyone.
class AsOrdinaryUser {
public:
    static constexpr uid_t kNobody = 65534;
    static constexpr gid_t kNoGroup = 65534; // not root's group, whose bits a folder of root's gives
    AsOrdinaryUser() : m_wasRoot(::geteuid() == 0)
    {
        if (m_wasRoot)
            m_switched = ::setegid(kNoGroup) == 0 && ::seteuid(kNobody) == 0;
    }
    ~AsOrdinaryUser()
    {
        if (m_wasRoot && (::seteuid(0) != 0 || ::setegid(0) != 0))
            std::abort(); // the rest of the run must not go on as somebody else
    }
    AsOrdinaryUser(const AsOrdinaryUser &) = delete;
    AsOrdinaryUser &operator=(const AsOrdinaryUser &) = delete;

    bool isOrdinary() const { return !m_wasRoot || m_switched; }

private:
    bool m_wasRoot;
    bool m_switched = false;
};

} // namespace testfiles
