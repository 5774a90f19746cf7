#pragma once
// Each client's budget of requests in a sliding window (429 beyond it),
// which bounds how fast anyone may guess the token or drive Quorvan. The
// table of clients is bounded too, and a flood of new clients never frees a
// spent budget: a newcomer takes the place of a client whose window has
// passed, else of the one with the fewest requests in its window (the
// least recently seen of those), which is never a client with its budget
// spent while others have some left.

#include <QByteArray>
#include <QHash>
#include <QList>

namespace web {

class RequestBudget {
public:
    RequestBudget(int perWindow, qint64 windowMs, int maxClients)
        : m_perWindow(perWindow), m_windowMs(windowMs), m_maxClients(maxClients)
    {
    }

    // Whether client may make one more request at nowMs (a monotonic clock);
    // the request counts against its budget when it may.
    bool take(const QByteArray &client, qint64 nowMs);
    qsizetype clients() const { return m_clients.size(); }

private:
    using Times = QList<qint64>; // of the requests in the window, oldest first

    void expire(Times &times, qint64 nowMs) const;
    void makeRoom(qint64 nowMs);

    int m_perWindow;
    qint64 m_windowMs;
    int m_maxClients;
    QHash<QByteArray, Times> m_clients;
};

} // namespace web
