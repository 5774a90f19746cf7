#pragma once
// Says a short text to a screen reader whatever has the focus.
//
// A renamed control is spoken only while it has the focus (and with Qt 6.4's
// bridge not even then), so a result or a state change elsewhere goes
// unheard. A screen reader does speak a notification the moment it is
// shown, from any window: each window gets one hidden notification, and each
// announcement names it and tells the reader it was shown. Nothing appears
// on the screen.

#include "common/repeat_filter.h"

#include <QElapsedTimer>
#include <QWidget>

namespace tk {

class Announcer : public QWidget {
    Q_OBJECT
public:
    // A repeat within this many milliseconds is no news.
    static constexpr qint64 kRepeatMs = 1500;

    // The announcer of w's window, made on first use.
    static Announcer *of(QWidget *w);

    // Empty texts and repeats are dropped; true when it was said.
    bool say(const QString &text);

private:
    explicit Announcer(QWidget *window);

    RepeatFilter m_repeats{kRepeatMs};
    QElapsedTimer m_clock;
};

// Announcer::of(inWindow)->say(text).
bool announce(QWidget *inWindow, const QString &text);

} // namespace tk
