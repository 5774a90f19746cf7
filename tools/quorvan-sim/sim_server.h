#pragma once
// The simulator on the network: one UDP socket that answers every command
// datagram from QuorvanState, to the sender's address and port, with
// optional loss, delay and a reply flood for benchmarks. Never blocks.

#include "quorvan_state.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QRandomGenerator>
#include <QSet>
#include <QTimer>
#include <QUdpSocket>

#include <optional>

class QNetworkDatagram;
class QTextStream;

namespace sim {

struct SimOptions {
    QHostAddress bindAddress{QHostAddress::LocalHost};
    quint16 port = 17777;          // 0: let the system choose
    double dropPercent = 0;        // share of incoming datagrams ignored
    std::optional<quint32> seed;   // makes the drops repeatable
    int delayMs = 0;               // before each answer goes out
    bool quiet = false;            // no log line per datagram
    int flood = 0;                 // replies sent to each new client at once
    bool brightnessSupported = true;
};

class SimServer : public QObject {
    Q_OBJECT
public:
    explicit SimServer(const SimOptions &options, QObject *parent = nullptr);

    // Binds the socket; on failure returns false with the reason in error.
    bool start(QString *error = nullptr);
    QHostAddress address() const { return m_socket.localAddress(); }
    quint16 port() const { return m_socket.localPort(); }

    QuorvanState &state() { return m_state; }
    int receivedCount() const { return m_received; }
    int droppedCount() const { return m_dropped; }
    int sentCount() const { return m_sent; }

signals:
    void floodFinished(int sent);
    // Every datagram that arrives, as text, whether it is answered or dropped.
    void datagramReceived(const QString &text, bool dropped);

private:
    struct Flood {
        QHostAddress to;
        quint16 port = 0;
        int remaining = 0;
        int sent = 0;
        int failures = 0; // consecutive failed writes of the same datagram
        QElapsedTimer clock;
    };

    void readPending();
    void handleDatagram(const QNetworkDatagram &datagram);
    bool shouldDrop();
    void sendReply(const QByteArray &bytes, const QHostAddress &to, quint16 port);
    void startFlood(const QHostAddress &to, quint16 port);
    void pumpFlood();
    void logLine(const QString &text);
    void logMessage(const char *direction, const QHostAddress &peer, quint16 port,
                    const QByteArray &bytes, const QString &note = QString());

    SimOptions m_options;
    QuorvanState m_state;
    QUdpSocket m_socket;
    QRandomGenerator m_random;
    QList<QByteArray> m_floodReplies;
    QList<Flood> m_floods;
    QSet<QString> m_floodedClients;
    QTimer m_floodTimer;
    int m_floodCursor = 0;
    int m_received = 0;
    int m_dropped = 0;
    int m_sent = 0;
};

// The addresses a --bind value names: one address, or FIRST-LAST of IPv4
// addresses in order; nothing when malformed, backwards, or longer than max.
std::optional<QList<QHostAddress>> bindAddresses(const QString &text, qsizetype max);

// host:port, with brackets around an IPv6 host.
QString endpointText(const QHostAddress &address, quint16 port);

} // namespace sim
