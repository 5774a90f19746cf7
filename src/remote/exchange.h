#pragma once
// Exchanges with Quorvan over lossy UDP: which datagram
// answers which command, how often a read is repeated, and how a setting
// whose answer was lost learns from a read-back whether it took effect.
//
// Every exchange sends from a socket of its own. Quorvan answers the
// sender, so a late answer to an earlier exchange (or to an earlier attempt
// of a read-back) can never be taken for the answer of a later one; that
// is what makes a read-back after a lost answer trustworthy. The socket
// hears the server alone: a datagram from any other address or port is
// dropped before judge() sees it.

#include "remote/channel.h"
#include "remote/outcome.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace remote {

// What one datagram means to the exchange that waits.
struct Verdict {
    enum Kind { Ignore, Answer, Failure, Unreadable };
    Kind kind = Ignore;
    qint16 code = 0;     // Failure: Quorvan's error code
    QString description; // Failure: its text
};

// A read command: its word begins with "G".
bool isRead(const QString &command);

// sent is the command of the exchange. A read is answered by the reply whose
// head (word and selector) is its own, "ping" by "ping", any other command by
// an "Err" reply. An "Err" with a code other than 0 answers whatever was
// sent, as a failure; "Err" with code 0 is a setting's success and so answers
// no read. An "Err" whose code is no 16-bit number is unreadable. Anything
// else is ignored: a late answer, or a datagram nobody asked for.
Verdict judge(const QString &sent, const QString &received);

struct Policy {
    int timeoutMs = 1000; // for each datagram sent
    int retries = 2;      // further sends of a read, or of a setting shown not to have taken effect
};

struct Answer {
    QString text;          // the datagram that answered
    Verdict verdict;       // Answer, or Failure for raw()
    int attempts = 0;      // datagrams sent for it
    qint64 elapsedNs = 0;  // from the last send to the answer
};

// How a setting whose answer did not come learns whether it took effect.
struct ReadBack {
    // Reads the state back (through Exchanger::read) and tells whether the
    // setting took effect; empty when the state cannot tell.
    std::function<std::optional<bool>()> tookEffect;
    // Whether the setting may go out again once a read-back has shown that
    // it did not take effect. Never for the toggles: sent twice they undo
    // themselves.
    bool mayRepeat = false;
};

struct SetResult {
    bool answered = true; // false: its effect was seen in a read-back
    int sends = 0;
};

class Exchanger {
public:
    Exchanger(const Endpoint &server, const Policy &policy);

    const Endpoint &server() const { return m_server; }
    const Policy &policy() const { return m_policy; }
    // Every datagram sent ("-> text") and received ("<- text"), for --verbose.
    void setTrace(std::function<void(const QString &line)> trace) { m_trace = std::move(trace); }

    // Sent up to 1 + retries times until answered. Throws Outcome.
    Answer read(const QString &command);
    // Sent once; see ReadBack for a lost answer. Throws Outcome.
    SetResult set(const QString &command, const ReadBack &readBack = {});
    // A setting and the read that shows its result, the way every command
    // that changes something goes: readState refreshes the caller's view of
    // the state, which is read once more after an answered setting and
    // serves as the read-back of a lost one; tookEffect judges that view.
    SetResult setAndReadBack(const QString &command, const std::function<void()> &readState,
                             const std::function<std::optional<bool>()> &tookEffect, bool mayRepeat);
    // One raw command: a read or "ping" as read(), anything else sent once.
    // Quorvan's "Err" comes back as the answer; only silence and unreadable
    // replies throw.
    Answer raw(const QString &command);

private:
    std::unique_ptr<Channel> openChannel();
    void send(Channel &channel, const QString &command);
    // Runs the event loop until a datagram on channel answers sent, or
    // timeoutMs pass.
    std::optional<Answer> await(Channel &channel, const QString &sent);
    Answer attemptRead(const QString &command, bool failureThrows);
    void trace(const QString &line) const;

    Endpoint m_server;
    Policy m_policy;
    std::function<void(const QString &)> m_trace;
};

// The Outcome for an answer that is Quorvan's failure or unreadable; nothing
// for a plain answer.
std::optional<Outcome> stopFor(const Answer &answer);

} // namespace remote
