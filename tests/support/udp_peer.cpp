#include "udp_peer.h"

#include "common/ansi.h"

#include <QTest>

UdpPeer::UdpPeer(const QHostAddress &address, quint16 port)
{
    m_socket.bind(address, port);
    QObject::connect(&m_socket, &QUdpSocket::readyRead, &m_socket, [this] { drain(); });
}

UdpPeer::Script UdpPeer::always(const QByteArray &reply)
{
    return [reply](const QString &) { return reply; };
}

UdpPeer::Script UdpPeer::replies(const QMap<QString, QByteArray> &byText)
{
    return [byText](const QString &text) { return byText.value(text); };
}

QString UdpPeer::text() const
{
    return m_socket.localAddress().toString() + u':' + QString::number(port());
}

QStringList UdpPeer::take()
{
    drain();
    return std::exchange(heard, {});
}

bool UdpPeer::waitFor(qsizetype count, int ms)
{
    return QTest::qWaitFor([&] { return heard.size() >= count; }, ms);
}

void UdpPeer::send(const QByteArray &bytes, const QHostAddress &to, quint16 port)
{
    m_socket.writeDatagram(bytes, to, port);
}

void UdpPeer::drain()
{
    while (m_socket.hasPendingDatagrams()) {
        const QNetworkDatagram d = m_socket.receiveDatagram();
        const QString text = ansi::decode(d.data());
        heard << text;
        if (first)
            first(d);
        const QByteArray reply = script ? script(text) : QByteArray();
        if (!reply.isNull())
            m_socket.writeDatagram(reply, d.senderAddress(), quint16(d.senderPort()));
    }
}
