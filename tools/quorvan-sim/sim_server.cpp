#include "sim_server.h"

#include "common/ansi.h"
#include "common/output_device.h"

#include <QNetworkDatagram>
#include <QTextStream>

#include <cstdio>

namespace sim {
namespace {

constexpr int kFloodBatch = 64;         // datagrams per event-loop turn
constexpr int kFloodMaxFailures = 200;  // then that one datagram is given up


QTextStream &out()
{
    static term::OutputDevice file(stdout);
    static QTextStream stream(&file);
    return stream;
}

} // namespace

std::optional<QList<QHostAddress>> bindAddresses(const QString &text, qsizetype max)
{
    const qsizetype dash = text.indexOf(u'-');
    if (dash < 0) {
        QHostAddress one;
        if (max < 1 || !one.setAddress(text))
            return std::nullopt;
        return QList<QHostAddress>{one};
    }
    QHostAddress first, last;
    if (!first.setAddress(text.left(dash)) || !last.setAddress(text.mid(dash + 1))
        || first.protocol() != QAbstractSocket::IPv4Protocol
        || last.protocol() != QAbstractSocket::IPv4Protocol)
        return std::nullopt;
    const quint32 lo = first.toIPv4Address();
    const quint32 hi = last.toIPv4Address();
    if (hi < lo || qint64(hi) - qint64(lo) >= max)
        return std::nullopt;
    QList<QHostAddress> all;
    for (quint64 a = lo; a <= hi; ++a)
        all.append(QHostAddress(quint32(a)));
    return all;
}

QString endpointText(const QHostAddress &address, quint16 port)
{
    const QString host = address.protocol() == QAbstractSocket::IPv6Protocol
        ? u'[' + address.toString() + u']'
        : address.toString();
    return host + u':' + QString::number(port);
}

SimServer::SimServer(const SimOptions &options, QObject *parent)
    : QObject(parent),
      m_options(options),
      m_state(options.brightnessSupported),
      m_random(options.seed ? *options.seed : QRandomGenerator::global()->generate())
{
    connect(&m_socket, &QUdpSocket::readyRead, this, &SimServer::readPending);
    m_floodTimer.setInterval(0);
    connect(&m_floodTimer, &QTimer::timeout, this, &SimServer::pumpFlood);

    // Realistic reply kinds for the flood: alarm, skin, transparency, flags.
    for (int n = 1; n <= QuorvanState::kAlarmCount; ++n) {
        m_floodReplies << ansi::encode(m_state.alarmReply(n));
        if (n == 1)
            m_floodReplies << ansi::encode(m_state.skinReply(QStringLiteral("Gsk?"),
                                                             m_state.currentSkin()));
        if (n == 2)
            m_floodReplies << ansi::encode(m_state.transparencyReply());
        if (n == 3)
            m_floodReplies << ansi::encode(m_state.faceFlagsReply());
    }
}

bool SimServer::start(QString *error)
{
    if (m_socket.bind(m_options.bindAddress, m_options.port))
        return true;
    if (error)
        *error = m_socket.errorString();
    return false;
}

// Read until nothing is pending: a datagram left unread, a zero-length one
// too, would hold up every datagram behind it.
void SimServer::readPending()
{
    while (m_socket.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket.receiveDatagram();
        if (!datagram.isValid())
            break; // a receive error; the next readyRead tries again
        handleDatagram(datagram);
    }
}

void SimServer::handleDatagram(const QNetworkDatagram &datagram)
{
    ++m_received;
    const QHostAddress from = datagram.senderAddress();
    const quint16 port = static_cast<quint16>(datagram.senderPort());
    const QByteArray bytes = datagram.data();
    const bool drop = shouldDrop();
    emit datagramReceived(ansi::decode(bytes), drop);
    if (drop) {
        ++m_dropped;
        logMessage("x-", from, port, bytes, QStringLiteral("(dropped)"));
        return;
    }
    logMessage("<-", from, port, bytes, bytes.isEmpty() ? QStringLiteral("(empty)") : QString());

    if (const std::optional<QByteArray> reply = m_state.answerDatagram(bytes)) {
        if (m_options.delayMs > 0) {
            const QByteArray r = *reply;
            QTimer::singleShot(m_options.delayMs, this,
                               [this, r, from, port] { sendReply(r, from, port); });
        } else {
            sendReply(*reply, from, port);
        }
    }
    if (m_options.flood > 0 && !m_floodedClients.contains(endpointText(from, port)))
        startFlood(from, port);
}

bool SimServer::shouldDrop()
{
    if (m_options.dropPercent <= 0)
        return false;
    return m_random.bounded(100.0) < m_options.dropPercent;
}

void SimServer::sendReply(const QByteArray &bytes, const QHostAddress &to, quint16 port)
{
    if (m_socket.writeDatagram(bytes, to, port) < 0) {
        logMessage("!>", to, port, bytes, u'(' + m_socket.errorString() + u')');
        return;
    }
    ++m_sent;
    logMessage("->", to, port, bytes);
}

void SimServer::startFlood(const QHostAddress &to, quint16 port)
{
    m_floodedClients.insert(endpointText(to, port));
    Flood flood{to, port, m_options.flood, 0, 0, {}};
    flood.clock.start();
    m_floods << flood;
    logLine(QStringLiteral("flood %1: %2 replies").arg(endpointText(to, port)).arg(m_options.flood));
    if (!m_floodTimer.isActive())
        m_floodTimer.start();
}

// One batch per event-loop turn, so commands keep being answered while a
// flood runs. A write the socket refuses is tried again on the next turn.
void SimServer::pumpFlood()
{
    for (int i = 0; i < kFloodBatch && !m_floods.isEmpty(); ++i) {
        Flood &flood = m_floods.first();
        const QByteArray &reply = m_floodReplies.at(m_floodCursor % m_floodReplies.size());
        if (m_socket.writeDatagram(reply, flood.to, flood.port) < 0) {
            if (++flood.failures < kFloodMaxFailures)
                break;
        } else {
            ++flood.sent;
            ++m_sent;
        }
        flood.failures = 0;
        ++m_floodCursor;
        if (--flood.remaining == 0) {
            logLine(QStringLiteral("flood %1 done: %2 sent in %3 ms")
                        .arg(endpointText(flood.to, flood.port))
                        .arg(flood.sent)
                        .arg(flood.clock.elapsed()));
            const int sent = flood.sent;
            m_floods.removeFirst();
            emit floodFinished(sent);
        }
    }
    if (m_floods.isEmpty())
        m_floodTimer.stop();
}

void SimServer::logLine(const QString &text)
{
    if (m_options.quiet)
        return;
    out() << text << Qt::endl;
}

void SimServer::logMessage(const char *direction, const QHostAddress &peer, quint16 port,
                           const QByteArray &bytes, const QString &note)
{
    if (m_options.quiet)
        return;
    QString line = QLatin1String(direction) + u' ' + endpointText(peer, port);
    if (!bytes.isEmpty())
        line += u' ' + ansi::printable(ansi::decode(bytes));
    if (!note.isEmpty())
        line += u' ' + note;
    logLine(line);
}

} // namespace sim
