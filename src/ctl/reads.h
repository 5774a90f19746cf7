#pragma once
// The read commands of dalvimoctl, each turned into its record: the
// exchange (with its repeats) and the parsing by the rules the window uses.
// A reply that cannot be taken apart ends the command with exit status 3.

#include "records/alarm_record.h"
#include "ctl/exchange.h"
#include "records/face_record.h"
#include "protocol/reply_fields.h"

namespace ctl {

class Reads {
public:
    explicit Reads(Exchanger &ex) : m_ex(ex) {}

    BudTable alarms();   // "Gbd*"
    BudRec alarm(int n); // "Gbd" + n
    face::SkinGroup skin();
    face::TransparencyRecord transparency();
    face::BrightnessRecord brightness();
    face::FaceFlagsRecord flags();

private:
    Exchanger &m_ex;
};

// The Stop for a reply that could not be taken apart.
Stop unreadable(const QString &reply);

// Runs f, which takes reply apart; its reply::ReplyFailure becomes
// unreadable(reply).
template <class F>
auto parsing(const QString &reply, F f) -> decltype(f())
{
    try {
        return f();
    } catch (const reply::ReplyFailure &) {
        throw unreadable(reply);
    }
}

} // namespace ctl
