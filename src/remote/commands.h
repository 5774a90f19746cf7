#pragma once
// The commands of dalvimoctl and of every front end that shares them, each a short road of exchanges with Quorvan:
// the reads it needs, at most one setting, and a read-back that shows the
// result. They throw Outcome to end early.

#include "remote/request.h"
#include "remote/exchange.h"
#include "remote/report.h"

namespace remote {

// Every command but monitor.
Shown runCommand(const Request &r, Exchanger &ex);

// How a setting went, for every command that sends one: "answered" in the
// JSON, and a note when only the read-back showed it took effect.
void noteSetting(Shown &shown, const QString &command, const SetResult &result);

} // namespace remote
