#pragma once
// The read commands, each turned into its record: the
// exchange (with its repeats) and the parsing by the rules the window uses.
// A reply that cannot be taken apart ends the command as unreadable.

#include "records/alarm_record.h"
#include "remote/exchange.h"
#include "records/face_record.h"
#include "protocol/reply_fields.h"

namespace remote {

class Reads {
public:
    explicit Reads(Exchanger &ex) : m_ex(ex) {}

    records::BudTable alarms();   // "Gbd*"
    records::BudRec alarm(int n); // "Gbd" + n
    // A face record read by its own command: records::SkinGroup ("Gsk?"),
    // TransparencyRecord ("GfaT"), BrightnessRecord ("GfaB") or
    // FaceFlagsRecord ("Gfa*").
    template <class Record>
    Record record();

private:
    Exchanger &m_ex;
};

// The Outcome for a reply that could not be taken apart.
Outcome unreadable(const QString &reply);

// A value read from Quorvan that a setting sends back as one field: the
// Outcome of an unreadable reply when it cannot be one (what names the value).
void needSendable(const QString &value, const QString &what);

// Runs f, which takes reply apart; its proto::ReplyFailure becomes
// unreadable(reply).
template <class F>
auto parsing(const QString &reply, F f) -> decltype(f())
{
    try {
        return f();
    } catch (const proto::ReplyFailure &) {
        throw unreadable(reply);
    }
}

} // namespace remote
