#pragma once
// One command for Quorvan with its arguments, checked: what dalvimoctl's
// command line and the web remote's requests both become before a command
// runs.

#include <QString>
#include <QTime>

#include <optional>

namespace remote {

enum class Step { Next, Prev, Number };

// One command with its arguments, checked. Only the fields of the command
// given are meaningful.
struct Request {
    QString command;

    int number = 0; // alarm N; the position of skin/style NUMBER
    QString action; // alarm: "" (show), "set", "on", "off"
    Step step = Step::Next;

    std::optional<QTime> time;     // alarm set --time
    std::optional<bool> on;        // alarm set --on/--off; flag on/off; alarm N on/off
    std::optional<QString> ring;   // alarm set --ring
    std::optional<QString> level;  // transparency, brightness
    std::optional<QString> min;
    std::optional<QString> max;
    std::optional<int> mode;       // 1 transparency, 0 dimming
    int flag = -1;                 // 0 hide, 1 on-top, 2 fix-text, 3 lock
    QString text;                  // send TEXT
};

} // namespace remote
