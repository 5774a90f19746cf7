#include "web/web_server.h"

#include "common/exit_codes.h"
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

// The page and its script, the only files served.
struct Resource {
    const char *path;
    const char *file;
    const char *type;
};
constexpr Resource kResources[] = {
    {"/", ":/web/index.html", "text/html; charset=utf-8"},
    {"/index.html", ":/web/index.html", "text/html; charset=utf-8"},
    {"/app.js", ":/web/app.js", "text/javascript; charset=utf-8"},
};

const Resource *resourceAt(const QByteArray &path)
{
    for (const Resource &r : kResources)
        if (path == r.path)
            return &r;
    return nullptr;
}

QByteArray contentOf(const Resource &r)
{
    QFile f(QString::fromLatin1(r.file));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

WebServer::WebServer(const remote::Endpoint &quorvan, const remote::Policy &policy, TokenSource token,
                     const Limits &limits, QObject *parent)
    : QObject(parent), m_quorvan(quorvan), m_policy(policy), m_token(std::move(token)), m_limits(limits),
      m_connections(limits.perClient, limits.maxConnections),
      m_budget(limits.requestsPerWindow, limits.windowMs, limits.trackedClients)
{
    loadPage();
    m_clock.start();
    connect(&m_server, &QTcpServer::newConnection, this, &WebServer::accept);
}

// The connections still open are the server socket's children and die
// with it, after the table their signals would reach.
WebServer::~WebServer()
{
    for (QTcpSocket *socket : m_server.findChildren<QTcpSocket *>())
        disconnect(socket, nullptr, this, nullptr);
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
        const QByteArray client = ConnectionTable::clientKey(socket->peerAddress());
        const ConnectionTable::Admission admission = m_connections.admit(client);
        if (admission.evict)
            drop(admission.evict);
        if (!admission.admitted) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        m_connections.insert(socket, client);
        // Qt reads no more than one request's worth ahead of the reader.
        socket->setReadBufferSize(RequestReader::kMaxHead + RequestReader::kMaxBody + 1);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_connections.remove(socket);
            socket->deleteLater();
        });
        // Who holds a connection without a whole head soon loses it; no
        // connection outlives idleMs.
        QTimer::singleShot(m_limits.headMs, socket, [this, socket] {
            if (const ConnectionTable::Entry *e = m_connections.find(socket); e && !e->reader.headRead())
                drop(socket);
        });
        QTimer::singleShot(m_limits.idleMs, socket, [this, socket] {
            if (m_connections.find(socket))
                drop(socket);
        });
    }
}

void WebServer::drop(QTcpSocket *socket)
{
    m_connections.remove(socket);
    socket->abort();
}

void WebServer::readFrom(QTcpSocket *socket)
{
    ConnectionTable::Entry *entry = m_connections.find(socket);
    if (!entry || entry->reader.state() != RequestReader::Incomplete) {
        socket->readAll(); // one request per connection; the rest is not read
        return;
    }
    RequestReader &reader = entry->reader;
    switch (reader.feed(socket->read(RequestReader::kMaxHead + RequestReader::kMaxBody + 1))) {
    case RequestReader::Incomplete:
        return;
    case RequestReader::TooLarge:
        refuse(socket, 413, QStringLiteral("запрос слишком велик"));
        return;
    case RequestReader::Malformed:
        refuse(socket, 400, QStringLiteral("запрос не разобрать"));
        return;
    case RequestReader::Complete:
        handle(socket, reader.request());
        return;
    }
}

void WebServer::handle(QTcpSocket *socket, const HttpRequest &request)
{
    if (!m_budget.take(ConnectionTable::clientKey(socket->peerAddress()), m_clock.elapsed())) {
        refuse(socket, 429, QStringLiteral("слишком много запросов"));
        return;
    }
    if (const Resource *r = resourceAt(request.path)) {
        if (request.method != "GET")
            refuse(socket, 405, QStringLiteral("только GET"));
        else
            respond(socket, 200, r->type, contentOf(*r));
        return;
    }
    if (!request.path.startsWith("/api/")) {
        refuse(socket, 404, QStringLiteral("нет такого адреса"));
        return;
    }
    if (!authorized(request)) {
        refuse(socket, 401, QStringLiteral("нужен ключ сопряжения"));
        return;
    }
    if (request.method != "GET" && !sameOrigin(request)) {
        refuse(socket, 403, QStringLiteral("чужая страница"));
        return;
    }
    // Whether a token is paired, answered here: nothing goes to Quorvan.
    if (request.path == "/api/pairing") {
        if (request.method != "GET")
            refuse(socket, 405, QStringLiteral("только GET"));
        else
            respondJson(socket, 200, QJsonObject{{QStringLiteral("paired"), true}});
        return;
    }
    if (m_queue.size() >= m_limits.maxQueued) {
        refuse(socket, 503, QStringLiteral("занят, повторите"));
        return;
    }
    m_queue.enqueue({QPointer<QTcpSocket>(socket), request});
    // Run from the event loop, not from inside the socket's readyRead: the
    // exchange's own loop may then close and delete this very socket.
    QMetaObject::invokeMethod(this, &WebServer::runQueue, Qt::QueuedConnection);
}

// "Bearer" in any case, one or more blanks, then the token (RFC 9110
// credentials); the token as the source gives it now.
bool WebServer::authorized(const HttpRequest &request) const
{
    const QByteArray value = request.header("authorization");
    const qsizetype blank = value.indexOf(' ');
    if (blank < 0 || value.left(blank).compare("bearer", Qt::CaseInsensitive) != 0)
        return false;
    const QByteArray token = m_token();
    return !token.isEmpty() && sameSecret(value.mid(blank).trimmed(), token);
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

// The exchanges run their own event loop while they wait for Quorvan; a
// request completed meanwhile lands in the queue and runs after.
void WebServer::runQueue()
{
    if (m_busy)
        return;
    m_busy = true;
    while (!m_queue.isEmpty()) {
        auto [socket, request] = m_queue.dequeue();
        if (!socket || socket->state() != QAbstractSocket::ConnectedState)
            continue; // gone while it waited: nothing to ask Quorvan for
        const auto routed = routeRequest(request.method, request.path, request.body);
        ApiReply reply;
        if (const auto *r = std::get_if<remote::Request>(&routed)) {
            remote::Exchanger ex(m_quorvan, m_policy);
            reply = runRequest(*r, ex);
        } else {
            reply = std::get<ApiReply>(routed);
        }
        if (socket && socket->state() == QAbstractSocket::ConnectedState)
            respondJson(socket, reply.httpStatus, reply.json);
    }
    m_busy = false;
}

void WebServer::refuse(QTcpSocket *socket, int status, const QString &message)
{
    respondJson(socket, status, failure(status, exit_code::kUsage, message).json);
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
    // The page runs its own script file only and talks to this server alone.
    head += "Content-Security-Policy: default-src 'none'; script-src 'self'; "
            "style-src 'unsafe-inline'; connect-src 'self'; img-src 'self' data:; frame-ancestors 'none'\r\n";
    if (status == 401)
        head += "WWW-Authenticate: Bearer\r\n";
    head += "Connection: close\r\n\r\n";
    socket->write(head + body);
    socket->disconnectFromHost();
}

} // namespace web
