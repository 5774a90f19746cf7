#pragma once
// The commands of dalvimoctl, each a short road of exchanges with Quorvan:
// the reads it needs, at most one setting, and a read-back that shows the
// result. They throw Stop to end early with an exit status.

#include "remote/request.h"
#include "remote/exchange.h"
#include "remote/report.h"

namespace ctl {

// Every command but monitor.
Shown runCommand(const Request &r, Exchanger &ex);

// commands_face.cpp
Shown runStatus(Exchanger &ex);
Shown runStep(const Request &r, Exchanger &ex); // skin, style
Shown runLevel(const Request &r, Exchanger &ex); // transparency, brightness
Shown runFlag(const Request &r, Exchanger &ex);

// How a setting went, for every command that sends one: "answered" in the
// JSON, and a note when only the read-back showed it took effect.
void noteSetting(Shown &shown, const QString &command, const SetResult &result);

} // namespace ctl
