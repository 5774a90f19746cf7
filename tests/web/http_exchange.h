#pragma once
// A client of dalvimo-web for its tests: one raw request on a connection of
// its own, and the reply taken apart.

#include <QByteArray>
#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTcpSocket>

struct HttpReply {
    int status = 0;
    QByteArray head;
    QJsonObject json;
    QByteArray body;
};

// One request, raw, on a connection of its own (from another loopback
// address as another host); the server closes it after its reply. The
// event loop runs while waiting: the server lives in this thread.
inline HttpReply exchange(quint16 port, const QByteArray &raw,
                          const QHostAddress &from = QHostAddress(QHostAddress::LocalHost))
{
    QTcpSocket socket;
    socket.bind(from, 0);
    socket.connectToHost(QHostAddress::LocalHost, port);
    QSignalSpy closed(&socket, &QTcpSocket::disconnected);
    if (!socket.waitForConnected(5000))
        return {};
    socket.write(raw);
    QByteArray data;
    for (int i = 0; i < 100 && closed.isEmpty(); ++i) {
        closed.wait(100);
        data += socket.readAll();
    }
    data += socket.readAll();
    HttpReply r;
    const qsizetype headEnd = data.indexOf("\r\n\r\n");
    r.status = data.mid(9, 3).toInt();
    r.head = data.left(headEnd);
    r.body = headEnd < 0 ? QByteArray() : data.mid(headEnd + 4);
    r.json = QJsonDocument::fromJson(r.body).object();
    return r;
}

inline QByteArray request(const QByteArray &method, const QByteArray &path, quint16 port, const QByteArray &headers,
                          const QByteArray &body)
{
    QByteArray r = method + ' ' + path + " HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) + "\r\n";
    r += headers;
    if (!body.isEmpty())
        r += "Content-Type: application/json\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n";
    return r + "\r\n" + body;
}
