#pragma once
// The numbers and times inside the simulator's command texts.

#include <QStringView>
#include <QTime>

#include <optional>

namespace sim {

// Time texts of the set command: "h:n:s" or "h:mm", one or two digits each.
std::optional<QTime> parseAlarmTime(QStringView text);

// A selector number as the client writes it: decimal digits, optional '-'.
std::optional<int> parseSelector(QStringView text);

} // namespace sim
