#pragma once
// Says a short text to a screen reader whatever has the focus.
//
// A renamed control is spoken only while it has the focus (and with Qt 6.4's
// bridge not even then), so a result or a state change elsewhere goes
// unheard. A screen reader does speak a notification the moment it is
// shown, from any window: each announcement names a hidden notification of
// the window and tells the reader it was shown. Nothing appears on the
// screen.
//
// The reader asks for the notification's name only when it gets round to
// the event, often after the next announcement: two announcements close
// together (a new level, then the result of sending it) must not share one
// notification, or both are spoken with the second text. So each window
// has a ring of them, and a text stays on its own until the ring comes
// round again.
//
// A reader that falls behind (Orca with more than 50 events waiting) drops
// notifications that have many events behind them, as the start-up fetch
// makes when it fills every control. So texts are held until the window
// has announced nothing for a moment, and go out after the burst.
//
// Each text shown also goes to the platform's own way to its readers, where
// it has one that Qt does not take (see PlatformAnnouncer).

#include "common/repeat_filter.h"
#include "toolkit/accessibility/platform_announcer.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <array>

namespace tk {

class Announcer : public QObject {
    Q_OBJECT
public:
    // A repeat from the same source within this many milliseconds is no news.
    static constexpr qint64 kRepeatMs = 1500;
    // Announcements a reader may still have to read when the next is made.
    static constexpr int kVoices = 6;
    // Texts go out once nothing was announced for kQuietMs, and never later
    // than kHoldMs after the first of them.
    static constexpr int kQuietMs = 120;
    static constexpr int kHoldMs = 600;
    // A longer text (an error text from the network may fill a datagram)
    // is cut here: a reader would speak it for minutes.
    static constexpr int kMaxChars = 250;

    // The announcer of w's window, made on first use.
    static Announcer *of(QWidget *w);

    // Empty texts and a source's repeats are dropped; line breaks and runs
    // of white space become one space. True when it will be said.
    bool say(const QObject *source, const QString &text);

    // Says what is held now (the quiet timer's tick).
    void flush();

private:
    explicit Announcer(QWidget *window);
    void show(const QString &text);

    std::array<QWidget *, kVoices> m_voices{};
    int m_next = 0;
    // Each source's repeats on their own: a result that follows another
    // source's news is still the same result.
    QHash<const QObject *, RepeatFilter> m_repeats;
    QElapsedTimer m_clock;
    QStringList m_held;
    qint64 m_heldSince = 0;
    QTimer m_quiet;
    PlatformAnnouncer m_platform;
};

// Announcer::of(source)->say(source, text).
bool announce(QWidget *source, const QString &text);

} // namespace tk
