#pragma once
// Quorvan's four alarms as the client keeps them, the alarm text that fills
// them, and the one rule for reading and writing an alarm time that the
// alarm rows, the time editor and the set command all share.
//
// Errors, in this layer: as the protocol's, proto::ReplyFailure for a reply
// that cannot be taken apart.

#include <QList>
#include <QString>
#include <QStringView>
#include <QTime>

#include <array>
#include <optional>

namespace records {

// One alarm. Only the time of day of dTime is ever shown or sent; iNum1,
// iNum2, bFlag1 and bFlag2 are kept as Quorvan sent them and used nowhere.
struct BudRec {
    QTime dTime{0, 0, 0}; // "zero" like every other field: shows as 0:00
    bool bActive = false;
    QString sRing;
    qint16 iNum1 = 0;
    qint16 iNum2 = 0;
    bool bFlag1 = false;
    bool bFlag2 = false;
};

// The four alarms, numbered 1 to 4 as in the commands and the rows; there is
// no alarm 0. Any other number throws proto::ReplyFailure.
class BudTable {
public:
    static constexpr int kCount = 4;

    BudRec &operator()(int n);
    const BudRec &operator()(int n) const;

private:
    static std::size_t slot(int n);

    std::array<BudRec, kCount> m_buds{};
};

// One alarm text: number|time|active|ring|num1|num2|flag1|flag2, fields after
// the eighth ignored. Stores into buds(number), field by field in that order,
// so a failure (proto::ReplyFailure) leaves the fields before it stored. A
// number outside 1..4 fails before anything is stored.
void ParseAlarmReply(const QString &sText, BudTable &buds);

// The time-text rule. Accepted, and nothing else:
//
//     H:M  or  H:M:S
//
// each part one or two ASCII digits (leading zeros allowed, so 07:05 and
// 7:5 are both 7:05), hours 0-23, minutes and seconds 0-59, 24-hour. No
// blanks anywhere, no sign, no date, no AM/PM, no other separator: what the
// editor colours green is exactly what the set command can send and what an
// alarm reply may carry.
std::optional<QTime> parseTimeText(QStringView text);

// The same rule as a regular expression, for a front end that checks a time
// before it sends one (Home Assistant's text pattern). Where "$" also lets a
// final line feed through (Python, PCRE), the check before sending does not.
inline constexpr QLatin1String kTimeTextPattern("^([01]?[0-9]|2[0-3]):[0-5]?[0-9](:[0-5]?[0-9])?$");

// "h:nn" for the row's caption: 7:05, 0:00, 13:45 (seconds dropped).
QString formatHnn(QTime time);

// "h:n:s" for the set command: 7:5:0, 0:0:0, 13:45:0.
QString formatHns(QTime time);

// Both formats give kUnknownTime, the caption of a row whose time is not
// known, for an invalid QTime; parseTimeText rejects it, so it can never be
// sent as a time.
inline constexpr QStringView kUnknownTime = u"?:??";

} // namespace records
