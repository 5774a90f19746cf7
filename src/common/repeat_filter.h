#pragma once
// Lets a text through unless it is the one let through last and that was
// less than a window ago. A screen reader speaks every announcement, and
// the start-up fetch alone reports "0k!" nine times within half a second:
// the listener needs it once.

#include <QString>
#include <QtGlobal>

class RepeatFilter {
public:
    explicit RepeatFilter(qint64 windowMs) : m_windowMs(windowMs) {}

    // nowMs: any clock that does not go back. An empty text never passes.
    bool admit(const QString &text, qint64 nowMs);

private:
    qint64 m_windowMs;
    QString m_last;
    qint64 m_lastAt = 0;
};
