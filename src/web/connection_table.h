#pragma once
// The connections dalvimo-web holds open, and which of them gives way when
// another comes: a few per client and a bounded number in all, so that one
// host holding or churning connections, without the token, never keeps a
// paired phone out. A connection that has sent its whole request is being
// answered and is never dropped for another; one still without it is, the
// oldest first.

#include "web/http_request.h"

#include <QByteArray>
#include <QHash>

class QHostAddress;
class QTcpSocket;

namespace web {

class ConnectionTable {
public:
    struct Entry {
        QByteArray client; // see clientKey()
        quint64 serial = 0; // order of arrival
        RequestReader reader;
    };

    // What a new connection from a client meets.
    struct Admission {
        bool admitted = false;
        QTcpSocket *evict = nullptr; // to close first; nullptr: there is room
    };

    ConnectionTable(int perClient, int total) : m_perClient(perClient), m_total(total) {}

    // Room for one more from client: at once, in place of the oldest of that
    // client's (when it has its share) or of all (when the table is full)
    // still without a whole request, or none.
    Admission admit(const QByteArray &client) const;
    void insert(QTcpSocket *socket, const QByteArray &client);
    Entry *find(QTcpSocket *socket);
    void remove(QTcpSocket *socket) { m_entries.remove(socket); }
    qsizetype size() const { return m_entries.size(); }

    // One client is one IPv4 address or one IPv6 address (an IPv4 client of
    // a dual-stack socket is its IPv4 address).
    static QByteArray clientKey(const QHostAddress &peer);

private:
    QTcpSocket *oldestUnread(const QByteArray *client) const;

    int m_perClient;
    int m_total;
    quint64 m_next = 0;
    QHash<QTcpSocket *, Entry> m_entries;
};

} // namespace web
