#pragma once
// The requests from outside to end the program, delivered on the event
// loop: SIGTERM (what a desktop session sends at log-out and shutdown, and
// what kill sends), SIGINT (Ctrl+C in the terminal that started it) and
// SIGHUP (that terminal closed). The window then closes exactly as "Выйти"
// closes it, and its settings are kept; dalvimo-web stops serving and
// dalvimo-mqtt says goodbye to its broker, each exiting with status 0.
//
// A signal handler may do next to nothing safely, so it only writes the
// signal's number into a socket pair; a notifier on the other end hands it
// to the event loop. A second signal of the same kind ends the program at
// once, as it would without this, should the first one hang. Whatever
// thread the signal lands on, the notifier's thread hears it. The platform
// file pair is stop_signals_posix.cpp and stop_signals_windows.cpp: where
// there are no such signals (Windows, whose session end reaches Qt as a
// request to quit), nothing is installed and requested() never comes.

#include <QObject>

class QSocketNotifier;

class StopSignals : public QObject {
    Q_OBJECT
public:
    // One at a time: the handlers are the process's.
    explicit StopSignals(QObject *parent = nullptr);
    ~StopSignals() override; // the handlers go back to the defaults

signals:
    void requested(int signal);

private:
    void readPending();

    QSocketNotifier *m_notifier = nullptr;
};
