#include "ctl/server_choice.h"

#include "settings/ini_class.h"
#include "settings/server_entries.h"
#include "settings/settings_location.h"
#include "protocol/address.h"

#include <QCoreApplication>
#include <QHostInfo>

namespace ctl {
namespace {

bool looksLikeHostName(const QString &text)
{
    for (QChar c : text)
        if (c.isLetter())
            return true;
    return false;
}

std::variant<QHostAddress, QString> addressOf(const QString &text)
{
    if (const auto ip = address::ipv4Of(text))
        return QHostAddress(*ip);
    if (!looksLikeHostName(text))
        return QStringLiteral("«%1» — не IPv4-адрес").arg(text);
    const QHostInfo info = QHostInfo::fromName(text.trimmed());
    for (const QHostAddress &a : info.addresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol)
            return a;
    return QStringLiteral("адрес «%1» не найден").arg(text);
}

} // namespace

std::variant<Endpoint, QString> parseServerText(const QString &text)
{
    const qsizetype colon = text.lastIndexOf(u':');
    const QString host = colon < 0 ? text : text.left(colon);
    const QString portText = colon < 0 ? QString(address::kDefaultPort) : text.mid(colon + 1);
    if (host.contains(u':'))
        return QStringLiteral("«%1» — не IPv4-адрес").arg(host);
    const auto port = address::portOf(portText);
    if (!port)
        return QStringLiteral("«%1» — не номер порта (1–65535)").arg(portText);
    auto resolved = addressOf(host);
    if (const auto *reason = std::get_if<QString>(&resolved))
        return *reason;
    return Endpoint{std::get<QHostAddress>(resolved), *port};
}

std::variant<ServerChoice, QString> chooseServer(const std::optional<QString> &option,
                                                 const std::optional<QString> &env,
                                                 const QString &settingsFile)
{
    QString text;
    QString source;
    if (option) {
        text = *option;
        source = QStringLiteral("--server");
    } else if (env && !env->isEmpty()) {
        text = *env;
        source = QStringLiteral("DALVIMO_SERVER");
    } else if (const auto entry = settings::selectedServerEntry(INI_Class(), settingsFile)) {
        // The window takes the address only; its port field always starts
        // with the default.
        const auto ip = address::ipv4Of(entry->address);
        if (!ip)
            return QStringLiteral("%1: выбранный сервер «%2» — не IPv4-адрес").arg(settingsFile, entry->address);
        return ServerChoice{{QHostAddress(*ip), *address::portOf(address::kDefaultPort)}, settingsFile};
    } else {
        text = address::kDefaultIp;
        source = QStringLiteral("default");
    }
    auto parsed = parseServerText(text);
    if (const auto *reason = std::get_if<QString>(&parsed))
        return source + QStringLiteral(": ") + *reason;
    return ServerChoice{std::get<Endpoint>(parsed), source};
}

QString windowSettingsFile()
{
    return settings::settingsFilePath(
        settings::windowExecutableBeside(QCoreApplication::applicationFilePath()));
}

} // namespace ctl
