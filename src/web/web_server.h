#pragma once
// The HTTP side of dalvimo-web, on QTcpServer: one request per connection,
// each bounded in size and time, the page at "/" and the API under /api/.
// Every API request needs "Authorization: Bearer TOKEN" (401 otherwise,
// and nothing goes to Quorvan); a POST whose Origin is not this server's
// own is refused (403); each peer address has a budget of requests per
// window (429). Exchanges run one at a time: a request that completes while
// one runs waits in a short queue.

#include "remote/exchange.h"
#include "web/http_request.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QQueue>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

namespace web {

struct Limits {
    int requestsPerWindow = 120; // per peer address
    int windowMs = 60 * 1000;
    int idleMs = 10 * 1000;      // a connection that sends no whole request in this time is closed
    int maxConnections = 32;
    int maxQueued = 16;
};

class WebServer : public QObject {
    Q_OBJECT
public:
    WebServer(const ctl::Endpoint &quorvan, const ctl::Policy &policy, const QString &token,
              const Limits &limits = {}, QObject *parent = nullptr);

    bool listen(const QHostAddress &address, quint16 port, QString *error);
    quint16 port() const { return m_server.serverPort(); }

private:
    struct Connection {
        RequestReader reader;
        QElapsedTimer since;
    };

    void accept();
    void readFrom(QTcpSocket *socket);
    void handle(QTcpSocket *socket, const HttpRequest &request);
    bool authorized(const HttpRequest &request) const;
    bool sameOrigin(const HttpRequest &request) const;
    bool withinRate(const QHostAddress &peer);
    void runQueue();
    void respond(QTcpSocket *socket, int status, const QByteArray &type, const QByteArray &body);
    void respondJson(QTcpSocket *socket, int status, const QJsonObject &json);

    ctl::Endpoint m_quorvan;
    ctl::Policy m_policy;
    QByteArray m_token;
    Limits m_limits;
    QTcpServer m_server;
    QHash<QTcpSocket *, Connection> m_connections;
    QHash<quint32, QList<qint64>> m_requestTimes; // per IPv4 peer, ms since m_clock started
    QElapsedTimer m_clock;
    QQueue<std::pair<QPointer<QTcpSocket>, HttpRequest>> m_queue;
    bool m_busy = false;
};

} // namespace web
