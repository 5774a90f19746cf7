// The alarm text, the alarm table and the time-text rule.

#include "records/alarm_record.h"
#include "protocol/reply_fields.h"

#include <QRegularExpression>
#include <QTest>

using namespace records;

namespace {

// What a record holds before a reply that must not (or only partly) reach it.
BudRec oldRecord()
{
    return {QTime(23, 59, 59), true, QStringLiteral("old"), 111, 222, true, true};
}

// What "n|7:05:00|0|abc|5|6|0|0" writes: every field differs from oldRecord.
BudRec newRecord()
{
    return {QTime(7, 5), false, QStringLiteral("abc"), 5, 6, false, false};
}

// The first `count` fields (dTime .. bFlag2) from `fresh`, the rest from `old`.
BudRec mix(const BudRec &fresh, const BudRec &old, int count)
{
    BudRec r = old;
    if (count > 0) r.dTime = fresh.dTime;
    if (count > 1) r.bActive = fresh.bActive;
    if (count > 2) r.sRing = fresh.sRing;
    if (count > 3) r.iNum1 = fresh.iNum1;
    if (count > 4) r.iNum2 = fresh.iNum2;
    if (count > 5) r.bFlag1 = fresh.bFlag1;
    if (count > 6) r.bFlag2 = fresh.bFlag2;
    return r;
}

void compareRecord(const BudRec &actual, const BudRec &expected)
{
    QCOMPARE(actual.dTime, expected.dTime);
    QCOMPARE(actual.bActive, expected.bActive);
    QCOMPARE(actual.sRing, expected.sRing);
    QCOMPARE(actual.iNum1, expected.iNum1);
    QCOMPARE(actual.iNum2, expected.iNum2);
    QCOMPARE(actual.bFlag1, expected.bFlag1);
    QCOMPARE(actual.bFlag2, expected.bFlag2);
}

BudTable tableOfOld()
{
    BudTable buds;
    for (int n = 1; n <= BudTable::kCount; ++n)
        buds(n) = oldRecord();
    return buds;
}

} // namespace

class TestAlarmRecord : public QObject {
    Q_OBJECT

private slots:
    void tableStartsEmptyAndHasNoAlarmZero();
    void parsesAlarmText_data();
    void parsesAlarmText();
    void timeRule_data();
    void timeRule();
    void formats_data();
    void formats();
    void everyAcceptedShortTextRoundTrips();
};

void TestAlarmRecord::tableStartsEmptyAndHasNoAlarmZero()
{
    BudTable buds;
    for (int n = 1; n <= 4; ++n)
        compareRecord(buds(n), BudRec{QTime(0, 0), false, {}, 0, 0, false, false});
    QCOMPARE(formatHnn(buds(1).dTime), QStringLiteral("0:00"));
    for (int n : {0, 5, -1})
        QVERIFY_THROWS_EXCEPTION(proto::ReplyFailure, buds(n));
}

// Each text read into a table of old records: alarm n becomes `expected`, the
// others stay old. A failure keeps the fields stored before it.
void TestAlarmRecord::parsesAlarmText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("n");
    QTest::addColumn<BudRec>("expected");
    QTest::addColumn<bool>("fails");
    // Alarm 2 after "2|7:05:00|0|abc|5|6|0|0" failed past its first `count` fields.
    const auto upTo = [](int count) { return mix(newRecord(), oldRecord(), count); };

    QTest::newRow("alarm 2") << "2|7:05:00|1|abc|0|0|0|0" << 2
                             << BudRec{QTime(7, 5), true, "abc", 0, 0, false, false} << false;
    QTest::newRow("seconds kept") << "1|13:45:30|0|Подъём|-32768|32767|1|-1" << 1
                                  << BudRec{QTime(13, 45, 30), false, "Подъём", -32768, 32767, true, true} << false;
    QTest::newRow("empty ring") << "4|0:00|True||1|2|False|true" << 4
                                << BudRec{QTime(0, 0), true, "", 1, 2, false, true} << false;
    QTest::newRow("after eighth ignored") << "3|6:30|1|r|0|0|0|0|junk|x" << 3
                                          << BudRec{QTime(6, 30), true, "r", 0, 0, false, false} << false;
    QTest::newRow("halves to even") << "3|6:30|1|r|2.5|-3.5|0|0" << 3
                                    << BudRec{QTime(6, 30), true, "r", 2, -4, false, false} << false;
    QTest::newRow("number 4.0") << "4.0|6:30|1|r|0|0|0|0" << 4
                                << BudRec{QTime(6, 30), true, "r", 0, 0, false, false} << false;

    QTest::newRow("number only") << "2" << 2 << upTo(0) << true;
    QTest::newRow("bad time") << "2|25:00|0|abc|5|6|0|0" << 2 << upTo(0) << true;
    QTest::newRow("empty time") << "2||0|abc|5|6|0|0" << 2 << upTo(0) << true;
    QTest::newRow("two fields") << "2|7:05:00" << 2 << upTo(1) << true;
    QTest::newRow("active yes") << "2|7:05:00|yes|abc|5|6|0|0" << 2 << upTo(1) << true;
    QTest::newRow("active empty") << "2|7:05:00||abc|5|6|0|0" << 2 << upTo(1) << true;
    QTest::newRow("no ring") << "2|7:05:00|0" << 2 << upTo(2) << true;
    QTest::newRow("num1 40000") << "2|7:05:00|0|abc|40000|6|0|0" << 2 << upTo(3) << true;
    QTest::newRow("num2 -40000") << "2|7:05:00|0|abc|5|-40000|0|0" << 2 << upTo(4) << true;
    QTest::newRow("flag1 x") << "2|7:05:00|0|abc|5|6|x|0" << 2 << upTo(5) << true;
    QTest::newRow("seven fields") << "2|7:05:00|0|abc|5|6|0" << 2 << upTo(6) << true;
    QTest::newRow("empty flag2") << "2|7:05:00|0|abc|5|6|0|" << 2 << upTo(6) << true;

    // A number outside 1..4 stores nothing anywhere.
    for (const char *number : {"0", "5", "-1", "40000", "x", ""})
        QTest::addRow("number '%s'", number) << QString(number) + "|7:05:00|0|abc|5|6|0|0" << 2 << upTo(0) << true;
    QTest::newRow("empty text") << "" << 2 << upTo(0) << true;
}

void TestAlarmRecord::parsesAlarmText()
{
    QFETCH(QString, text);
    QFETCH(int, n);
    QFETCH(BudRec, expected);
    QFETCH(bool, fails);

    BudTable buds = tableOfOld();
    bool failed = false;
    try {
        ParseAlarmReply(text, buds);
    } catch (const proto::ReplyFailure &) {
        failed = true;
    }
    QCOMPARE(failed, fails);
    compareRecord(buds(n), expected);
    for (int other = 1; other <= 4; ++other)
        if (other != n)
            compareRecord(buds(other), oldRecord());
}

void TestAlarmRecord::timeRule_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QTime>("expected"); // a null QTime: rejected

    QTest::newRow("H:MM") << "7:05" << QTime(7, 5);
    QTest::newRow("H:M") << "7:5" << QTime(7, 5);
    QTest::newRow("HH:MM") << "00:00" << QTime(0, 0);
    QTest::newRow("H:MM:SS") << "7:05:00" << QTime(7, 5);
    QTest::newRow("H:M:S") << "7:5:9" << QTime(7, 5, 9);
    QTest::newRow("max") << "23:59:59" << QTime(23, 59, 59);
    QTest::newRow("leading zeros") << "07:05:09" << QTime(7, 5, 9);
    QTest::newRow("twenty") << "20:00" << QTime(20, 0);
    QTest::newRow("nineteen") << "19:9" << QTime(19, 9);

    const char *rejected[] = {
        "", "7", "7:", ":05", "7::05", "7:05:", "24:00", "7:60", "7:05:60",
        "123:00", "29:00", "7:005", "7:05:000", " 7:05", "7:05 ", "7: 05", "+7:05", "-1:00",
        "7.05", "7-05", "7:05:00:00", "7:05 PM", "?:??", "7:o5",
        "\u0667:\u0660\u0665", // Arabic-Indic digits
        "\uFF17:\uFF10\uFF15", // full-width digits
    };
    for (const char *text : rejected)
        QTest::addRow("reject '%s'", text) << QString::fromUtf8(text) << QTime();
}

void TestAlarmRecord::timeRule()
{
    QFETCH(QString, text);
    QFETCH(QTime, expected);

    const std::optional<QTime> t = parseTimeText(text);
    QCOMPARE(t.has_value(), expected.isValid());
    if (t)
        QCOMPARE(*t, expected);
    // The regular expression says the same.
    static const QRegularExpression pattern{QString(kTimeTextPattern)};
    QCOMPARE(pattern.match(text).hasMatch(), expected.isValid());
}

void TestAlarmRecord::formats_data()
{
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("hnn");
    QTest::addColumn<QString>("hns");

    QTest::newRow("7:05") << QTime(7, 5) << "7:05" << "7:5:0";
    QTest::newRow("midnight") << QTime(0, 0) << "0:00" << "0:0:0";
    QTest::newRow("13:45") << QTime(13, 45) << "13:45" << "13:45:0";
    QTest::newRow("seconds") << QTime(13, 45, 30) << "13:45" << "13:45:30";
    QTest::newRow("last") << QTime(23, 59, 59) << "23:59" << "23:59:59";
    QTest::newRow("invalid") << QTime() << "?:??" << "?:??";
}

void TestAlarmRecord::formats()
{
    QFETCH(QTime, time);
    QFETCH(QString, hnn);
    QFETCH(QString, hns);

    QCOMPARE(formatHnn(time), hnn);
    QCOMPARE(formatHns(time), hns);
}

// Every text of up to five characters, as many as the editor takes, over
// digits, colon, blank and a few others: the rule accepts exactly the texts
// of one or two digits per part, and what it accepts survives the caption and
// the set command unchanged.
void TestAlarmRecord::everyAcceptedShortTextRoundTrips()
{
    const QString alphabet = QStringLiteral("0123456789: a?");
    const auto isTime = [](const QString &text) {
        const QStringList parts = text.split(u':');
        if (parts.size() < 2 || parts.size() > 3)
            return false;
        for (qsizetype i = 0; i < parts.size(); ++i) {
            const QString &part = parts[i];
            if (part.isEmpty() || part.size() > 2)
                return false;
            for (QChar c : part)
                if (c < u'0' || c > u'9')
                    return false;
            if (part.toInt() > (i == 0 ? 23 : 59))
                return false;
        }
        return true;
    };

    int accepted = 0;
    QString text;
    std::array<qsizetype, 5> digit{};
    for (int length = 0; length <= 5; ++length) {
        digit.fill(0);
        for (;;) {
            text.resize(length);
            for (int i = 0; i < length; ++i)
                text[i] = alphabet[digit[static_cast<std::size_t>(i)]];

            const std::optional<QTime> t = parseTimeText(text);
            if (t.has_value() != isTime(text))
                QFAIL(qPrintable("wrong verdict on '" + text + "'"));
            if (t) {
                ++accepted;
                if (parseTimeText(formatHns(*t)) != t)
                    QFAIL(qPrintable("h:n:s of '" + text + "' does not read back"));
                if (parseTimeText(formatHnn(*t)) != QTime(t->hour(), t->minute()))
                    QFAIL(qPrintable("h:nn of '" + text + "' does not read back"));
            }

            int i = length - 1; // next text: count in base alphabet.size()
            while (i >= 0 && ++digit[static_cast<std::size_t>(i)] == alphabet.size())
                digit[static_cast<std::size_t>(i--)] = 0;
            if (i < 0)
                break;
        }
    }
    // Hours 0-9 or 00-23, minutes 0-9 or 00-59; with seconds only H:M:S fits.
    QCOMPARE(accepted, (10 + 24) * (10 + 60) + 10 * 10 * 10);
}

QTEST_GUILESS_MAIN(TestAlarmRecord)
#include "tst_alarm_record.moc"
