#pragma once
// dalvimo-mqtt's command line: which Quorvans, which broker and how, the
// topics, the poll interval; or why it cannot run.

#include "mqtt/bridge.h"
#include "mqtt/broker_options.h"
#include "mqtt/remote_adapter.h"

#include <QStringList>

#include <optional>

namespace mqtt {

struct Settings {
    QList<Quorvan> quorvans;
    BrokerOptions broker;
    BridgeOptions bridge;
    bool remove = false;
};

struct Parsed {
    std::optional<Settings> settings; // empty: print text and exit with exitCode
    QString text;
    int exitCode = 0;
};

Parsed parseCommandLine(const QStringList &arguments);

} // namespace mqtt
