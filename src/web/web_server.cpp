#include "web/web_server.h"

#include "web/api.h"

#include <QFile>
#include <QJsonDocument>
#include <QTimer>

// The page lives in the resources of a static library, which the linker
// keeps only when something names them.
static void loadPage()
{
    Q_INIT_RESOURCE(web);
}

namespace web {
namespace {

QByteArray reason(int status)
{
    switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 413: return "Content Too Large";
    case 429: return "Too Many Requests";
    case 502: return "Bad Gateway";
    case 503: return "Service Unavailable";
    case 504: return "Gateway Timeout";
    default: return "Error";
    }
}

// Compares without stopping at the first difference, so the time taken
// tells nothing about how much of a guess was right.
bool sameSecret(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a.at(i) ^ b.at(i));
    return diff == 0;
}

QByteArray page()
{
    QFile f(QStringLiteral(":/web/index.html"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

WebServer::WebServer(const ctl::Endpoint &quorvan, const ctl::Policy &policy, const QString &token,
                     const Limits &limits, QObject *parent)
    : QObject(parent), m_quorvan(quorvan), m_policy(policy), m_token(token.toLatin1()), m_limits(limits)
{
    loadPage();
    m_clock.start();
    connect(&m_server, &QTcpServer::newConnection, this, &WebServer::accept);
}

bool WebServer::listen(const QHostAddress &address, quint16 port, QString *error)
{
    if (m_server.listen(address, port))
        return true;
    *error = m_server.errorString();
    return false;
}

void WebServer::accept()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        if (m_connections.size() >= m_limits.maxConnections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        m_connections.insert(socket, Connection{});
        m_connections[socket].since.start();
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_connections.remove(socket);
            socket->deleteLater();
        });
        // A connection that holds on without a whole request is dropped.
        QTimer::singleShot(m_limits.idleMs, socket, [this, socket] {
            if (m_connections.contains(socket))
                socket->abort();
        });
    }
}

void WebServer::readFrom(QTcpSocket *socket)
{
    auto it = m_connections.find(socket);
    if (it == m_connections.end())
        return;
    RequestReader &reader = it->reader;
    if (reader.state() != RequestReader::Incomplete) {
        socket->readAll(); // one request per connection; the rest is not read
        return;
    }
    switch (reader.feed(socket->read(RequestReader::kMaxHead + RequestReader::kMaxBody + 1))) {
    case RequestReader::Incomplete:
        return;
    case RequestReader::TooLarge:
        respondJson(socket, 413, failure(413, ctl::kExitUsage, QStringLiteral("запрос слишком велик")).json);
        return;
    case RequestReader::Malformed:
        respondJson(socket, 400, failure(400, ctl::kExitUsage, QStringLiteral("запрос не разобрать")).json);
        return;
    case RequestReader::Complete:
        handle(socket, reader.request());
        return;
    }
}

void WebServer::handle(QTcpSocket *socket, const HttpRequest &request)
{
    if (!withinRate(socket->peerAddress())) {
        respondJson(socket, 429, failure(429, ctl::kExitUsage, QStringLiteral("слишком много запросов")).json);
        return;
    }
    if (request.path == "/" || request.path == "/index.html") {
        if (request.method != "GET")
            respondJson(socket, 405, failure(405, ctl::kExitUsage, QStringLiteral("только GET")).json);
        else
            respond(socket, 200, "text/html; charset=utf-8", page());
        return;
    }
    if (!request.path.startsWith("/api/")) {
        respondJson(socket, 404, failure(404, ctl::kExitUsage, QStringLiteral("нет такого адреса")).json);
        return;
    }
    if (!authorized(request)) {
        respondJson(socket, 401, failure(401, ctl::kExitUsage, QStringLiteral("нужен ключ сопряжения")).json);
        return;
    }
    if (request.method != "GET" && !sameOrigin(request)) {
        respondJson(socket, 403, failure(403, ctl::kExitUsage, QStringLiteral("чужая страница")).json);
        return;
    }
    if (m_queue.size() >= m_limits.maxQueued) {
        respondJson(socket, 503, failure(503, ctl::kExitUsage, QStringLiteral("занят, повторите")).json);
        return;
    }
    m_queue.enqueue({QPointer<QTcpSocket>(socket), request});
    // Run from the event loop, not from inside the socket's readyRead: the
    // exchange's own loop may then close and delete this very socket.
    QMetaObject::invokeMethod(this, &WebServer::runQueue, Qt::QueuedConnection);
}

bool WebServer::authorized(const HttpRequest &request) const
{
    const QByteArray value = request.header("authorization");
    return value.startsWith("Bearer ") && sameSecret(value.mid(7).trimmed(), m_token);
}

// Browsers name the page that sends a request in Origin; a page of this
// server names this server, the host the browser asked for. No Origin at
// all is a program such as curl, which no foreign page can drive.
bool WebServer::sameOrigin(const HttpRequest &request) const
{
    const QByteArray origin = request.header("origin");
    if (origin.isEmpty())
        return true;
    const QByteArray host = request.header("host");
    return !host.isEmpty() && origin == "http://" + host;
}

bool WebServer::withinRate(const QHostAddress &peer)
{
    bool ok = false;
    const quint32 key = peer.toIPv4Address(&ok);
    const qint64 now = m_clock.elapsed();
    if (m_requestTimes.size() > 1024)
        m_requestTimes.clear(); // many peers at once: forget the oldest budget rather than grow
    QList<qint64> &times = m_requestTimes[ok ? key : 0];
    while (!times.isEmpty() && now - times.first() >= m_limits.windowMs)
        times.removeFirst();
    if (times.size() >= m_limits.requestsPerWindow)
        return false;
    times.append(now);
    return true;
}

// The exchanges run their own event loop while they wait for Quorvan; a
// request completed meanwhile lands in the queue and runs after.
void WebServer::runQueue()
{
    if (m_busy)
        return;
    m_busy = true;
    while (!m_queue.isEmpty()) {
        auto [socket, request] = m_queue.dequeue();
        if (!socket)
            continue;
        const auto routed = routeRequest(request.method, request.path, request.body);
        ApiReply reply;
        if (const auto *r = std::get_if<ctl::Request>(&routed)) {
            ctl::Exchanger ex(m_quorvan, m_policy);
            reply = runRequest(*r, ex);
        } else {
            reply = std::get<ApiReply>(routed);
        }
        if (socket)
            respondJson(socket, reply.httpStatus, reply.json);
    }
    m_busy = false;
}

void WebServer::respondJson(QTcpSocket *socket, int status, const QJsonObject &json)
{
    respond(socket, status, "application/json", QJsonDocument(json).toJson(QJsonDocument::Compact));
}

void WebServer::respond(QTcpSocket *socket, int status, const QByteArray &type, const QByteArray &body)
{
    m_connections.remove(socket); // no further request on this connection
    QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason(status) + "\r\n";
    head += "Content-Type: " + type + "\r\n";
    head += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    head += "Cache-Control: no-store\r\n";
    head += "X-Content-Type-Options: nosniff\r\n";
    head += "Referrer-Policy: no-referrer\r\n";
    // The page runs its own script only and talks to this server alone.
    head += "Content-Security-Policy: default-src 'none'; script-src 'self' 'unsafe-inline'; "
            "style-src 'unsafe-inline'; connect-src 'self'; img-src 'self' data:; frame-ancestors 'none'\r\n";
    if (status == 401)
        head += "WWW-Authenticate: Bearer\r\n";
    head += "Connection: close\r\n\r\n";
    socket->write(head + body);
    socket->disconnectFromHost();
}

} // namespace web
