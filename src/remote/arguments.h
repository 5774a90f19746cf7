#pragma once
// The checks of every value the front ends put on the wire, before anything is
// sent: numbers as numbers within their range, texts that can be one field
// of a command, and commands that fit one datagram. Each takes the
// argument's name as the user wrote it and throws BadArgument with a
// message that names it. Plain functions, for any front end that sends
// what a user typed.

#include <QString>
#include <QTime>

namespace remote {

struct BadArgument {
    QString message; // "--min: «x|y» — …", one line, safe for a terminal
};

// Levels and bounds of transparency and brightness are percentages.
inline constexpr int kLevelMin = 0;
inline constexpr int kLevelMax = 100;

// A whole number lo..hi in plain decimal.
qint64 integerArgument(const QString &name, const QString &text, qint64 lo, qint64 hi);

// A level or bound: a whole number kLevelMin..kLevelMax, returned as the
// plain decimal text that goes on the wire ("040" becomes "40").
QString levelArgument(const QString &name, const QString &text);

// Both bounds given: the lower one may not lie above the upper one.
void boundsArguments(const QString &minName, const QString &min, const QString &maxName, const QString &max);

// An alarm time H:MM or H:MM:SS.
QTime timeArgument(const QString &name, const QString &text);

// A ring text: at least five characters (shorter ones never go out), one
// field of the set command without control characters, and the set
// command within one datagram.
QString ringArgument(const QString &name, const QString &text);

// A whole command typed by hand: not empty, every character in the code
// page, within one datagram. "|" is its own business.
QString commandArgument(const QString &name, const QString &text);

// The text of an argument for a message: control characters escaped, a
// very long one cut.
QString quotedArgument(const QString &text);

} // namespace remote
