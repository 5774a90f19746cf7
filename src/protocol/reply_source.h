#pragma once
// Whose datagrams count as replies. UDP has no connection: anyone who can
// reach the client's port could answer in Quorvan's name (fill the alarm
// rows, keep the indicator green, plant a text that the next "Сохранить"
// sends back). A reply counts only when it comes from the address and port
// the commands go to; every other datagram is dropped unread.

#include "common/address.h"

#include <QHostAddress>

namespace proto {

// Whether a datagram from sender:senderPort comes from server. An IPv4
// sender written as an IPv6-mapped address counts as that IPv4 address.
bool fromServer(const QHostAddress &sender, quint16 senderPort, const address::Endpoint &server);

} // namespace proto
