#pragma once
// What a command may carry, checked before it is sent. Quorvan reads a
// command as fields split at "|"; its replies list alarms one per line; the
// wire carries Windows-1251, one datagram per command. A field with "|",
// CR, LF or NUL in it would shift or cut the fields, a character outside
// the code page would arrive as "?", and a command longer than a datagram
// does not leave at all. Each check gives a short Russian reason, for a
// message that names the offending argument; empty when all is well.

#include <QString>
#include <QStringView>

#include <optional>

namespace proto {

// One free-text field of a command (a ring text, a level, a bound).
std::optional<QString> fieldFault(QStringView text);

// A whole command: every character in the code page, within one datagram.
std::optional<QString> commandFault(QStringView command);

// A whole number within lo..hi, written plainly in decimal (blanks around
// it, a sign and leading zeros allowed, nothing else).
std::optional<qint64> plainIntegerIn(QStringView text, qint64 lo, qint64 hi);

} // namespace proto
