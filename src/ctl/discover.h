#pragma once
// dalvimoctl discover: "ping" as a broadcast on the Quorvan port, the hosts
// that echo it, with the caption the window's server list gives each, and
// with --save the new ones added to that list.

#include "ctl/cli.h"
#include "remote/report.h"

namespace ctl {

// Shown.stop holds no answer when nobody answered, or when no ping could go out.
remote::Shown runDiscover(const Options &o, const QString &settingsFile);

} // namespace ctl
