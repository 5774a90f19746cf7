#pragma once
// The bridge between the broker and the Quorvans: publishes each Quorvan's
// discovery configs, states and availability, turns command messages into
// exchanges with Quorvan and polls the state between them.
//
// The exchanges wait for Quorvan in an event loop of their own, one at a
// time, run from the event loop and never from inside a message handler:
// what arrives meanwhile (more commands, a poll) waits in a bounded queue,
// and the broker connection is served all along.
//
// Errors, in this program: the adapter turns the exchanges' exceptions into
// remote::Outcome, nothing above it throws; the broker connection answers
// false with the reason in a QString *.

#include "mqtt/client.h"
#include "mqtt/discovery.h"
#include "mqtt/remote_adapter.h"

#include <QHash>
#include <QObject>
#include <QQueue>
#include <QTimer>

#include <functional>
#include <optional>

namespace mqtt {

struct BridgeOptions {
    Topics topics;
    int pollMs = 30000;
    Exchanges exchanges;
    int maxQueued = 32;
    QString version;
};

class Bridge : public QObject {
    Q_OBJECT
public:
    Bridge(Client &client, const QList<Quorvan> &quorvans, const BridgeOptions &options,
           std::function<void(const QString &)> log, QObject *parent = nullptr);

    // Subscribes and starts polling; everything else follows the connection.
    void start();
    // Jobs waiting or running, for tests.
    int queued() const { return int(m_queue.size()); }

private:
    struct Device {
        Quorvan quorvan;
        QString node;
        std::optional<Snapshot> known; // the last state read
        std::optional<bool> answers;   // empty until the first read
        QHash<QString, QByteArray> published; // topic → payload, since this connection
        bool refreshQueued = false;
        QString problem; // the last one logged, so a lasting one is logged once
    };
    struct Job {
        int device = 0;
        std::optional<Command> command; // none: read the state
        QString object;                 // the entity the command came for
    };

    void connectedToBroker();
    void publishAll();
    void messageReceived(const QString &topic, const QByteArray &payload, bool retained);
    void commandReceived(int device, const Entity &e, const QByteArray &payload);
    void refuse(int device, const Entity &e, const QString &why);
    bool enqueue(const Job &job);
    void queueRefreshes();
    void runQueue();
    void refresh(Device &d);
    void runCommand(Device &d, const Entity &e, const Command &c);
    // What changed since the last publish, or everything with force.
    void publishDevice(Device &d, bool force);
    void publishState(Device &d, const Entity &e, bool force);
    void publishRetained(Device &d, const QString &topic, const QByteArray &payload, bool force);
    void log(const QString &line) const { m_log(line); }

    Client &m_client;
    QList<Device> m_devices;
    BridgeOptions m_options;
    std::function<void(const QString &)> m_log;
    QQueue<Job> m_queue;
    QTimer m_poll;
    bool m_busy = false;
};

} // namespace mqtt
