#include "common/stop_signals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kSignalCount = 3;
const int kSignals[kSignalCount] = {SIGTERM, SIGINT, SIGHUP};
struct sigaction g_before[kSignalCount]; // what was there before, to put back
int g_pair[2] = {-1, -1}; // [0] written by the handler, [1] read by the notifier

extern "C" void onStopSignal(int signal)
{
    const int saved = errno; // the code the handler interrupted may look at it
    const auto byte = static_cast<unsigned char>(signal);
    // Non-blocking: with the buffer full a signal is already waiting anyway.
    [[maybe_unused]] const ssize_t n = ::write(g_pair[0], &byte, 1);
    errno = saved;
}

bool install()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, g_pair) != 0)
        return false;
    struct sigaction action = {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (int i = 0; i < kSignalCount; ++i) {
        ::sigaction(kSignals[i], nullptr, &g_before[i]);
        // A signal ignored from the start (nohup) stays ignored.
        if (g_before[i].sa_handler != SIG_IGN)
            ::sigaction(kSignals[i], &action, nullptr);
    }
    return true;
}

void uninstall()
{
    if (g_pair[0] < 0)
        return; // never installed
    for (int i = 0; i < kSignalCount; ++i)
        ::sigaction(kSignals[i], &g_before[i], nullptr);
    for (int &fd : g_pair) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

// Every signal number waiting; -1 when none is left.
int takeSignal()
{
    unsigned char byte = 0;
    return ::read(g_pair[1], &byte, 1) == 1 ? int(byte) : -1;
}

int readEnd() { return g_pair[1]; }

} // namespace

StopSignals::StopSignals(QObject *parent) : QObject(parent)
{
    if (!install())
        return;
    m_notifier = new QSocketNotifier(readEnd(), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &StopSignals::readPending);
}

StopSignals::~StopSignals()
{
    delete m_notifier; // before its descriptor closes
    uninstall();
}

void StopSignals::readPending()
{
    for (int signal = takeSignal(); signal >= 0; signal = takeSignal())
        emit requested(signal);
}
