#pragma once
// What one Quorvan is to Home Assistant: its entities, named as the window
// names its controls, each with the state it shows and the command its
// command topic takes. A payload that is not one of the entity's values is
// refused here, before any check of the value itself.

#include "mqtt/remote_adapter.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

namespace mqtt {

struct Entity {
    enum Shape { Button, Switch, TimeText, RingText, Select, Connectivity };
    Shape shape = Button;
    QString object; // the last part of its topics and of its unique id
    QString name;   // in Russian, as the window has it
    QString icon;   // "mdi:…"; empty for the default
    Command::Kind kind = Command::Silence; // what its command topic asks
    int number = 0;                        // the alarm or flag

    QString component() const; // "button", "switch", "text", "select", "binary_sensor"
    bool takesCommands() const { return shape != Connectivity; }
    bool showsState() const { return shape != Button; }
};

// Every entity of one Quorvan, in the order the window shows them.
const QList<Entity> &entities();
const Entity *entityNamed(const QString &object);

// The answers sensor: whether Quorvan answers.
inline constexpr QLatin1String kAnswersObject("answers");

// The bytes a command payload may have: a ring text is at most a datagram.
inline constexpr qsizetype kMaxPayload = 1024;

// The select's options; empty where the state does not tell them yet, or
// where the entity is not there (brightness on a Quorvan without it).
QStringList optionsOf(const Entity &e, const Snapshot &s);

// The state payload of an entity; empty where the state does not tell it.
std::optional<QByteArray> stateOf(const Entity &e, const Snapshot &s);

// The command a payload asks for, or why it is refused. known is the last
// state read, which the selects need for their options.
std::variant<Command, QString> commandFor(const Entity &e, const QByteArray &payload, const Snapshot *known);

} // namespace mqtt
