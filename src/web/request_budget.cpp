#include "web/request_budget.h"

namespace web {

void RequestBudget::expire(Times &times, qint64 nowMs) const
{
    qsizetype passed = 0;
    while (passed < times.size() && nowMs - times.at(passed) >= m_windowMs)
        ++passed;
    times.remove(0, passed);
}

bool RequestBudget::take(const QByteArray &client, qint64 nowMs)
{
    auto it = m_clients.find(client);
    if (it == m_clients.end()) {
        if (m_clients.size() >= m_maxClients)
            makeRoom(nowMs);
        it = m_clients.insert(client, {});
    }
    expire(*it, nowMs);
    if (it->size() >= m_perWindow)
        return false;
    it->append(nowMs);
    return true;
}

// Called with the table full, for a client not in it.
void RequestBudget::makeRoom(qint64 nowMs)
{
    m_clients.removeIf([&](QHash<QByteArray, Times>::iterator it) {
        expire(*it, nowMs);
        return it->isEmpty(); // its window has passed: nothing to keep
    });
    if (m_clients.size() < m_maxClients)
        return;
    auto victim = m_clients.cbegin();
    for (auto it = m_clients.cbegin(); it != m_clients.cend(); ++it)
        if (it->size() < victim->size() || (it->size() == victim->size() && it->last() < victim->last()))
            victim = it;
    m_clients.erase(victim);
}

} // namespace web
