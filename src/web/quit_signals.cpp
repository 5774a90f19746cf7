#include "web/quit_signals.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace web {
namespace {

sigset_t quitSet()
{
    sigset_t set;
    sigemptyset(&set);
    for (const int s : {SIGTERM, SIGINT, SIGHUP})
        sigaddset(&set, s);
    return set;
}

} // namespace

void QuitSignals::block()
{
    const sigset_t set = quitSet();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

QuitSignals::QuitSignals(QObject *parent) : QObject(parent)
{
    const sigset_t set = quitSet();
    m_fd = ::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
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
