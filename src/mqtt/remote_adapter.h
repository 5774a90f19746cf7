#pragma once
// Everything dalvimo-mqtt asks of the exchanges shared with dalvimoctl and
// dalvimo-web (src/remote), in one place: which Quorvans, the read of one
// Quorvan's whole state, and each command checked by dalvimoctl's rules and
// run as dalvimoctl runs it. The rest of the bridge knows only the types of
// this header and the records.

#include "records/alarm_record.h"
#include "records/face_record.h"
#include "remote/outcome.h"

#include <QHostAddress>
#include <QList>
#include <QString>

#include <optional>
#include <variant>

namespace mqtt {

struct Quorvan {
    QHostAddress address;
    quint16 port = 0;
    QString caption; // from the window's server list; the address where it has none

    QString text() const; // "127.0.0.1:17777"
};

struct NoQuorvan {
    QString reason; // one line
    bool usage = true; // false: a host name that does not resolve
};

// The Quorvans an -s text names (one, a comma-separated list or "@all"),
// else DALVIMO_SERVER's, else the one dalvimoctl would choose.
std::variant<QList<Quorvan>, NoQuorvan> chooseQuorvans(const std::optional<QString> &option);

struct Exchanges {
    int timeoutMs = 1000; // per datagram
    int retries = 2;
};

// How an exchange ended, the same for every kind of command; its message
// one line, safe for a terminal.
using remote::Outcome;

// What the five reads of the window's initial fetch give.
struct Snapshot {
    records::SkinGroup skin;
    records::TransparencyRecord transparency;
    records::BrightnessRecord brightness;
    records::FaceFlagsRecord flags;
    records::BudTable alarms;
};

// One change a command topic asks for. Which fields count depends on kind.
struct Command {
    enum Kind { Silence, AlarmsToggle, AlarmActive, AlarmTime, AlarmRing, Transparency, Brightness, Skin, Style, Flag };
    Kind kind = Silence;
    int number = 0;   // the alarm 1..4, the flag 0..3, the skin or style position
    bool on = false;  // AlarmActive, Flag
    QString text;     // AlarmTime, AlarmRing, Transparency, Brightness
};

// The refusal dalvimoctl would give the command's value; nothing when it
// may go out. Nothing is sent either way.
std::optional<QString> refusal(const Command &command);

// A value for a message: control characters escaped, a long one cut.
QString quoted(const QString &value);

// The level as dalvimoctl sends it ("040" is "40"); empty when no level.
std::optional<QString> sendableLevel(const QString &text);

// The Quorvan's whole state, read in the window's order.
Outcome readState(const Quorvan &quorvan, const Exchanges &exchanges, Snapshot &into);

// The command as dalvimoctl runs it: checked again, then its reads, its
// setting and its read-back.
Outcome run(const Quorvan &quorvan, const Exchanges &exchanges, const Command &command);

} // namespace mqtt
