#pragma once
// The simulator as the tests run it: quiet, on a free port of 127.0.0.1
// unless tune() says otherwise, started at once, and recording every
// datagram it gets, in order, with whether it was dropped.

#include "common/address.h"
#include "sim_server.h"

#include <QStringList>

#include <functional>

class SimFixture : public sim::SimServer {
public:
    explicit SimFixture(const std::function<void(sim::SimOptions &)> &tune = {});

    bool started = false; // false: the address or port could not be bound
    QStringList heard;
    QList<bool> dropped; // one per entry of heard

    address::Endpoint endpoint() const { return {address().toIPv4Address(), port()}; }
    QString text() const { return endpoint().text(); } // "127.0.0.1:PORT", as the programs take it
    int sent(const QString &text) const { return int(heard.count(text)); }
    int applied(const QString &text) const; // sent and not dropped
};
