#pragma once
// How an exchange with Quorvan ended, the same for every front end:
// dalvimoctl turns it into its exit status, dalvimo-web into an HTTP status,
// dalvimo-mqtt into a device's availability. The exchanges end a command
// early by throwing one (this layer's error style: exceptions, Outcome for
// what the user is told, BadArgument for what was refused before sending;
// the choice of server, which each program reports in its own words, answers
// NoServer beside the endpoint, and the exchange's socket false with its
// reason, which the exchange throws on as an Outcome).

#include <QString>

namespace remote {

struct Outcome {
    enum Kind {
        Done,
        Refused,      // nothing went out: a value or command that may not be sent
        NoAnswer,     // silence, or no socket to send from
        QuorvanError, // Quorvan answered "Err" with a code other than 0, or refused what it cannot do
        Unreadable,   // a reply that could not be taken apart
    };
    Kind kind = Done;
    QString message; // for the user; empty when done
};

} // namespace remote
