#include "remote/channel.h"

#include "common/ansi.h"
#include "protocol/protocol.h"
#include "protocol/reply_source.h"

#include <QNetworkDatagram>
#include <QNetworkProxy>

namespace remote {
namespace {

// Qt's own error texts are English; the few a bind meets, in Russian.
QString socketError(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::AddressInUseError: return QStringLiteral("порт уже занят");
    case QAbstractSocket::SocketAccessError: return QStringLiteral("нет прав на этот порт");
    case QAbstractSocket::SocketResourceError: return QStringLiteral("системе не хватает ресурсов");
    default: return QStringLiteral("ошибка сокета %1").arg(int(error));
    }
}

} // namespace

Channel::Channel(const Endpoint &server, Hears hears, QObject *parent)
    : QObject(parent), m_server(server), m_hears(hears)
{
    // Datagrams never go through a proxy; asking the system for one would
    // cost a helper thread and more time than the whole exchange.
    m_socket.setProxy(QNetworkProxy::NoProxy);
    connect(&m_socket, &QUdpSocket::readyRead, this, &Channel::readPending);
}

bool Channel::open(QString *error) { return openOn(0, error); }

bool Channel::openOn(quint16 localPort, QString *error)
{
    if (!m_socket.bind(QHostAddress::AnyIPv4, localPort)) {
        if (error)
            *error = socketError(m_socket.error());
        return false;
    }
    if (m_hears == Everyone)
        return true;
    // Connected to the server, the socket takes datagrams from its address
    // and port alone, sent to the one address the server is reached from;
    // the system drops the rest unread. What came before has answered
    // nothing: nothing was sent yet.
    m_socket.connectToHost(QHostAddress(m_server.ipv4), m_server.port);
    if (m_socket.state() != QAbstractSocket::ConnectedState) {
        if (error)
            *error = socketError(m_socket.error());
        return false;
    }
    while (m_socket.hasPendingDatagrams())
        m_socket.receiveDatagram(0);
    return true;
}

bool Channel::send(const QString &text)
{
    const QByteArray bytes = ansi::encode(text);
    if (m_socket.state() == QAbstractSocket::ConnectedState)
        return m_socket.write(bytes) == bytes.size();
    return m_socket.writeDatagram(bytes, QHostAddress(m_server.ipv4), m_server.port) >= 0;
}

// Everything pending, so one datagram never holds up those behind it.
void Channel::readPending()
{
        while (m_socket.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket.receiveDatagram(proto::kMaxDatagram);
        if (!datagram.isValid())
            break;
        const QHostAddress from = datagram.senderAddress();
        const auto port = static_cast<quint16>(datagram.senderPort());
        if (m_hears == ServerOnly && !proto::fromServer(from, port, m_server))
            emit dropped(from, port);
        else
            emit received(ansi::decode(datagram.data()), from, port);
    }
}

} // namespace remote
