#pragma once
// A UDP socket on a loopback address that plays a server, or a stranger, to
// the programs under test: it records every datagram it gets, in order, and
// answers each by a script (silence unless told).

#include <QHostAddress>
#include <QNetworkDatagram>
#include <QStringList>
#include <QUdpSocket>

#include <functional>

class UdpPeer {
public:
    // The reply to a datagram's text, sent back to its sender; null: none.
    using Script = std::function<QByteArray(const QString &text)>;

    explicit UdpPeer(const QHostAddress &address = QHostAddress(QHostAddress::LocalHost), quint16 port = 0);
    UdpPeer(const UdpPeer &) = delete;
    UdpPeer &operator=(const UdpPeer &) = delete;

    static Script always(const QByteArray &reply);
    static Script replies(const QMap<QString, QByteArray> &byText);

    bool bound() const { return m_socket.state() == QAbstractSocket::BoundState; }
    quint16 port() const { return m_socket.localPort(); }
    QString text() const; // "ADDRESS:PORT", as the programs take a server

    Script script;
    // Runs for each datagram before the reply goes out: impostors answer first.
    std::function<void(const QNetworkDatagram &)> first;
    QStringList heard; // Windows-1251 decoded

    // What was heard, with what is still queued (loopback datagrams are
    // there once writeDatagram returns); afterwards heard is empty.
    QStringList take();
    bool waitFor(qsizetype count, int ms = 30000); // runs the event loop meanwhile
    void send(const QByteArray &bytes, const QHostAddress &to, quint16 port);
    void send(const QByteArray &bytes, quint16 localhostPort) { send(bytes, QHostAddress(QHostAddress::LocalHost), localhostPort); }

private:
    void drain();
    QUdpSocket m_socket;
};
