#include "mqtt/broker_options.h"

#include "common/ansi.h"
#include "common/number.h"

#include <QFile>
#include <QStandardPaths>

#include <sys/stat.h>

namespace mqtt {
namespace {

std::optional<QString> refuseMode(const QString &file, bool mustExist)
{
    struct stat st {};
    if (::stat(QFile::encodeName(file).constData(), &st) != 0) {
        if (mustExist)
            return QStringLiteral("%1: файла нет").arg(file);
        return std::nullopt;
    }
    if (!S_ISREG(st.st_mode))
        return QStringLiteral("%1: не обычный файл").arg(file);
    if ((st.st_mode & (S_IRWXG | S_IRWXO)) != 0)
        return QStringLiteral("%1: файл доступен другим (права %2), а в нём может быть пароль; выполните chmod 600 %1")
            .arg(file)
            .arg(st.st_mode & 07777, 4, 8, QLatin1Char('0'));
    return std::nullopt;
}

bool yes(const QString &v, bool *ok)
{
    *ok = true;
    if (v == QLatin1String("yes") || v == QLatin1String("true") || v == QLatin1String("1"))
        return true;
    if (v == QLatin1String("no") || v == QLatin1String("false") || v == QLatin1String("0"))
        return false;
    *ok = false;
    return false;
}

} // namespace

QString BrokerOptions::text() const
{
    QString t = host + u':' + QString::number(portOrDefault());
    if (tls)
        t += QStringLiteral(" (TLS)");
    return t;
}

QString defaultBrokerFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/dalvimo/dalvimo-mqtt.conf");
}

std::optional<QString> readBrokerFile(const QString &file, bool mustExist, BrokerOptions &options)
{
    if (auto refused = refuseMode(file, mustExist))
        return refused;
    QFile in(file);
    if (!in.exists())
        return std::nullopt;
    if (!in.open(QIODevice::ReadOnly))
        return QStringLiteral("%1: %2").arg(file, in.errorString());
    constexpr qint64 kMaxSize = 64 * 1024; // a few lines; anything larger is not this file
    if (in.size() > kMaxSize)
        return QStringLiteral("%1: файл больше %2 байт").arg(file).arg(kMaxSize);
    const QStringList lines = QString::fromUtf8(in.readAll()).split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const auto bad = [&](const QString &why) {
            return QStringLiteral("%1:%2: %3").arg(file).arg(i + 1).arg(why);
        };
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            return bad(QStringLiteral("нужно «ключ = значение»"));
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        if (key == QLatin1String("host")) {
            options.host = value;
        } else if (key == QLatin1String("port")) {
            const auto p = num::parsePlainInteger(value);
            if (!p || *p < 1 || *p > 65535)
                return bad(QStringLiteral("port: нужно число 1…65535"));
            options.port = quint16(*p);
        } else if (key == QLatin1String("user")) {
            options.user = value;
        } else if (key == QLatin1String("password")) {
            options.password = value;
        } else if (key == QLatin1String("tls")) {
            bool ok = false;
            options.tls = yes(value, &ok);
            if (!ok)
                return bad(QStringLiteral("tls: нужно yes или no"));
        } else if (key == QLatin1String("cafile")) {
            options.cafile = value;
        } else {
            return bad(QStringLiteral("неизвестный ключ «%1»").arg(ansi::printable(key)));
        }
    }
    return std::nullopt;
}

} // namespace mqtt
