#include "remote/server_list.h"

#include "common/address.h"
#include "settings/ini_class.h"
#include "settings/server_entries.h"

#include <algorithm>

namespace remote {

bool namesMany(const QString &text)
{
    return text.contains(u',') || text.trimmed() == QLatin1String("@all");
}

std::variant<QList<Endpoint>, NoServer> parseServerList(const QString &text, const QString &settingsFile)
{
    QList<Endpoint> servers;
    const auto add = [&servers](const Endpoint &e) {
        const bool known = std::any_of(servers.cbegin(), servers.cend(), [&](const Endpoint &s) {
            return s == e;
        });
        if (!known)
            servers.append(e); // named twice, asked once
    };
    for (const QString &part : text.split(u',')) {
        const QString name = part.trimmed();
        if (name == QLatin1String("@all")) {
            const auto entries = settings::readServerEntries(INI_Class(), settingsFile);
            if (entries.isEmpty())
                return NoServer{NoServer::Malformed,
                                QStringLiteral("@all: в списке серверов окна (%1) нет ни одного").arg(settingsFile)};
            for (const settings::ServerEntry &e : entries) {
                const auto ip = address::ipv4Of(e.address);
                if (!ip)
                    return NoServer{NoServer::Malformed,
                                    QStringLiteral("@all: «%1» — не IPv4-адрес").arg(e.address)};
                add({*ip, address::kDefaultPort});
            }
            continue;
        }
        if (name.isEmpty())
            return NoServer{NoServer::Malformed, QStringLiteral("пустое имя сервера в списке «%1»").arg(text)};
        auto one = parseServerText(name);
        if (auto *why = std::get_if<NoServer>(&one))
            return *why;
        add(std::get<Endpoint>(one));
    }
    return servers;
}

} // namespace remote
