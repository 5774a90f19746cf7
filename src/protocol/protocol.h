#pragma once
// The text protocol with Quorvan: every command text the client sends is
// composed here, and every reply is taken apart here into head, payload,
// word, selector and number. One message is one UDP datagram.
//
// Errors, in this layer: a reply that cannot be taken apart throws
// proto::ReplyFailure, which the dispatcher catches; a command that may not
// go out is named by its fault (std::optional<QString>); the discovery
// socket answers false with the reason in a QString *.

#include <QString>
#include <QStringView>

namespace proto {

// The largest message one UDP datagram carries over IPv4, in bytes; on the
// wire every character is one byte.
inline constexpr int kMaxDatagram = 65507;

// The five read commands that the command queue holds, by identifier.
enum ReadCmd : qint16 {
    SkinQuery = 1,    // "Gsk?"
    Transparency = 2, // "GfaT"
    Brightness = 3,   // "GfaB"
    FaceFlags = 4,    // "Gfa*"
    AllAlarms = 5,    // "Gbd*"
};

// The command text of identifier 1..5; an empty text for any other id.
QString readCommand(int id);

QString ping();                      // "ping"
QString alarmGet(int i);             // "Gbd" + i
// "Sbd" + i + "|" + time + "|" + active, then "|" + ring when the ring text
// has 5 or more characters. time is already written "h:n:s".
QString alarmSet(int i, const QString &time, int active, const QString &ring);
// Whether a ring text is long enough to go out with the set command.
bool ringGoesOut(const QString &ring);
QString alarmActive(int i, int value); // "Sbd" + i + "|" + value
QString alarmStop();                 // "Sbd0"
QString alarmToggle();               // "Sbd1"
QString faceFlag(int i);             // "Sfa" + i
QString transparencySet(const QString &level, const QString &min, const QString &max, int mode);
QString brightnessSet(const QString &level, const QString &min, const QString &max);
QString skinSelect(int n);           // "Ssk" + n
QString styleSelect(int n);          // "Sst" + n
QString saveAll();                   // "Sss1"

// A reply split at its first "|" only.
struct Reply {
    QString head;     // text before the first "|", or the whole text
    QString payload;  // text after the first "|", or empty
    QString word;     // first three characters of the head
    QString selector; // the head from its fourth character on
};
Reply splitReply(const QString &text);

// The reply's number: a numeric selector (optional blanks, sign, fraction,
// exponent) rounded half to even, -1 for any other selector (the empty one
// included). Throws proto::ReplyFailure when numeric but outside
// -32768..32767.
qint16 replyNumber(QStringView selector);

} // namespace proto
