#include "web/quit_signals.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace web {
namespace {

sigset_t g_blocked; // what block() took over

} // namespace

void QuitSignals::block()
{
    sigemptyset(&g_blocked);
    for (const int s : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction before = {};
        ::sigaction(s, nullptr, &before);
        // A signal ignored from the start (nohup) stays ignored: blocked,
        // it would be kept for the signalfd instead.
        if (before.sa_handler != SIG_IGN)
            sigaddset(&g_blocked, s);
    }
    pthread_sigmask(SIG_BLOCK, &g_blocked, nullptr);
}

QuitSignals::QuitSignals(QObject *parent) : QObject(parent)
{
    m_fd = ::signalfd(-1, &g_blocked, SFD_NONBLOCK | SFD_CLOEXEC);
    if (m_fd < 0)
        return;
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &QuitSignals::readPending);
}

QuitSignals::~QuitSignals()
{
    delete m_notifier; // before its descriptor closes
    if (m_fd >= 0)
        ::close(m_fd);
}

void QuitSignals::readPending()
{
    signalfd_siginfo info = {};
    while (::read(m_fd, &info, sizeof info) == ssize_t(sizeof info)) {
        // From now on this thread takes the signal itself: the default
        // action, at once.
        sigset_t one;
        sigemptyset(&one);
        sigaddset(&one, int(info.ssi_signo));
        pthread_sigmask(SIG_UNBLOCK, &one, nullptr);
        emit requested(int(info.ssi_signo));
    }
}

} // namespace web
