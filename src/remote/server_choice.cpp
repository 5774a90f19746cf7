#include "remote/server_choice.h"

#include "common/ansi.h"
#include "settings/ini_class.h"
#include "settings/server_entries.h"
#include "settings/settings_location.h"
#include "common/address.h"

#include <QCoreApplication>
#include <QHostInfo>

namespace remote {
namespace {

bool looksLikeHostName(const QString &text)
{
    for (QChar c : text)
        if (c.isLetter())
            return true;
    return false;
}

NoServer malformed(const QString &reason) { return {NoServer::Malformed, reason}; }

QString notIpv4(const QString &text)
{
    return QStringLiteral("«%1» — не IPv4-адрес").arg(ansi::printable(text));
}

std::variant<QHostAddress, NoServer> addressOf(const QString &text)
{
    if (const auto ip = address::ipv4Of(text))
        return QHostAddress(*ip);
    if (!looksLikeHostName(text))
        return malformed(notIpv4(text));
    const QHostInfo info = QHostInfo::fromName(text.trimmed());
    for (const QHostAddress &a : info.addresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol)
            return a;
    return NoServer{NoServer::Unresolved, QStringLiteral("адрес «%1» не найден").arg(ansi::printable(text))};
}

} // namespace

std::variant<Endpoint, NoServer> parseServerText(const QString &text)
{
    // An IPv6 address has colons of its own ("::1", "[::1]:17777"); it is
    // named whole rather than cut at its last colon.
    if (text.startsWith(u'[') || text.count(u':') > 1)
        return malformed(notIpv4(text) + QStringLiteral(" (Quorvan слушает IPv4)"));
    const qsizetype colon = text.lastIndexOf(u':');
    const QString host = colon < 0 ? text : text.left(colon);
    const QString portText = colon < 0 ? QString::number(address::kDefaultPort) : text.mid(colon + 1);
    const auto port = address::portOf(portText);
    if (!port)
        return malformed(QStringLiteral("«%1» — не номер порта (1–65535)").arg(ansi::printable(portText)));
    auto resolved = addressOf(host);
    if (auto *why = std::get_if<NoServer>(&resolved))
        return *why;
    return Endpoint{std::get<QHostAddress>(resolved).toIPv4Address(), *port};
}

std::variant<ServerChoice, NoServer> chooseServer(const std::optional<QString> &option,
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
            return malformed(QStringLiteral("%1: выбранный сервер %2").arg(settingsFile, notIpv4(entry->address)));
        return ServerChoice{{*ip, address::kDefaultPort}, settingsFile};
    } else {
        text = address::kDefaultIp;
        source = QStringLiteral("по умолчанию");
    }
    auto parsed = parseServerText(text);
    if (auto *why = std::get_if<NoServer>(&parsed)) {
        why->reason = source + QStringLiteral(": ") + why->reason;
        return *why;
    }
    return ServerChoice{std::get<Endpoint>(parsed), source};
}

QString windowSettingsFile()
{
    return settings::settingsFilePath(
        settings::windowExecutableBeside(QCoreApplication::applicationFilePath()));
}

std::optional<QString> serverFromEnvironment()
{
    if (!qEnvironmentVariableIsSet("DALVIMO_SERVER"))
        return std::nullopt;
    return qEnvironmentVariable("DALVIMO_SERVER");
}

} // namespace remote
