#pragma once
// The face commands and status: skin and style steps with the window's
// wrap-around, transparency, brightness and the four face flags.

#include "remote/exchange.h"
#include "remote/report.h"
#include "remote/request.h"

namespace remote {

Shown runStatus(Exchanger &ex);
Shown runStep(const Request &r, Exchanger &ex);  // skin, style
Shown runLevel(const Request &r, Exchanger &ex); // transparency, brightness
Shown runFlag(const Request &r, Exchanger &ex);

} // namespace remote
