#pragma once
// The command line of dalvimoctl: dalvimoctl [options] COMMAND [ARGS], the
// global options before or after the command. Everything is checked here
// (arguments.h), before anything is sent: a usage error never reaches the
// network.

#include "ctl/exchange.h"

#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>

namespace ctl {

struct Globals {
    std::optional<QString> server; // -s, --server
    bool json = false;
    bool verbose = false;
    Policy policy;
};

enum class Step { Next, Prev, Number };

// One command with its arguments, checked. Only the fields of the command
// given are meaningful.
struct Request {
    QString command;
    Globals globals;

    int number = 0; // alarm N; the position of skin/style NUMBER
    QString action; // alarm: "" (show), "set", "on", "off"
    Step step = Step::Next;

    std::optional<QTime> time;     // alarm set --time
    std::optional<bool> on;        // alarm set --on/--off; flag on/off; alarm N on/off
    std::optional<QString> ring;   // alarm set --ring
    std::optional<QString> level;  // transparency, brightness
    std::optional<QString> min;
    std::optional<QString> max;
    std::optional<int> mode;       // 1 transparency, 0 dimming
    int flag = -1;                 // 0 hide, 1 on-top, 2 fix-text, 3 lock
    QString text;                  // send TEXT
    int pollMs = 0;                // monitor --poll
    quint16 listenPort = 0;        // monitor --listen
    quint16 discoverPort = 17777;  // discover --port
    bool save = false;             // discover --save
};

struct Parsed {
    enum Kind { Run, Print, Usage };
    Kind kind = Usage;
    bool json = false; // --json: a usage error is a JSON object on stdout as well
    Request request; // Run
    QString output;  // Print: the help or version text, for stdout
    QString error;   // Usage: what is wrong, then a one-line hint
};

// arguments as QCoreApplication::arguments(): the program first.
Parsed parseCommandLine(const QStringList &arguments);

// The names of the four face flags, in the protocol's order.
QStringList flagNames();

} // namespace ctl
