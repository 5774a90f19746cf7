#include "web/connection_table.h"

#include <QHostAddress>

namespace web {

QByteArray ConnectionTable::clientKey(const QHostAddress &peer)
{
    // Qt gives an IPv4 address as its v4-mapped IPv6 form, so both kinds of
    // socket name the same client alike.
    const Q_IPV6ADDR a = peer.toIPv6Address();
    return QByteArray(reinterpret_cast<const char *>(a.c), sizeof(a.c));
}

ConnectionTable::Admission ConnectionTable::admit(const QByteArray &client) const
{
    qsizetype own = 0;
    for (const Entry &e : m_entries)
        own += e.client == client ? 1 : 0;
    if (own >= m_perClient) {
        QTcpSocket *victim = oldestUnread(&client);
        return {victim != nullptr, victim};
    }
    if (m_entries.size() >= m_total) {
        QTcpSocket *victim = oldestUnread(nullptr);
        return {victim != nullptr, victim};
    }
    return {true, nullptr};
}

void ConnectionTable::insert(QTcpSocket *socket, const QByteArray &client)
{
    Entry &e = m_entries[socket];
    e.client = client;
    e.serial = m_next++;
}

ConnectionTable::Entry *ConnectionTable::find(QTcpSocket *socket)
{
    const auto it = m_entries.find(socket);
    return it == m_entries.end() ? nullptr : &*it;
}

// The table holds a few dozen at most: a scan costs less than an index.
QTcpSocket *ConnectionTable::oldestUnread(const QByteArray *client) const
{
    QTcpSocket *oldest = nullptr;
    quint64 serial = 0;
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it) {
        const Entry &e = it.value();
        if (e.reader.state() == RequestReader::Complete || (client && e.client != *client))
            continue;
        if (!oldest || e.serial < serial) {
            oldest = it.key();
            serial = e.serial;
        }
    }
    return oldest;
}

} // namespace web
