#include "records/alarm_record.h"

#include "protocol/reply_fields.h"

namespace records {

std::size_t BudTable::slot(int n)
{
    if (n < 1 || n > kCount)
        proto::fail("no such alarm");
    return static_cast<std::size_t>(n - 1);
}

BudRec &BudTable::operator()(int n) { return m_buds[slot(n)]; }

const BudRec &BudTable::operator()(int n) const { return m_buds[slot(n)]; }

void ParseAlarmReply(const QString &sText, BudTable &buds)
{
    const proto::Fields p(sText);
    BudRec &bud = buds(p.int16(0)); // throws before anything is stored

    // Each field is stored as soon as it converts: a reply that breaks
    // part-way leaves the record as far as it got.
    const auto time = parseTimeText(p.text(1));
    if (!time)
        proto::fail("not a time");
    bud.dTime = *time;
    bud.bActive = p.boolean(2);
    bud.sRing = p.text(3);
    bud.iNum1 = p.int16(4);
    bud.iNum2 = p.int16(5);
    bud.bFlag1 = p.boolean(6);
    bud.bFlag2 = p.boolean(7);
}

namespace {

// One or two ASCII digits at the front of s, at most `limit`; the view is
// advanced past them.
std::optional<int> takePart(QStringView &s, int limit)
{
    int value = 0;
    qsizetype n = 0;
    while (n < s.size() && n < 2 && s[n] >= u'0' && s[n] <= u'9')
        value = value * 10 + (s[n++].unicode() - u'0');
    if (n == 0 || value > limit)
        return std::nullopt;
    s = s.mid(n);
    return value;
}

// A colon at the front of s, which is advanced past it.
bool takeColon(QStringView &s)
{
    if (s.isEmpty() || s.front() != u':')
        return false;
    s = s.mid(1);
    return true;
}

} // namespace

std::optional<QTime> parseTimeText(QStringView text)
{
    QStringView s = text;
    const auto h = takePart(s, 23);
    if (!h || !takeColon(s))
        return std::nullopt;
    const auto m = takePart(s, 59);
    if (!m)
        return std::nullopt;
    int sec = 0;
    if (!s.isEmpty()) {
        const auto part = takeColon(s) ? takePart(s, 59) : std::nullopt;
        if (!part || !s.isEmpty())
            return std::nullopt; // a third digit, a blank, anything more
        sec = *part;
    }
    return QTime(*h, *m, sec);
}

QString formatHnn(QTime time)
{
    if (!time.isValid())
        return kUnknownTime.toString();
    return QStringLiteral("%1:%2").arg(time.hour()).arg(time.minute(), 2, 10, QLatin1Char('0'));
}

QString formatHns(QTime time)
{
    if (!time.isValid())
        return kUnknownTime.toString();
    return QStringLiteral("%1:%2:%3").arg(time.hour()).arg(time.minute()).arg(time.second());
}

} // namespace records
