#include "common/repeat_filter.h"

bool RepeatFilter::admit(const QString &text, qint64 nowMs)
{
    if (text.isEmpty())
        return false;
    // Measured from the last one let through, so a steady stream of the same
    // text is heard once per window, not once in all.
    if (text == m_last && nowMs - m_lastAt < m_windowMs)
        return false;
    m_last = text;
    m_lastAt = nowMs;
    return true;
}
