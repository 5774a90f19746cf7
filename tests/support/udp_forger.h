#pragma once
// The attacker on the LAN who forges Quorvan's source address: raw sockets
// that see every IPv4 UDP datagram arriving (whatever its port) and send
// datagrams with any source address and port. Needs root (CAP_NET_RAW);
// open() says why it cannot be used otherwise, for QSKIP.

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QString>

class QSocketNotifier;

class UdpForger : public QObject {
    Q_OBJECT
public:
    explicit UdpForger(QObject *parent = nullptr) : QObject(parent) {}
    ~UdpForger() override;

    bool open(QString *why);
    bool send(const QHostAddress &from, quint16 fromPort, const QHostAddress &to, quint16 toPort,
              const QByteArray &payload);

signals:
    void seen(const QHostAddress &from, quint16 fromPort, const QHostAddress &to, quint16 toPort,
              const QByteArray &payload);

private:
    void readPending();

    int m_listen = -1;
    int m_send = -1;
    QSocketNotifier *m_notifier = nullptr;
};
