#include "ctl/channel.h"

#include "common/ansi.h"

#include <QNetworkDatagram>
#include <QNetworkProxy>

namespace ctl {

QString Endpoint::text() const
{
    return address.toString() + u':' + QString::number(port);
}

Channel::Channel(const Endpoint &server, QObject *parent) : QObject(parent), m_server(server)
{
    // Datagrams never go through a proxy; asking the system for one would
    // cost a helper thread and more time than the whole exchange.
    m_socket.setProxy(QNetworkProxy::NoProxy);
    connect(&m_socket, &QUdpSocket::readyRead, this, &Channel::readPending);
}

bool Channel::open(QString *error) { return openOn(0, error); }

bool Channel::openOn(quint16 localPort, QString *error)
{
    if (m_socket.bind(QHostAddress::AnyIPv4, localPort))
        return true;
    if (error)
        *error = m_socket.errorString();
    return false;
}

bool Channel::send(const QString &text)
{
    return m_socket.writeDatagram(ansi::encode(text), m_server.address, m_server.port) >= 0;
}

// Everything pending, so one datagram never holds up those behind it.
void Channel::readPending()
{
    while (m_socket.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket.receiveDatagram();
        if (!datagram.isValid())
            break;
        emit received(ansi::decode(datagram.data()), datagram.senderAddress(),
                      static_cast<quint16>(datagram.senderPort()));
    }
}

} // namespace ctl
