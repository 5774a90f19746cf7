#include "web/http_request.h"

#include <QList>

namespace web {

RequestReader::State RequestReader::feed(const QByteArray &data)
{
    if (m_state != Incomplete)
        return m_state;
    m_buffer += data;
    if (m_bodyStart < 0) {
        const qsizetype end = m_buffer.indexOf("\r\n\r\n");
        if (end < 0) {
            if (m_buffer.size() > kMaxHead)
                m_state = TooLarge;
            return m_state;
        }
        if (end > kMaxHead)
            return m_state = TooLarge;
        m_state = parseHead(end);
        if (m_state != Incomplete)
            return m_state;
    }
    // Bytes beyond the declared body would be a second request: one request
    // per connection, so they are never read.
    if (m_buffer.size() - m_bodyStart >= m_bodyLength) {
        m_request.body = m_buffer.mid(m_bodyStart, m_bodyLength);
        m_buffer.clear();
        m_state = Complete;
    }
    return m_state;
}

RequestReader::State RequestReader::parseHead(qsizetype headEnd)
{
    const QList<QByteArray> lines = m_buffer.left(headEnd).split('\n');
    const QList<QByteArray> first = lines.first().trimmed().split(' ');
    if (first.size() != 3 || !first.at(2).startsWith("HTTP/1.") || !first.at(1).startsWith('/'))
        return Malformed;
    m_request.method = first.at(0);
    const QByteArray target = first.at(1);
    const qsizetype query = target.indexOf('?');
    m_request.path = query < 0 ? target : target.left(query);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            return Malformed;
        const QByteArray name = line.left(colon).trimmed().toLower();
        if (m_request.headers.contains(name))
            return Malformed; // a repeated header could say two things at once
        m_request.headers.insert(name, line.mid(colon + 1).trimmed());
    }
    if (m_request.headers.contains("transfer-encoding"))
        return Malformed;
    m_bodyStart = headEnd + 4;
    const QByteArray length = m_request.header("content-length");
    if (!length.isEmpty()) {
        for (const char c : length)
            if (c < '0' || c > '9')
                return Malformed;
        if (length.size() > 9 || length.toLongLong() > kMaxBody)
            return TooLarge;
        m_bodyLength = length.toLongLong();
    }
    return Incomplete;
}

} // namespace web
