#include "mqtt/discovery.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace mqtt {
namespace {

constexpr int kTextMax = 255; // Home Assistant's own limit for a text entity

QJsonObject availability(const QString &topic) { return {{QStringLiteral("topic"), topic}}; }

QJsonObject configOf(const Topics &t, const QString &node, const Quorvan &q, const Entity &e,
                     const QStringList &options, const QString &version)
{
    const QString uniqueId = QStringLiteral("dalvimo_%1_%2").arg(node, e.object);
    QJsonObject c{
        {QStringLiteral("name"), e.name},
        {QStringLiteral("unique_id"), uniqueId},
        {QStringLiteral("default_entity_id"), e.component() + u'.' + uniqueId},
        {QStringLiteral("qos"), 1},
        {QStringLiteral("device"),
         QJsonObject{{QStringLiteral("identifiers"), QJsonArray{QStringLiteral("dalvimo_") + node}},
                     {QStringLiteral("name"), q.caption},
                     {QStringLiteral("model"), QStringLiteral("Quorvan")}}},
        {QStringLiteral("origin"),
         QJsonObject{{QStringLiteral("name"), QStringLiteral("dalvimo-mqtt")}, {QStringLiteral("sw_version"), version}}},
    };
    // Whether Quorvan answers is known as long as the bridge runs; every
    // other entity also needs Quorvan to answer.
    QJsonArray avail{availability(t.bridgeStatus())};
    if (e.shape != Entity::Connectivity) {
        avail.append(availability(t.status(node)));
        c.insert(QStringLiteral("availability_mode"), QStringLiteral("all"));
    }
    c.insert(QStringLiteral("availability"), avail);
    if (!e.icon.isEmpty())
        c.insert(QStringLiteral("icon"), e.icon);
    if (e.takesCommands())
        c.insert(QStringLiteral("command_topic"), t.command(node, e.object));
    if (e.showsState())
        c.insert(QStringLiteral("state_topic"), t.state(node, e.object));

    switch (e.shape) {
    case Entity::Button:
        c.insert(QStringLiteral("payload_press"), QStringLiteral("PRESS"));
        break;
    case Entity::Switch:
        c.insert(QStringLiteral("payload_on"), QStringLiteral("ON"));
        c.insert(QStringLiteral("payload_off"), QStringLiteral("OFF"));
        break;
    case Entity::TimeText:
        c.insert(QStringLiteral("pattern"), QString(records::kTimeTextPattern));
        c.insert(QStringLiteral("min"), 3);
        c.insert(QStringLiteral("max"), 8);
        break;
    case Entity::RingText:
        // Shorter ring texts are refused when set, but an alarm may hold one.
        c.insert(QStringLiteral("min"), 0);
        c.insert(QStringLiteral("max"), kTextMax);
        break;
    case Entity::Select:
        c.insert(QStringLiteral("options"), QJsonArray::fromStringList(options));
        break;
    case Entity::Connectivity:
        c.insert(QStringLiteral("device_class"), QStringLiteral("connectivity"));
        c.insert(QStringLiteral("entity_category"), QStringLiteral("diagnostic"));
        break;
    }
    return c;
}

} // namespace

QString Topics::node(const Quorvan &q)
{
    return QStringLiteral("quorvan_%1_%2").arg(q.address.toString().replace(u'.', u'_')).arg(q.port);
}

QString Topics::config(const QString &node, const Entity &e) const
{
    return QStringLiteral("%1/%2/%3/%4/config").arg(prefix, e.component(), node, e.object);
}

QList<std::pair<QString, QByteArray>> configsOf(const Topics &topics, const Quorvan &q, const Snapshot *known,
                                                const QString &version)
{
    const QString node = Topics::node(q);
    QList<std::pair<QString, QByteArray>> out;
    for (const Entity &e : entities()) {
        QStringList options;
        if (e.shape == Entity::Select) {
            if (known)
                options = optionsOf(e, *known);
            if (options.isEmpty()) {
                out.append({topics.config(node, e), QByteArray()});
                continue;
            }
        }
        out.append({topics.config(node, e),
                    QJsonDocument(configOf(topics, node, q, e, options, version)).toJson(QJsonDocument::Compact)});
    }
    return out;
}

QStringList retainedTopics(const Topics &topics, const Quorvan &q)
{
    const QString node = Topics::node(q);
    QStringList out{topics.status(node)};
    for (const Entity &e : entities()) {
        out << topics.config(node, e);
        if (e.showsState())
            out << topics.state(node, e.object);
    }
    return out;
}

} // namespace mqtt
