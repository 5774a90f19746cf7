// dalvimo-mqtt: Quorvan in the smart home. Publishes each Quorvan as a
// device that Home Assistant discovers on an MQTT broker and carries out
// what its entities' command topics ask.

#include "common/stop_signals.h"
#include "mqtt/bridge.h"
#include "mqtt/client.h"
#include "mqtt/command_line.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>

namespace {

constexpr int kRemoveWaitMs = 30000; // --remove gives up on a broker that does not take it by then
constexpr int kGoodbyeWaitMs = 5000;  // a stop waits so long for the broker to take the last "offline"

void logLine(const QString &line)
{
    static QTextStream err(stderr);
    err << line << Qt::endl;
}

// --remove: every retained message the bridge may have left, emptied; then
// a clean goodbye, so no last will follows.
int removeRetained(mqtt::Client &client, const mqtt::Settings &s)
{
    const auto publishEmpties = [&] {
        client.publish(s.bridge.topics.bridgeStatus(), {}, true);
        int count = 1;
        for (const mqtt::Quorvan &q : s.quorvans)
            for (const QString &topic : mqtt::retainedTopics(s.bridge.topics, q)) {
                client.publish(topic, {}, true);
                ++count;
            }
        logLine(QStringLiteral("убрано сообщений: %1").arg(count));
    };
    QObject::connect(&client, &mqtt::Client::connected, &client, publishEmpties);
    QObject::connect(&client, &mqtt::Client::allAcknowledged, &client, [&client] {
        client.disconnectFromBroker();
        QCoreApplication::exit(0);
    });
    QObject::connect(&client, &mqtt::Client::problem, &client, logLine);
    QTimer::singleShot(kRemoveWaitMs, &client, [] {
        logLine(QStringLiteral("брокер недоступен, ничего не убрано"));
        QCoreApplication::exit(2);
    });
    QString error;
    if (!client.start(&error)) {
        logLine(QStringLiteral("dalvimo-mqtt: ") + error);
        return 1;
    }
    return QCoreApplication::exec();
}

// A stop from outside (systemd, kill, Ctrl+C): the bridge says "offline"
// itself, as its last will would, then leaves with a clean goodbye, so that
// no will follows; status 0. A broker that does not take it in time is
// left as it is. --remove, which empties what the bridge left, just leaves.
void stopCleanly(mqtt::Client &client, const mqtt::Settings &s)
{
    const auto leave = [&client] {
        client.disconnectFromBroker();
        QCoreApplication::exit(0);
    };
    if (s.remove || !client.isConnected()) {
        leave();
        return;
    }
    QObject::connect(&client, &mqtt::Client::allAcknowledged, &client, leave);
    QTimer::singleShot(kGoodbyeWaitMs, &client, leave);
    client.publish(s.bridge.topics.bridgeStatus(), QByteArray(mqtt::kOffline.data(), mqtt::kOffline.size()), true);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("dalvimo-mqtt"));
    QCoreApplication::setApplicationVersion(QStringLiteral(DALVIMO_VERSION));
    StopSignals stops; // from the start: a stop waits for the event loop

    const mqtt::Parsed parsed = mqtt::parseCommandLine(QCoreApplication::arguments());
    if (!parsed.settings) {
        QTextStream(parsed.exitCode == 0 ? stdout : stderr) << parsed.text;
        return parsed.exitCode;
    }
    const mqtt::Settings &s = *parsed.settings;

    mqtt::Client client(s.broker);
    QObject::connect(&stops, &StopSignals::requested, &client, [&client, &s] { stopCleanly(client, s); });
    if (s.remove)
        return removeRetained(client, s);

    for (const mqtt::Quorvan &q : s.quorvans)
        logLine(QStringLiteral("Quorvan: %1 (%2)").arg(q.text(), q.caption));
    logLine(QStringLiteral("брокер: %1").arg(s.broker.text()));
    QObject::connect(&client, &mqtt::Client::problem, &client, logLine);
    client.setWill(s.bridge.topics.bridgeStatus(), QByteArray(mqtt::kOffline.data(), mqtt::kOffline.size()));
    mqtt::Bridge bridge(client, s.quorvans, s.bridge, logLine);
    QString error;
    if (!client.start(&error)) {
        logLine(QStringLiteral("dalvimo-mqtt: ") + error);
        return 1;
    }
    bridge.start();
    return QCoreApplication::exec();
}
