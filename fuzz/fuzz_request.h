#pragma once
// What a command from a front end is held to, whatever the input was.

#include "common/ansi.h"
#include "fuzz_check.h"
#include "protocol/command_check.h"
#include "remote/request.h"

namespace fuzz {

// Whatever a front end accepted can go on the wire as it is: texts are one
// field without controls, levels plain numbers in range, commands fit a
// datagram.
inline void requireSendable(const remote::Request &r)
{
    if (r.ring) {
        FUZZ_REQUIRE(!proto::fieldFault(*r.ring));
        FUZZ_REQUIRE(ansi::printable(*r.ring) == *r.ring);
        FUZZ_REQUIRE(r.ring->size() >= 5);
    }
    for (const auto *level : {&r.level, &r.min, &r.max}) {
        if (!*level)
            continue;
        bool ok = false;
        const int v = (*level)->toInt(&ok);
        FUZZ_REQUIRE(ok && v >= 0 && v <= 100 && QString::number(v) == **level);
    }
    if (r.min && r.max)
        FUZZ_REQUIRE(r.min->toInt() <= r.max->toInt());
    if (r.command == QLatin1String("alarm"))
        FUZZ_REQUIRE(r.number >= 1 && r.number <= 4);
    if (r.command == QLatin1String("send"))
        FUZZ_REQUIRE(!r.text.isEmpty() && !proto::commandFault(r.text));
}

} // namespace fuzz
