#pragma once
// The queue of read commands still to send: identifiers 1..5 in the order
// they were queued, oldest at position 1. Duplicates are allowed; nothing
// clears the queue as a whole.

#include <QList>
#include <QtGlobal>

namespace proto {

class CommandQueue {
public:
    static constexpr qsizetype kLimit = 32767; // the count is a 16-bit number

    // Appends id. An id that names no read command (outside 1..5) and a push
    // at the limit are refused (returns false); the queue stays as it was.
    bool QueuePush(qint32 id);

    // Removes position pos (1-based); out-of-range positions and an empty
    // queue are left alone.
    void QueueRemove(qint16 pos);

    qint16 iCmdQueueCount() const { return static_cast<qint16>(m_items.size()); }
    qint16 at(qint16 pos) const { return m_items.at(pos - 1); } // 1-based
    const QList<qint16> &items() const { return m_items; }

private:
    QList<qint16> m_items;
};

} // namespace proto
