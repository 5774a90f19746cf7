#pragma once
// dalvimoctl discover: "ping" as a broadcast on the Quorvan port, the hosts
// that echo it, with the caption the window's server list gives each, and
// with --save the new ones added to that list.

#include "ctl/cli.h"
#include "remote/report.h"

namespace ctl {

// Shown.stop holds exit 2 when nobody answered, or when no ping could go out.
Shown runDiscover(const Request &r, const QString &settingsFile);

} // namespace ctl
