#pragma once
// SIGTERM (systemd stopping the service, kill), SIGINT (Ctrl+C) and SIGHUP
// (the terminal closed) end dalvimo-web through its event loop, so it
// stops serving cleanly and exits with status 0.
//
// The signals are blocked in every thread from the start of main() and read
// from a signalfd, so no handler runs at all. A second signal of the same
// kind ends the program at once, as it would without this, should the
// first one hang. Linux only, as dalvimo-web is; the window has its own
// mechanism for the same signals (src/app/stop_signals.h).

#include <QObject>

class QSocketNotifier;

namespace web {

class QuitSignals : public QObject {
    Q_OBJECT
public:
    // Before any thread starts: threads take the blocked set from main's.
    // A signal ignored from the start (nohup) is left as it is.
    static void block();

    // Reads the blocked signals; requested() comes on the event loop.
    explicit QuitSignals(QObject *parent = nullptr);
    ~QuitSignals() override;

signals:
    void requested(int signal);

private:
    void readPending();

    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace web
