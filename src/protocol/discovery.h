#pragma once
// Finding Quorvans on the local network: "ping" as a broadcast on the
// Quorvan port, and every host that echoes "ping" before the time is up.
// Nothing blocks; finished() comes once, after the timeout. Used by
// dalvimoctl's discover and by the window's server menu alike.

#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QTimer>
#include <QUdpSocket>

namespace proto {

struct FoundServer {
    QHostAddress address; // IPv4
    quint16 port = 0;
    qint64 roundTripNs = 0; // from the pings going out to its first echo
};

// Where the pings go: the directed broadcast address of every IPv4
// interface that is up and not loopback, then 255.255.255.255.
QList<QHostAddress> broadcastTargets();

class Discovery : public QObject {
    Q_OBJECT
public:
    explicit Discovery(QObject *parent = nullptr);

    // Sends "ping" to port at each target and listens for timeoutMs; false,
    // with the reason in error, when no ping could go out at all.
    bool start(const QList<QHostAddress> &targets, quint16 port, int timeoutMs, QString *error = nullptr);
    bool running() const { return m_listening; }
    // Each host once, sorted by address, then port.
    QList<FoundServer> found() const;

signals:
    void finished();

private:
    void readPending();
    void finish();

    QUdpSocket m_socket;
    QTimer m_timer;
    QElapsedTimer m_clock;
    bool m_listening = false;
    QList<FoundServer> m_found; // in the order they answered
};

} // namespace proto
