#pragma once
// Taking a reply apart. A reply that cannot be taken apart (a missing field,
// a field that does not convert, a number out of range) is abandoned where
// the fault is found: the parsers throw ReplyFailure and the dispatcher
// catches it in one place, so what was already done stays done.

#include <QList>
#include <QString>
#include <QStringView>

namespace proto {

struct ReplyFailure {
    const char *what; // for the debugger and the fuzzer's eyes only
};

[[noreturn]] inline void fail(const char *what) { throw ReplyFailure{what}; }

// Converting one field; throws ReplyFailure when it does not convert.
qint16 needInt16(QStringView text);
bool needBool(QStringView text);

// The fields of a payload split at '|' (the empty text has none). With maxParts > 0 the text is split
// at its first maxParts - 1 separators only and the last field keeps the rest.
class Fields {
public:
    explicit Fields(const QString &text, qsizetype maxParts = 0);

    qsizetype size() const { return m_parts.size(); }
    const QString &text(qsizetype i) const; // throws when field i is missing
    qint16 int16(qsizetype i) const { return needInt16(text(i)); }
    bool boolean(qsizetype i) const { return needBool(text(i)); }

private:
    QList<QString> m_parts;
};

// The "Gbd*" payload: one alarm text per line for Quorvan's four alarms, cut
// at its first three CR LF only, so at most four pieces, the fourth keeping
// any later lines with their CR LF. The empty payload has no pieces at all.
inline constexpr int kAlarmListLines = 4;
QList<QString> splitAlarmList(const QString &payload);

} // namespace proto
