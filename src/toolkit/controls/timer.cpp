#include "toolkit/controls/timer.h"

namespace tk {

Timer::Timer(QObject *parent) : QObject(parent)
{
    connect(&m_timer, &QTimer::timeout, this, &Timer::Tick);
}

void Timer::setInterval(int ms)
{
    m_timer.setInterval(ms);
    if (m_enabled)
        m_timer.start();
}

void Timer::setEnabled(bool on)
{
    if (on == m_enabled)
        return;
    m_enabled = on;
    if (on && m_timer.interval() > 0)
        m_timer.start();
    else
        m_timer.stop();
}

} // namespace tk
