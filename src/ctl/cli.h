#pragma once
// The command line of dalvimoctl: dalvimoctl [options] COMMAND [ARGS], the
// global options before or after the command. Everything is checked here
// (arguments.h), before anything is sent: a usage error never reaches the
// network.

#include "common/address.h"
#include "remote/exchange.h"
#include "remote/request.h"

#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>

namespace ctl {

// The command line's own options, beside the command they go with.
struct Options {
    std::optional<QString> server; // -s, --server
    bool json = false;
    bool verbose = false;
    remote::Policy policy;
    int pollMs = 0;               // monitor --poll
    quint16 listenPort = 0;       // monitor --listen
    quint16 discoverPort = address::kDefaultPort; // discover --port
    bool save = false;            // discover --save
};

struct Parsed {
    enum Kind { Run, Print, Usage };
    Kind kind = Usage;
    bool json = false; // --json: a usage error is a JSON object on stdout as well
    remote::Request request; // Run
    Options options;         // Run
    QString output;  // Print: the help or version text, for stdout
    QString error;   // Usage: what is wrong, then a one-line hint
};

// arguments as QCoreApplication::arguments(): the program first.
Parsed parseCommandLine(const QStringList &arguments);

} // namespace ctl
