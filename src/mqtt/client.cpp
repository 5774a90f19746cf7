#include "mqtt/client.h"

#include "common/ansi.h"

#include <QFile>
#include <QSocketNotifier>

#include <mosquitto.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace mqtt {
namespace {

constexpr int kTickMs = 1000;       // keep-alive is counted in seconds
constexpr int kConnectWaitMs = 15000; // a broker that takes the connection but never answers
constexpr const char *kSystemCaPath = "/etc/ssl/certs";

// The library keeps process-wide state; once is enough and must come first.
void initLibrary()
{
    static const int once = mosquitto_lib_init();
    (void)once;
}

// The library's texts are English; the few a bridge meets, in Russian.
QString errorText(int rc)
{
    if (rc == MOSQ_ERR_ERRNO) {
        switch (errno) {
        case ECONNREFUSED: return QStringLiteral("соединение отвергнуто");
        case EPIPE:
        case ECONNRESET: return QStringLiteral("связь потеряна");
        case ETIMEDOUT: return QStringLiteral("время ожидания истекло");
        case EHOSTUNREACH:
        case ENETUNREACH: return QStringLiteral("сеть недоступна");
        default: return QString::fromLocal8Bit(std::strerror(errno));
        }
    }
    switch (rc) {
    case MOSQ_ERR_CONN_LOST: return QStringLiteral("связь потеряна");
    case MOSQ_ERR_NO_CONN: return QStringLiteral("нет соединения");
    case MOSQ_ERR_EAI: return QStringLiteral("адрес брокера не найден");
    case MOSQ_ERR_TLS: return QStringLiteral("ошибка TLS (сертификат?)");
    case MOSQ_ERR_PROTOCOL: return QStringLiteral("ошибка протокола");
    default: return QString::fromUtf8(mosquitto_strerror(rc));
    }
}

QByteArray utf8(const QString &s) { return s.toUtf8(); }

} // namespace

Client::Client(const BrokerOptions &options, QObject *parent) : QObject(parent), m_options(options)
{
    initLibrary();
    // A fresh session every time: everything this bridge has to say is
    // published again on connect, and nothing missed while away matters.
    m_mosq = mosquitto_new(nullptr, true, this);
    mosquitto_connect_callback_set(m_mosq, &Client::onConnect);
    mosquitto_disconnect_callback_set(m_mosq, &Client::onDisconnect);
    mosquitto_publish_callback_set(m_mosq, &Client::onPublish);
    mosquitto_message_callback_set(m_mosq, &Client::onMessage);

    m_tick.setInterval(kTickMs);
    connect(&m_tick, &QTimer::timeout, this, &Client::tick);
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &Client::attempt);
    m_connectWait.setSingleShot(true);
    m_connectWait.setInterval(kConnectWaitMs);
    connect(&m_connectWait, &QTimer::timeout, this, [this] { lost(QStringLiteral("брокер не ответил на подключение")); });
}

Client::~Client()
{
    // The notifiers go before the library closes their socket.
    m_read.reset();
    m_write.reset();
    mosquitto_destroy(m_mosq);
}

void Client::setWill(const QString &topic, const QByteArray &payload)
{
    m_willTopic = utf8(topic);
    m_willPayload = payload;
}

bool Client::start(QString *error)
{
    const auto refuse = [error](const QString &what, int rc) {
        *error = what + QStringLiteral(": ") + errorText(rc);
        return false;
    };
    int rc = MOSQ_ERR_SUCCESS;
    mosquitto_int_option(m_mosq, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
    if (!m_options.user.isEmpty()) {
        rc = mosquitto_username_pw_set(m_mosq, utf8(m_options.user).constData(),
                                       m_options.password.isEmpty() ? nullptr : utf8(m_options.password).constData());
        if (rc != MOSQ_ERR_SUCCESS)
            return refuse(QStringLiteral("имя и пароль"), rc);
    }
    if (m_options.tls) {
        // The system's authorities as Debian keeps them (ca-certificates);
        // the library's own switch for them breaks its second attempt.
        const QByteArray cafile = QFile::encodeName(m_options.cafile);
        rc = mosquitto_tls_set(m_mosq, cafile.isEmpty() ? nullptr : cafile.constData(),
                               cafile.isEmpty() ? kSystemCaPath : nullptr, nullptr, nullptr, nullptr);
        if (rc != MOSQ_ERR_SUCCESS)
            return refuse(QStringLiteral("TLS"), rc);
    }
    if (!m_willTopic.isEmpty()) {
        rc = mosquitto_will_set(m_mosq, m_willTopic.constData(), int(m_willPayload.size()), m_willPayload.constData(),
                                1, true);
        if (rc != MOSQ_ERR_SUCCESS)
            return refuse(QStringLiteral("последняя воля"), rc);
    }
    m_nextDelayMs = m_backoff.firstMs;
    attempt();
    return true;
}

void Client::attempt()
{
    if (m_stopping)
        return;
    dropSocket(); // the library closes the old socket before it opens a new one
    // The host name is looked up here, in the library, before the socket is
    // opened: the one wait on this thread that is not Quorvan's.
    // Each attempt as the first, with everything set again.
    const int rc = mosquitto_connect_async(m_mosq, utf8(m_options.host).constData(), m_options.portOrDefault(),
                                           m_options.keepAliveS);
    ++m_generation;
    if (rc != MOSQ_ERR_SUCCESS) {
        lost(errorText(rc));
        return;
    }
    watchSocket();
    m_connectWait.start();
}

void Client::scheduleAttempt()
{
    if (m_stopping || m_retry.isActive())
        return;
    m_retry.start(m_nextDelayMs);
    m_nextDelayMs = std::min(m_nextDelayMs * 2, m_backoff.maxMs);
}

void Client::watchSocket()
{
    const int fd = mosquitto_socket(m_mosq);
    if (fd < 0)
        return;
    m_read = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(m_read.get(), &QSocketNotifier::activated, this, &Client::readReady);
    m_write = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Write);
    connect(m_write.get(), &QSocketNotifier::activated, this, &Client::writeReady);
    updateWrite();
    m_tick.start();
}

void Client::dropSocket()
{
    m_tick.stop();
    // A notifier may be the one whose signal runs now: it is disabled at
    // once and deleted once control is back in the event loop.
    for (auto *n : {&m_read, &m_write}) {
        if (*n) {
            (*n)->setEnabled(false);
            (*n).release()->deleteLater();
        }
    }
}

void Client::updateWrite()
{
    if (m_write)
        m_write->setEnabled(mosquitto_want_write(m_mosq));
}

void Client::readReady()
{
    check(mosquitto_loop_read(m_mosq, 1));
    updateWrite();
}

void Client::writeReady()
{
    check(mosquitto_loop_write(m_mosq, 1));
    updateWrite();
}

void Client::tick()
{
    check(mosquitto_loop_misc(m_mosq));
    updateWrite();
}

void Client::check(int rc)
{
    if (rc == MOSQ_ERR_SUCCESS || m_stopping)
        return;
    // A connection refused while it was being made, or lost: the library has
    // closed the socket by now.
    lost(errorText(rc));
}

void Client::lost(const QString &why)
{
    if (m_retry.isActive())
        return; // already known lost; the next attempt is on its way
    ++m_generation;
    m_connectWait.stop();
    dropSocket();
    const bool was = m_connected;
    m_connected = false;
    m_unacknowledged = 0;
    if (m_stopping)
        return;
    const QString line = QStringLiteral("брокер %1: %2").arg(m_options.text(), m_refusal.isEmpty() ? why : m_refusal);
    m_refusal.clear();
    if (line != m_lastProblem) {
        m_lastProblem = line;
        emit problem(line);
    }
    if (was)
        emit disconnected();
    scheduleAttempt();
}

void Client::publish(const QString &topic, const QByteArray &payload, bool retain)
{
    if (!m_connected)
        return;
    int mid = 0;
    const int rc = mosquitto_publish(m_mosq, &mid, utf8(topic).constData(), int(payload.size()), payload.constData(), 1,
                                     retain);
    if (rc == MOSQ_ERR_SUCCESS)
        ++m_unacknowledged;
    else if (!handled(rc))
        emit problem(QStringLiteral("не опубликовано в %1: %2").arg(ansi::printable(topic), errorText(rc)));
    updateWrite();
}

void Client::subscribe(const QString &topic)
{
    if (!m_subscriptions.contains(topic))
        m_subscriptions << topic;
    if (m_connected)
        handled(mosquitto_subscribe(m_mosq, nullptr, utf8(topic).constData(), 1));
    updateWrite();
}

// The library writes at once, and so may be the first to find the broker
// gone; it has closed the socket then.
bool Client::handled(int rc)
{
    if (rc != MOSQ_ERR_CONN_LOST && rc != MOSQ_ERR_NO_CONN && rc != MOSQ_ERR_ERRNO)
        return rc == MOSQ_ERR_SUCCESS;
    lost(errorText(rc));
    return true;
}

void Client::disconnectFromBroker()
{
    m_stopping = true;
    m_retry.stop();
    m_connectWait.stop();
    if (m_connected) {
        mosquitto_disconnect(m_mosq);
        // The DISCONNECT packet goes out now; nothing else will follow.
        for (int i = 0; i < 16 && mosquitto_want_write(m_mosq); ++i)
            if (mosquitto_loop_write(m_mosq, 1) != MOSQ_ERR_SUCCESS)
                break;
    }
    dropSocket();
    m_connected = false;
}

// The library calls these from inside its own calls, holding its own
// lock: whatever they set off may call the library again, so it runs once
// control is back in the event loop.
void Client::onConnect(mosquitto *, void *self, int rc)
{
    auto *c = static_cast<Client *>(self);
    // The broker closes a refused connection at once; the reason is kept
    // for whichever of the two is handled first.
    if (rc != 0)
        c->m_refusal = QStringLiteral("отказ: %1").arg(QString::fromUtf8(mosquitto_connack_string(rc)));
    QMetaObject::invokeMethod(c, [c, rc, gen = c->m_generation] {
        if (gen == c->m_generation) // not for a connection lost meanwhile
            c->connectAnswered(rc);
    }, Qt::QueuedConnection);
}

void Client::connectAnswered(int rc)
{
    if (m_stopping)
        return;
    m_connectWait.stop();
    if (rc != 0) {
        lost(QString()); // the reason is in m_refusal
        return;
    }
    m_connected = true;
    m_nextDelayMs = m_backoff.firstMs;
    m_lastProblem.clear();
    for (const QString &topic : std::as_const(m_subscriptions)) {
        handled(mosquitto_subscribe(m_mosq, nullptr, utf8(topic).constData(), 1));
        if (!m_connected)
            return; // lost at once
    }
    emit connected();
    updateWrite();
}

void Client::onDisconnect(mosquitto *, void *self, int rc)
{
    auto *c = static_cast<Client *>(self);
    if (rc != 0)
        QMetaObject::invokeMethod(c, [c, gen = c->m_generation] {
            if (gen == c->m_generation)
                c->lost(QStringLiteral("связь потеряна"));
        }, Qt::QueuedConnection);
}

void Client::onPublish(mosquitto *, void *self, int)
{
    auto *c = static_cast<Client *>(self);
    QMetaObject::invokeMethod(c, [c, gen = c->m_generation] {
        if (gen == c->m_generation && c->m_unacknowledged > 0 && --c->m_unacknowledged == 0)
            emit c->allAcknowledged();
    }, Qt::QueuedConnection);
}

void Client::onMessage(mosquitto *, void *self, const mosquitto_message *message)
{
    auto *c = static_cast<Client *>(self);
    const QByteArray payload(static_cast<const char *>(message->payload), message->payloadlen);
    const QString topic = QString::fromUtf8(message->topic);
    const bool retained = message->retain;
    QMetaObject::invokeMethod(c, [c, topic, payload, retained] { emit c->messageReceived(topic, payload, retained); },
                              Qt::QueuedConnection);
}

} // namespace mqtt
