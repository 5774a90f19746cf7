#include "mqtt/bridge.h"

#include "common/ansi.h"

#include <QMetaObject>

namespace mqtt {
namespace {

QByteArray bytes(QLatin1String text) { return QByteArray(text.data(), text.size()); }

} // namespace

Bridge::Bridge(Client &client, const QList<Quorvan> &quorvans, const BridgeOptions &options,
               std::function<void(const QString &)> log, QObject *parent)
    : QObject(parent), m_client(client), m_options(options), m_log(std::move(log))
{
    for (const Quorvan &q : quorvans)
        m_devices.append(Device{q, Topics::node(q), {}, {}, {}, false, {}});
    m_poll.setInterval(m_options.pollMs);
    connect(&m_poll, &QTimer::timeout, this, &Bridge::queueRefreshes);
    connect(&m_client, &Client::connected, this, &Bridge::connectedToBroker);
    connect(&m_client, &Client::messageReceived, this, &Bridge::messageReceived);
}

void Bridge::start()
{
    m_client.subscribe(m_options.topics.commandFilter());
    m_client.subscribe(m_options.topics.homeAssistantStatus());
    queueRefreshes(); // the state is read at once, broker or not
    m_poll.start();
}

void Bridge::connectedToBroker()
{
    log(QStringLiteral("подключено к брокеру"));
    publishAll();
}

// On every connect and when Home Assistant comes back: the broker may have
// lost its retained messages, and Home Assistant may have lost its entities.
void Bridge::publishAll()
{
    m_client.publish(m_options.topics.bridgeStatus(), bytes(kOnline), true);
    for (Device &d : m_devices) {
        d.published.clear();
        publishDevice(d, true);
    }
}

void Bridge::publishRetained(Device &d, const QString &topic, const QByteArray &payload, bool force)
{
    const auto it = d.published.constFind(topic);
    if (!force && it != d.published.cend() && *it == payload)
        return;
    // An empty payload removes a retained message; one that was never
    // published on this connection needs no removing unless the state says
    // the entity is gone.
    if (payload.isEmpty() && it == d.published.cend() && !d.known)
        return;
    d.published.insert(topic, payload);
    m_client.publish(topic, payload, true);
}

void Bridge::publishDevice(Device &d, bool force)
{
    const Topics &t = m_options.topics;
    const Snapshot *known = d.known ? &*d.known : nullptr;
    for (const auto &[topic, payload] : configsOf(t, d.quorvan, known, m_options.version))
        publishRetained(d, topic, payload, force);
    if (d.answers) {
        publishRetained(d, t.state(d.node, kAnswersObject), *d.answers ? QByteArray("ON") : QByteArray("OFF"), force);
        publishRetained(d, t.status(d.node), bytes(*d.answers ? kOnline : kOffline), force);
    }
    for (const Entity &e : entities())
        if (e.showsState() && e.shape != Entity::Connectivity)
            publishState(d, e, force);
}

void Bridge::publishState(Device &d, const Entity &e, bool force)
{
    if (!d.known)
        return;
    if (const auto payload = stateOf(e, *d.known))
        publishRetained(d, m_options.topics.state(d.node, e.object), *payload, force);
}

void Bridge::messageReceived(const QString &topic, const QByteArray &payload, bool retained)
{
    const Topics &t = m_options.topics;
    if (topic == t.homeAssistantStatus()) {
        // A retained "online" only repeats what this connect has answered.
        if (!retained && payload == bytes(kOnline)) {
            log(QStringLiteral("Home Assistant снова в сети: конфигурации опубликованы заново"));
            publishAll();
        }
        return;
    }
    // BASE/NODE/OBJECT/set; the filter guarantees the shape.
    const QStringList parts = topic.mid(t.base.size() + 1).split(u'/');
    if (parts.size() != 3)
        return;
    for (int i = 0; i < m_devices.size(); ++i) {
        if (m_devices.at(i).node != parts.at(0))
            continue;
        const Entity *e = entityNamed(parts.at(1));
        if (!e || !e->takesCommands())
            return;
        if (retained) {
            // Left on the broker by someone: it is not a command given now.
            refuse(i, *e, QStringLiteral("сохранённое (retained) сообщение не выполняется"));
            return;
        }
        commandReceived(i, *e, payload);
        return;
    }
}

void Bridge::commandReceived(int device, const Entity &e, const QByteArray &payload)
{
    Device &d = m_devices[device];
    const auto made = commandFor(e, payload, d.known ? &*d.known : nullptr);
    if (const auto *why = std::get_if<QString>(&made)) {
        refuse(device, e, *why);
        return;
    }
    const Command &c = std::get<Command>(made);
    if (const auto why = refusal(c)) {
        refuse(device, e, *why);
        return;
    }
    if (!enqueue(Job{device, c, e.object}))
        refuse(device, e, QStringLiteral("очередь команд полна, повторите позже"));
}

// Nothing goes to Quorvan; Home Assistant gets the real state back.
void Bridge::refuse(int device, const Entity &e, const QString &why)
{
    Device &d = m_devices[device];
    log(QStringLiteral("%1, «%2»: отказ: %3").arg(ansi::printable(d.quorvan.caption), e.name, why));
    publishState(d, e, true);
}

bool Bridge::enqueue(const Job &job)
{
    Device &d = m_devices[job.device];
    if (!job.command) {
        if (d.refreshQueued)
            return true;
        d.refreshQueued = true;
    } else if (m_queue.size() >= m_options.maxQueued) {
        return false;
    }
    m_queue.enqueue(job);
    // From the event loop, never from inside the handler that queued it.
    QMetaObject::invokeMethod(this, &Bridge::runQueue, Qt::QueuedConnection);
    return true;
}

void Bridge::queueRefreshes()
{
    for (int i = 0; i < m_devices.size(); ++i)
        enqueue(Job{i, std::nullopt, {}});
}

void Bridge::runQueue()
{
    // An exchange runs an event loop while it waits; what it lets through
    // may queue more and ask for this again.
    if (m_busy)
        return;
    m_busy = true;
    while (!m_queue.isEmpty()) {
        const Job job = m_queue.dequeue();
        Device &d = m_devices[job.device];
        if (job.command) {
            runCommand(d, *entityNamed(job.object), *job.command);
        } else {
            d.refreshQueued = false;
            refresh(d);
        }
    }
    m_busy = false;
}

void Bridge::runCommand(Device &d, const Entity &e, const Command &c)
{
    const Outcome o = run(d.quorvan, m_options.exchanges, c);
    if (o.kind != Outcome::Done)
        log(QStringLiteral("%1, «%2»: %3").arg(ansi::printable(d.quorvan.caption), e.name, o.message));
    // The state after the command, and the entity's own state again even
    // where it did not change, since Home Assistant may have shown the
    // value it sent.
    refresh(d);
    publishState(d, e, true);
}

void Bridge::refresh(Device &d)
{
    Snapshot s;
    const Outcome o = readState(d.quorvan, m_options.exchanges, s);
    const bool answers = o.kind != Outcome::NoAnswer;
    if (d.answers != answers)
        log(answers ? QStringLiteral("%1 (%2) отвечает").arg(ansi::printable(d.quorvan.caption), d.quorvan.text())
                    : QStringLiteral("%1 (%2) не отвечает: %3").arg(ansi::printable(d.quorvan.caption), d.quorvan.text(), o.message));
    d.answers = answers;
    if (o.kind == Outcome::Done)
        d.known = s;
    if (answers && o.message != d.problem && !o.message.isEmpty())
        log(QStringLiteral("%1: %2").arg(ansi::printable(d.quorvan.caption), o.message));
    d.problem = o.message;
    publishDevice(d, false);
}

} // namespace mqtt
