#pragma once
// The topics of the bridge and Home Assistant's discovery configs for them.
// A Quorvan is one device, its node named after its address and port, so
// that its unique ids stay the same from one start to the next:
//   PREFIX/COMPONENT/NODE/OBJECT/config   the retained config
//   BASE/NODE/OBJECT                      the entity's state, retained
//   BASE/NODE/OBJECT/set                  its commands
//   BASE/NODE/status                      "online" while Quorvan answers
//   BASE/bridge/status                    "online" while the bridge runs (its last will says "offline")

#include "mqtt/entities.h"
#include "mqtt/remote_adapter.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

namespace mqtt {

inline constexpr QLatin1String kOnline("online");
inline constexpr QLatin1String kOffline("offline");

struct Topics {
    QString prefix = QStringLiteral("homeassistant"); // Home Assistant's discovery prefix
    QString base = QStringLiteral("dalvimo");

    static QString node(const Quorvan &q); // "quorvan_127_0_0_1_17777"
    QString bridgeStatus() const { return base + QStringLiteral("/bridge/status"); }
    QString homeAssistantStatus() const { return prefix + QStringLiteral("/status"); }
    QString commandFilter() const { return base + QStringLiteral("/+/+/set"); }
    QString status(const QString &node) const { return base + u'/' + node + QStringLiteral("/status"); }
    QString state(const QString &node, const QString &object) const { return base + u'/' + node + u'/' + object; }
    QString command(const QString &node, const QString &object) const { return state(node, object) + QStringLiteral("/set"); }
    QString config(const QString &node, const Entity &e) const;
};

// The retained config of every entity of one Quorvan, topic and JSON; an
// entity whose options known does not tell (before the first read, the
// brightness of a Quorvan without it) gets an empty payload, which removes
// its config.
QList<std::pair<QString, QByteArray>> configsOf(const Topics &topics, const Quorvan &q, const Snapshot *known,
                                                const QString &version);

// Every retained topic the bridge may have published for one Quorvan: its
// configs, states and availability, whatever the state.
QStringList retainedTopics(const Topics &topics, const Quorvan &q);

} // namespace mqtt
