#include "web/token_store.h"

#include <QDir>

#include <cctype>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStandardPaths>

namespace web {
namespace {

bool plausible(const QByteArray &t)
{
    if (t.size() < 32 || t.size() > 128)
        return false;
    for (const char c : t)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_'))
            return false;
    return true;
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

QString TokenStore::obtain(bool renew, QString *error)
{
    QFile in(m_file);
    if (!renew && in.exists()) {
        if (!in.open(QIODevice::ReadOnly)) {
            *error = in.errorString();
            return {};
        }
        const QByteArray t = in.read(256).trimmed();
        if (plausible(t))
            return QString::fromLatin1(t);
        // Unreadable as a token: a fresh one replaces it.
    }
    QDir().mkpath(QFileInfo(m_file).absolutePath());
    const QString token = make();
    QSaveFile out(m_file);
    // Owner-only before a byte of the token is written.
    if (!out.open(QIODevice::WriteOnly)
        || !out.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)
        || out.write(token.toLatin1() + '\n') < 0 || !out.commit()) {
        *error = out.errorString();
        return {};
    }
    return token;
}

} // namespace web
