#pragma once
// What the start-up probes report about their own process, as "key=value"
// lines on standard output for the runner: the monotonic clock (shared by
// all processes, so the runner can subtract the moment it started the
// process), CPU time used so far and the resident set size.

#include <QObject>

#include <functional>

class QWidget;

namespace probe {

qint64 monotonicNs();   // CLOCK_MONOTONIC
qint64 cpuUs();         // user + system time of the whole process
qint64 rssKb();         // VmRSS, 0 when unknown
void report(const char *key, qint64 value); // "key=value", flushed at once

// Calls done once, after the first paint of window has been drawn and
// handed to the window system (the next turn of the event loop).
class FirstPaint : public QObject {
    Q_OBJECT
public:
    FirstPaint(QWidget *window, std::function<void()> done);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    std::function<void()> m_done;
    bool m_seen = false;
};

// Runs what after ms of event-loop time.
void after(int ms, QObject *context, std::function<void()> what);

} // namespace probe
