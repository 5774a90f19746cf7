#include "web/http_request.h"

#include <QByteArrayView>
#include <QList>

namespace web {
namespace {

// tchar of HTTP: what a method and a header's name are made of.
bool isToken(QByteArrayView text)
{
    if (text.isEmpty())
        return false;
    for (const char c : text) {
        const bool alnum = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!alnum && !QByteArrayView("!#$%&'*+-.^_`|~").contains(c))
            return false;
    }
    return true;
}

// A target is visible ASCII only: no blank, no control, nothing to decode.
bool isTarget(QByteArrayView text)
{
    if (!text.startsWith('/'))
        return false;
    for (const char c : text)
        if (c < '!' || c > '~')
            return false;
    return true;
}

// A value may hold blanks and tabs and any byte above ASCII, but no
// control: a bare CR or a NUL would end it early for another reader.
bool isFieldValue(QByteArrayView text)
{
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\t') || u == 0x7f)
            return false;
    }
    return true;
}

QByteArrayView trimmedBlanks(QByteArrayView v)
{
    while (!v.isEmpty() && (v.front() == ' ' || v.front() == '\t'))
        v = v.sliced(1);
    while (!v.isEmpty() && (v.back() == ' ' || v.back() == '\t'))
        v.chop(1);
    return v;
}

} // namespace

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
    // A bare CR or a NUL left in a line fails the checks of its part below.
    QList<QByteArray> lines = m_buffer.left(headEnd).split('\n');
    for (QByteArray &line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    const QList<QByteArray> first = lines.first().split(' ');
    if (first.size() != 3 || !isToken(first.at(0)) || !isTarget(first.at(1))
        || (first.at(2) != "HTTP/1.1" && first.at(2) != "HTTP/1.0"))
        return Malformed;
    m_request.method = first.at(0);
    const QByteArray &target = first.at(1);
    const qsizetype query = target.indexOf('?');
    m_request.path = query < 0 ? target : target.left(query);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray &line = lines.at(i);
        // The name runs right up to the colon: "Name : v" and a folded
        // line (one that starts with a blank) are refused, as HTTP/1.1 asks.
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0 || !isToken(QByteArrayView(line).first(colon)))
            return Malformed;
        const QByteArrayView value = trimmedBlanks(QByteArrayView(line).sliced(colon + 1));
        if (!isFieldValue(value))
            return Malformed;
        const QByteArray name = line.left(colon).toLower();
        if (m_request.headers.contains(name))
            return Malformed; // a repeated header could say two things at once
        m_request.headers.insert(name, value.toByteArray());
    }
    if (m_request.headers.contains("transfer-encoding"))
        return Malformed;
    m_bodyStart = headEnd + 4;
    const QByteArray length = m_request.header("content-length");
    if (m_request.headers.contains("content-length")) {
        if (length.isEmpty())
            return Malformed;
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
