#include "web/token_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace web {
namespace {

constexpr qsizetype kTokenMin = 43; // 32 bytes in base64url, as make() writes them
constexpr qsizetype kTokenMax = 128;
constexpr qsizetype kFileMax = 256; // a token, its line end and some slack

QString systemError(int error)
{
    return qt_error_string(error);
}

QString kindOf(mode_t mode)
{
    if (S_ISLNK(mode))
        return QStringLiteral("символическая ссылка");
    if (S_ISDIR(mode))
        return QStringLiteral("каталог");
    if (S_ISFIFO(mode))
        return QStringLiteral("канал (FIFO)");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("устройство");
    if (S_ISSOCK(mode))
        return QStringLiteral("сокет");
    return QStringLiteral("не обычный файл");
}

struct Content {
    enum Kind { Read, Missing, Refused } kind = Missing;
    QByteArray bytes;   // Read: the file's first kFileMax + 1 bytes
    unsigned mode = 0;  // Read: its permission bits
    QString why;        // Refused
};

Content refused(const QString &why)
{
    return {Content::Refused, {}, 0, why};
}

// What may stand where the token file goes: nothing, or a regular file of
// this user's (exists tells which). Empty when so; the reason otherwise.
std::optional<QString> notOurs(const QByteArray &path, struct stat *st, bool *exists)
{
    *exists = ::lstat(path.constData(), st) == 0;
    if (!*exists)
        return errno == ENOENT ? std::nullopt : std::optional<QString>(systemError(errno));
    if (!S_ISREG(st->st_mode))
        return QStringLiteral("это %1, а не обычный файл; укажите другой --token-file").arg(kindOf(st->st_mode));
    if (st->st_uid != ::geteuid())
        return QStringLiteral("файл принадлежит другому пользователю (uid %1)").arg(st->st_uid);
    return std::nullopt;
}

// The file's bytes, read without following a link, without opening
// anything that is not a regular file of this user's, and checked once
// more on the open descriptor, so that nothing swapped in between is read.
Content readFile(const QString &file)
{
    const QByteArray path = QFile::encodeName(file);
    struct stat st = {};
    bool exists = false;
    if (const auto why = notOurs(path, &st, &exists))
        return refused(*why);
    if (!exists)
        return {};
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? Content{} : refused(systemError(errno));
    struct stat opened = {};
    Content c;
    if (::fstat(fd, &opened) != 0 || opened.st_ino != st.st_ino || opened.st_dev != st.st_dev) {
        c = refused(QStringLiteral("файл сменился при чтении"));
    } else {
        c.kind = Content::Read;
        c.mode = opened.st_mode & 07777;
        c.bytes.resize(kFileMax + 1);
        qsizetype got = 0;
        while (got < c.bytes.size()) {
            const ssize_t n = ::read(fd, c.bytes.data() + got, size_t(c.bytes.size() - got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                c = refused(systemError(errno));
                break;
            }
            if (n == 0)
                break;
            got += n;
        }
        if (c.kind == Content::Read)
            c.bytes.truncate(got);
    }
    ::close(fd);
    return c;
}

// The token a file's bytes hold, or why they hold none.
QByteArray tokenIn(const Content &c, const QString &file, QString *why)
{
    if ((c.mode & 077) != 0) {
        *why = QStringLiteral("файл доступен не только владельцу (права %1); выполните chmod 600 %2")
                   .arg(c.mode, 4, 8, QLatin1Char('0'))
                   .arg(file);
        return {};
    }
    const QByteArray t = c.bytes.trimmed();
    const QString renew = QStringLiteral("; новый ключ сделает dalvimo-web --new-token");
    if (t.isEmpty()) {
        *why = QStringLiteral("файл пуст") + renew;
        return {};
    }
    bool alphabet = true;
    for (const char ch : t)
        alphabet = alphabet && ((ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z')
                                || ch == '-' || ch == '_');
    if (!alphabet || t.size() < kTokenMin || t.size() > kTokenMax) {
        *why = QStringLiteral("в файле не ключ сопряжения (нужно от %1 до %2 знаков A–Z, a–z, 0–9, «-», «_»)")
                   .arg(kTokenMin)
                   .arg(kTokenMax)
            + renew;
        return {};
    }
    return t;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// The bytes as the whole file: written to a file of its own beside it
// (O_CREAT | O_EXCL, 0600), then renamed over the old one, or linked in
// where there was none, so that nothing that came meanwhile is replaced.
bool writeFile(const QString &file, const QByteArray &bytes, unsigned mode, QString *error)
{
    const QByteArray path = QFile::encodeName(file);
    struct stat st = {};
    bool exists = false;
    if (const auto why = notOurs(path, &st, &exists)) {
        *error = *why;
        return false;
    }
    QDir().mkpath(QFileInfo(file).absolutePath());
    QByteArray temp = path + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        *error = systemError(errno);
        return false;
    }
    bool ok = writeAll(fd, bytes) && (mode == 0600 || ::fchmod(fd, mode) == 0) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok)
        ok = exists ? ::rename(temp.constData(), path.constData()) == 0 : ::link(temp.constData(), path.constData()) == 0;
    const int saved = errno;
    if (!ok || !exists)
        ::unlink(temp.constData());
    if (!ok)
        *error = systemError(saved);
    return ok;
}

} // namespace

QString TokenStore::make()
{
    QByteArray bytes(32, Qt::Uninitialized);
    QRandomGenerator::system()->generate(bytes.begin(), bytes.end());
    return QString::fromLatin1(bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

QString TokenStore::defaultFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/dalvimo/dalvimo-web.token");
}

QByteArray TokenStore::current(QString *error) const
{
    const Content c = readFile(m_file);
    switch (c.kind) {
    case Content::Missing:
        *error = QStringLiteral("файла нет; новый ключ сделает dalvimo-web --new-token");
        return {};
    case Content::Refused:
        *error = c.why;
        return {};
    case Content::Read:
        break;
    }
    return tokenIn(c, m_file, error);
}

QString TokenStore::obtain(QString *error)
{
    const Content c = readFile(m_file);
    if (c.kind == Content::Refused) {
        *error = c.why;
        return {};
    }
    if (c.kind == Content::Read)
        return QString::fromLatin1(tokenIn(c, m_file, error));
    const QString token = make(); // the first start
    return writeFile(m_file, token.toLatin1() + '\n', 0600, error) ? token : QString();
}

QString TokenStore::renew(QString *error)
{
    const Content c = readFile(m_file);
    if (c.kind == Content::Refused) {
        *error = c.why;
        return {};
    }
    const QString token = make();
    if (!writeFile(m_file, token.toLatin1() + '\n', 0600, error))
        return {};
    m_replaced.reset();
    if (c.kind == Content::Read)
        m_replaced = Saved{c.bytes, c.mode};
    return token;
}

bool TokenStore::restore(QString *error)
{
    if (m_replaced)
        return writeFile(m_file, m_replaced->bytes, m_replaced->mode, error);
    if (::unlink(QFile::encodeName(m_file).constData()) == 0 || errno == ENOENT)
        return true;
    *error = systemError(errno);
    return false;
}

} // namespace web
