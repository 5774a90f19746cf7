#include "protocol/command_queue.h"

#include "protocol/protocol.h"

namespace proto {

bool CommandQueue::QueuePush(qint32 id)
{
    // Only the five read commands have a text; anything else would go out
    // as an empty datagram later.
    if (id < proto::SkinQuery || id > proto::AllAlarms)
        return false;
    if (m_items.size() >= kLimit)
        return false;
    m_items.append(static_cast<qint16>(id));
    return true;
}

void CommandQueue::QueueRemove(qint16 pos)
{
    if (pos < 1 || pos > m_items.size())
        return;
    m_items.removeAt(pos - 1);
}

} // namespace proto
