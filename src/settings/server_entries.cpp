#include "settings/server_entries.h"

#include "common/address.h"
#include "common/number.h"
#include "settings/ini_class.h"
#include "settings/settings_keys.h"

namespace settings {

ServerEntry parseServerEntry(const QString &value)
{
    const qsizetype bar = value.indexOf(u'|');
    if (bar < 0)
        return {value, value};
    const qsizetype next = value.indexOf(u'|', bar + 1);
    return {value.left(bar), value.mid(bar + 1, next < 0 ? -1 : next - bar - 1)};
}

QList<ServerEntry> readServerEntries(const INI_Class &ini, const QString &file)
{
    QList<ServerEntry> entries;
    for (int n = kClockIPFirst; n <= kClockIPLast; ++n) {
        const QString value = ini.ReadINIKey(kSectionGeneral, clockIPKey(n), file, kDefaultClockIP);
        if (value.isEmpty())
            break;
        entries.append(parseServerEntry(value));
    }
    return entries;
}

std::optional<qint16> readIntSetting(const INI_Class &ini, const QString &file, const QString &key,
                                     const QString &def)
{
    const auto value = num::parsePlainInteger(ini.ReadINIKey(kSectionGeneral, key, file, def));
    if (!value || *value < -32768 || *value > 32767)
        return std::nullopt;
    return qint16(*value);
}

std::optional<ServerEntry> selectedServerEntry(const INI_Class &ini, const QString &file)
{
    const QList<ServerEntry> entries = readServerEntries(ini, file);
    const auto n = readIntSetting(ini, file, kKeySelectIPNum, kDefaultSelectIPNum);
    if (!n || *n < 1 || *n > entries.size())
        return std::nullopt;
    return entries.at(*n - 1);
}

AddedEntries addServerEntries(const INI_Class &ini, const QString &file, const QList<FoundEntry> &found)
{
    AddedEntries result;
    QList<ServerEntry> entries = readServerEntries(ini, file);
    QList<quint32> known;
    for (const ServerEntry &e : entries)
        if (const auto ip = address::exactIpv4Of(e.address))
            known.append(*ip);
    for (const FoundEntry &f : found) {
        const auto ip = address::exactIpv4Of(f.address);
        if (!ip || known.contains(*ip))
            continue;
        known.append(*ip);
        if (entries.size() >= kClockIPLast) {
            result.noRoom.append(f);
            continue;
        }
        const ServerEntry entry{address::dotted(*ip), QStringLiteral("Quorvan ") + address::dotted(*ip)};
        QString value = entry.address + u'|' + entry.caption;
        if (f.port != address::kDefaultPort)
            value += u'|' + QString::number(f.port);
        entries.append(entry);
        ini.WriteInIKey(kSectionGeneral, clockIPKey(int(entries.size())), value, file);
        result.added.append(entry);
    }
    return result;
}

} // namespace settings
