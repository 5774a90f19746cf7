#pragma once
// One command against many Quorvans at once: -s a,b,c or @all (every entry
// of the window's server list). Each server gets an exchange of its own on
// a thread of its own, with the same rules as a single server (timeouts,
// retries, replies from that server only); the results are shown in the
// order the servers were named.

#include "ctl/cli.h"
#include "remote/report.h"
#include "remote/server_choice.h"
#include "remote/server_list.h"

#include <QList>
#include <QString>

#include <optional>
#include <variant>

namespace ctl {

// What one server did: what it showed, and the failure that ended it.
struct ServerResult {
    remote::Endpoint server;
    remote::Shown shown;
    std::optional<remote::Outcome> stop;
};

// Runs the command (not monitor) against every server concurrently.
QList<ServerResult> runFleet(const remote::Request &r, const remote::Policy &policy,
                             const QList<remote::Endpoint> &servers);

// 0 when every server succeeded, else the highest exit status among them.
int fleetExitCode(const QList<ServerResult> &results);

// The name a line is prefixed with: the address, and the port when it is
// not the default one.
QString serverLabel(const remote::Endpoint &server);

} // namespace ctl
