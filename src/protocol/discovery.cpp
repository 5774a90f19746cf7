#include "protocol/discovery.h"

#include "protocol/protocol.h"

#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QNetworkProxy>

#include <algorithm>

namespace proto {

QList<QHostAddress> broadcastTargets()
{
    QList<QHostAddress> targets;
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &i : interfaces) {
        const auto flags = i.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry &e : i.addressEntries())
            if (e.ip().protocol() == QAbstractSocket::IPv4Protocol && !e.broadcast().isNull()
                && !targets.contains(e.broadcast()))
                targets.append(e.broadcast());
    }
    targets.append(QHostAddress(QHostAddress::Broadcast));
    return targets;
}

Discovery::Discovery(QObject *parent) : QObject(parent)
{
    m_socket.setProxy(QNetworkProxy::NoProxy);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &Discovery::finish);
    connect(&m_socket, &QUdpSocket::readyRead, this, &Discovery::readPending);
}

bool Discovery::start(const QList<QHostAddress> &targets, quint16 port, int timeoutMs, QString *error)
{
    if (m_listening)
        return true; // one search at a time; this one's result comes
    m_found.clear();
    if (m_socket.state() != QAbstractSocket::BoundState && !m_socket.bind(QHostAddress::AnyIPv4, 0)) {
        if (error)
            *error = m_socket.errorString();
        return false;
    }
    m_clock.start();
    const QByteArray ping = proto::ping().toLatin1();
    int sent = 0;
    for (const QHostAddress &to : targets)
        if (m_socket.writeDatagram(ping, to, port) >= 0)
            ++sent;
    if (sent == 0) {
        if (error)
            *error = m_socket.errorString();
        return false;
    }
    m_listening = true;
    m_timer.start(timeoutMs);
    return true;
}

// Every echo counts, whoever was pinged; anything that is not "ping" is no
// echo. A host that answers each of several broadcasts is listed once.
void Discovery::readPending()
{
    while (m_socket.hasPendingDatagrams()) {
        const QNetworkDatagram d = m_socket.receiveDatagram(kMaxDatagram);
        if (!d.isValid())
            break;
        if (!m_listening || d.data() != proto::ping().toLatin1())
            continue;
        bool ok = false;
        const quint32 ipv4 = d.senderAddress().toIPv4Address(&ok);
        if (!ok)
            continue;
        const auto port = static_cast<quint16>(d.senderPort());
        const QHostAddress from(ipv4);
        const bool known = std::any_of(m_found.cbegin(), m_found.cend(), [&](const FoundServer &f) {
            return f.address == from && f.port == port;
        });
        if (!known)
            m_found.append({from, port, m_clock.nsecsElapsed()});
    }
}

void Discovery::finish()
{
    readPending(); // what arrived with the last tick still counts
    m_listening = false;
    emit finished();
}

QList<FoundServer> Discovery::found() const
{
    QList<FoundServer> sorted = m_found;
    std::sort(sorted.begin(), sorted.end(), [](const FoundServer &a, const FoundServer &b) {
        const quint32 x = a.address.toIPv4Address();
        const quint32 y = b.address.toIPv4Address();
        return x != y ? x < y : a.port < b.port;
    });
    return sorted;
}

} // namespace proto
