#pragma once
// One HTTP/1.1 request read from a socket in pieces, with hard bounds: the
// head and the body each have a limit, a Content-Length above the body's
// limit is refused before the body arrives, and chunked bodies are not
// taken at all. The head is read strictly: a method and header names that
// are tokens, a target of visible characters, no white space before a
// header's colon, no folded lines and no bare CR or NUL, so that no proxy
// or browser in between can read it as something else. The server answers
// one request per connection.

#include <QByteArray>
#include <QHash>

namespace web {

struct HttpRequest {
    QByteArray method;
    QByteArray path;                        // without the query
    QHash<QByteArray, QByteArray> headers;  // names in lower case
    QByteArray body;

    QByteArray header(const char *name) const { return headers.value(QByteArray(name)); }
};

class RequestReader {
public:
    static constexpr qsizetype kMaxHead = 8 * 1024;
    static constexpr qsizetype kMaxBody = 4 * 1024;

    enum State { Incomplete, Complete, TooLarge, Malformed };

    // Takes more bytes; once the state is no longer Incomplete it stays.
    State feed(const QByteArray &data);
    State state() const { return m_state; }
    // Whether the whole head has come (the body may still be on its way).
    bool headRead() const { return m_bodyStart >= 0; }
    const HttpRequest &request() const { return m_request; }

private:
    State parseHead(qsizetype headEnd);

    QByteArray m_buffer;
    HttpRequest m_request;
    qsizetype m_bodyStart = -1;
    qsizetype m_bodyLength = 0;
    State m_state = Incomplete;
};

} // namespace web
