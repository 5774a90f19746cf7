#include "ctl/discover.h"

#include "common/address.h"
#include "protocol/discovery.h"
#include "settings/ini_class.h"
#include "settings/server_entries.h"
#include "settings/settings_keys.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QLocale>

namespace ctl {

using namespace remote; // the exchanges this program is the command line of
namespace {

// The caption of the window's entry for address, if it names one other
// than the address itself.
QString captionOf(const QList<settings::ServerEntry> &entries, const QHostAddress &address)
{
    for (const settings::ServerEntry &e : entries) {
        const auto ip = address::ipv4Of(e.address);
        if (ip && *ip == address.toIPv4Address() && e.caption != e.address)
            return e.caption;
    }
    return {};
}

QList<proto::FoundServer> search(quint16 port, int timeoutMs, QString *error)
{
    proto::Discovery discovery;
    if (!discovery.start(proto::broadcastTargets(), port, timeoutMs, error))
        return {};
    QEventLoop loop;
    QObject::connect(&discovery, &proto::Discovery::finished, &loop, &QEventLoop::quit);
    loop.exec();
    return discovery.found();
}

void save(Shown &s, const QList<proto::FoundServer> &found, const QString &settingsFile)
{
    QList<settings::FoundEntry> entries;
    for (const proto::FoundServer &f : found)
        entries.append({f.address.toString(), f.port});
    const settings::AddedEntries added = settings::addServerEntries(INI_Class(), settingsFile, entries);
    QJsonArray saved;
    for (const settings::ServerEntry &e : added.added)
        saved.append(e.address);
    s.json.insert(QStringLiteral("saved"), saved);
    s.json.insert(QStringLiteral("settings_file"), settingsFile);
    s.notes << (added.added.isEmpty()
                    ? QStringLiteral("новых серверов нет, %1 не изменён").arg(settingsFile)
                    : QStringLiteral("добавлено в %1: %2").arg(settingsFile).arg(added.added.size()));
    for (const settings::FoundEntry &f : added.noRoom)
        s.notes << QStringLiteral("%1 не добавлен: в списке окна нет места (не больше %2)")
                       .arg(f.address)
                       .arg(settings::kClockIPLast);
}

} // namespace

Shown runDiscover(const Options &r, const QString &settingsFile)
{
    Shown s;
    QString error;
    const QList<proto::FoundServer> found = search(r.discoverPort, r.policy.timeoutMs, &error);
    if (!error.isEmpty()) {
        s.stop = Outcome{Outcome::NoAnswer, QStringLiteral("ping не отправить: ") + error};
        return s;
    }
    const QList<settings::ServerEntry> entries = settings::readServerEntries(INI_Class(), settingsFile);
    const QLocale russian(QLocale::Russian);
    QJsonArray servers;
    for (const proto::FoundServer &f : found) {
        const double ms = double(f.roundTripNs) / 1e6;
        const QString caption = captionOf(entries, f.address);
        QJsonObject o{{QStringLiteral("address"), f.address.toString()},
                      {QStringLiteral("port"), f.port},
                      {QStringLiteral("rtt_ms"), ms}};
        QString line = QStringLiteral("%1:%2  %3 мс")
                           .arg(f.address.toString())
                           .arg(f.port)
                           .arg(russian.toString(ms, 'f', 2));
        if (!caption.isEmpty()) {
            o.insert(QStringLiteral("caption"), caption);
            line += QStringLiteral("  ") + caption;
        }
        servers.append(o);
        s.lines << line;
    }
    s.json.insert(QStringLiteral("servers"), servers);
    if (found.isEmpty()) {
        s.stop = Outcome{Outcome::NoAnswer, QStringLiteral("никто не ответил на ping (порт %1, %2 мс)")
                                         .arg(r.discoverPort)
                                         .arg(r.policy.timeoutMs)};
        return s;
    }
    if (r.save)
        save(s, found, settingsFile);
    return s;
}

} // namespace ctl
