#include "protocol/reply_source.h"

namespace proto {

bool fromServer(const QHostAddress &sender, quint16 senderPort, const address::Endpoint &server)
{
    bool ipv4 = false;
    const quint32 address = sender.toIPv4Address(&ipv4);
    return ipv4 && address == server.ipv4 && senderPort == server.port;
}

} // namespace proto
