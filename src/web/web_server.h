#pragma once
// The HTTP side of dalvimo-web, on QTcpServer: one request per connection,
// each bounded in size and time, the page at "/" with its script, and the
// API under /api/. Every API request needs "Authorization: Bearer TOKEN"
// (401 otherwise, and nothing goes to Quorvan), checked against the token
// as its source gives it at that moment; a POST whose Origin is not this
// server's own is refused (403); each client has a budget of requests per
// window (429); connections are held within a share per client and a bound
// in all (connection_table.h). Exchanges run one at a time: a request that
// completes while one runs waits in a short queue.
//
// Errors, in this program: every outcome of a request becomes an HTTP
// status with {"error", "status"} (api.cpp), nothing escapes it; the
// program's own files and sockets answer false or empty, with the reason in
// a QString *.

#include "remote/exchange.h"
#include "web/connection_table.h"
#include "web/http_request.h"
#include "web/request_budget.h"

#include <QAbstractSocket>
#include <QByteArray>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QQueue>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

#include <functional>

namespace web {

struct Limits {
    int requestsPerWindow = 120; // per client
    int windowMs = 60 * 1000;
    int trackedClients = 1024;   // budgets kept at once
    int headMs = 2 * 1000;       // a connection that sends no whole head in this time is closed
    int idleMs = 10 * 1000;      // one still open after this time is closed
    int perClient = 6;           // connections at once from one client, as many as a browser opens
    int maxConnections = 32;
    int maxQueued = 16;
};

// The token that counts now; empty while there is none (every API request
// is then refused).
using TokenSource = std::function<QByteArray()>;

class WebServer : public QObject {
    Q_OBJECT
public:
    WebServer(const remote::Endpoint &quorvan, const remote::Policy &policy, TokenSource token, const Limits &limits = {},
              QObject *parent = nullptr);
    ~WebServer() override;

    bool listen(const QHostAddress &address, quint16 port, QString *error);
    QAbstractSocket::SocketError listenError() const { return m_server.serverError(); }
    quint16 port() const { return m_server.serverPort(); }

private:
    void accept();
    void drop(QTcpSocket *socket);
    void readFrom(QTcpSocket *socket);
    void handle(QTcpSocket *socket, const HttpRequest &request);
    bool authorized(const HttpRequest &request) const;
    bool sameOrigin(const HttpRequest &request) const;
    void runQueue();
    void respond(QTcpSocket *socket, int status, const QByteArray &type, const QByteArray &body);
    void respondJson(QTcpSocket *socket, int status, const QJsonObject &json);
    void refuse(QTcpSocket *socket, int status, const QString &message);

    remote::Endpoint m_quorvan;
    remote::Policy m_policy;
    TokenSource m_token;
    Limits m_limits;
    QTcpServer m_server;
    ConnectionTable m_connections;
    RequestBudget m_budget;
    QElapsedTimer m_clock;
    QQueue<std::pair<QPointer<QTcpSocket>, HttpRequest>> m_queue;
    bool m_busy = false;
};

} // namespace web
