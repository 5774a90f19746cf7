#include "probe.h"

#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

#include <sys/resource.h>

namespace probe {

qint64 monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

qint64 cpuUs()
{
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return (qint64(ru.ru_utime.tv_sec) + ru.ru_stime.tv_sec) * 1000000 + ru.ru_utime.tv_usec
        + ru.ru_stime.tv_usec;
}

qint64 rssKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

void report(const char *key, qint64 value)
{
    std::printf("%s=%lld\n", key, static_cast<long long>(value));
    std::fflush(stdout);
}

FirstPaint::FirstPaint(QWidget *window, std::function<void()> done)
    : QObject(window), m_window(window), m_done(std::move(done))
{
    window->installEventFilter(this);
}

bool FirstPaint::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Paint && !m_seen) {
        m_seen = true;
        // The children are painted and the frame flushed before the loop turns.
        QTimer::singleShot(0, this, [this] { m_done(); });
    }
    return false;
}

void after(int ms, QObject *context, std::function<void()> what)
{
    QTimer::singleShot(ms, context, std::move(what));
}

} // namespace probe
