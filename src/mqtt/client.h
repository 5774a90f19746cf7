#pragma once
// One connection to an MQTT broker through libmosquitto, driven from Qt's
// event loop: the library's socket through socket notifiers (write only
// while the library has something to send), its keep-alive from a timer, no
// thread of its own. It connects, keeps a last will, and when the broker
// goes away connects again after a growing pause. Subscriptions are made
// again on every connect.

#include "mqtt/broker_options.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <memory>

struct mosquitto;
struct mosquitto_message;
class QSocketNotifier;

namespace mqtt {

struct Backoff {
    int firstMs = 1000; // the pause before the first new attempt
    int maxMs = 60000;  // it doubles up to this
};

class Client : public QObject {
    Q_OBJECT
public:
    explicit Client(const BrokerOptions &options, QObject *parent = nullptr);
    ~Client() override;

    // What the broker publishes, retained, on topic when this client goes
    // away without saying goodbye. Before start().
    void setWill(const QString &topic, const QByteArray &payload);
    void setBackoff(const Backoff &backoff) { m_backoff = backoff; }
    // Credentials, TLS and the will into the library; false, with the reason
    // in error, when the library refuses them. Then the first attempt.
    bool start(QString *error);

    bool isConnected() const { return m_connected; }
    // QoS 1. Dropped while not connected: everything is published again on
    // the next connect.
    void publish(const QString &topic, const QByteArray &payload, bool retain);
    // Kept, and made again on every connect.
    void subscribe(const QString &topic);
    // Messages published and not yet acknowledged by the broker.
    int unacknowledged() const { return m_unacknowledged; }
    // A clean goodbye: the broker drops the will. No further attempts.
    void disconnectFromBroker();

signals:
    void connected();
    void disconnected();
    void messageReceived(const QString &topic, const QByteArray &payload, bool retained);
    // Every publish so far acknowledged.
    void allAcknowledged();
    // A line for the log: a failed attempt, a lost connection.
    void problem(const QString &line);

private:
    static void onConnect(mosquitto *, void *self, int rc);
    static void onDisconnect(mosquitto *, void *self, int rc);
    static void onPublish(mosquitto *, void *self, int mid);
    static void onMessage(mosquitto *, void *self, const mosquitto_message *message);

    void connectAnswered(int rc);
    void attempt();
    void scheduleAttempt();
    void watchSocket();
    void dropSocket();
    void readReady();
    void writeReady();
    void tick();
    void updateWrite();
    // Acts on a library result: a lost connection is dropped and tried again.
    void check(int rc);
    // After a call that writes: true for success and for a lost connection,
    // which is dealt with here; false for any other failure.
    bool handled(int rc);
    void lost(const QString &why);

    BrokerOptions m_options;
    mosquitto *m_mosq = nullptr;
    std::unique_ptr<QSocketNotifier> m_read;
    std::unique_ptr<QSocketNotifier> m_write;
    QTimer m_tick;      // keep-alive and the library's own time keeping
    QTimer m_retry;     // the next attempt
    QTimer m_connectWait; // an attempt that gets no answer
    QStringList m_subscriptions;
    QByteArray m_willTopic;
    QByteArray m_willPayload;
    Backoff m_backoff;
    int m_nextDelayMs = 0;
    int m_unacknowledged = 0;
    quint64 m_generation = 0; // one per socket: what a callback said of an older one is dropped
    bool m_connected = false;
    bool m_stopping = false;
    QString m_refusal;     // the broker's reason for refusing the connection
    QString m_lastProblem; // so a broker that stays away is logged once, not every attempt
};

} // namespace mqtt
