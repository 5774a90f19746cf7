#pragma once
// One UDP socket of an exchange, bound to a port the system chooses, that
// sends command texts to the server and reports the datagrams that come
// back: the server's only (the socket is connected to it), unless it is to
// hear everyone (monitor).
// Windows-1251 on the wire, Unicode on this side. Works only while an event
// loop runs; nothing here blocks.

#include "common/address.h"

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QUdpSocket>

namespace remote {

using address::Endpoint;

class Channel : public QObject {
    Q_OBJECT
public:
    enum Hears { ServerOnly, Everyone };

    explicit Channel(const Endpoint &server, Hears hears = ServerOnly, QObject *parent = nullptr);

    // Binds the socket; false, with the reason in error, when it cannot.
    bool open(QString *error = nullptr);
    // One datagram; false when the socket refuses it.
    bool send(const QString &text);
    // A fixed local port for monitor; 0 lets the system choose.
    bool openOn(quint16 localPort, QString *error = nullptr);
    quint16 localPort() const { return m_socket.localPort(); }

signals:
    void received(const QString &text, const QHostAddress &from, quint16 port);
    // A datagram from someone other than the server, dropped unread.
    void dropped(const QHostAddress &from, quint16 port);

private:
    void readPending();

    Endpoint m_server;
    Hears m_hears;
    QUdpSocket m_socket;
};

} // namespace remote
