// The simulator's answers, read the way the client reads them.

#include "quorvan_state.h"

#include "common/ansi.h"
#include "common/number.h"
#include "protocol/reply_fields.h"

#include <QTest>

using sim::QuorvanState;

namespace {

const QString kGbdAll = QStringLiteral(
    "Gbd*|1|7:05:00|1|Подъём!|5|3|1|0\r\n"
    "2|8:30:00|0|Beep|10|1|0|1\r\n"
    "3|13:45:30|1|Обед|0|0|0|0\r\n"
    "4|22:00:00|0||0|0|1|1");

// Everything a client can read, to see that a rejected command changed nothing.
QStringList readAll(QuorvanState &s)
{
    QStringList out;
    for (const char *c : {"Gsk?", "GfaT", "GfaB", "Gfa*", "Gbd*"})
        out << s.answer(QString::fromLatin1(c)).value_or(QString());
    return out;
}

QString payloadOf(const QString &reply) { return reply.mid(reply.indexOf(u'|') + 1); }

// A row of replies(): the answer to read, after set (if any) answered "Err0|".
void answerRow(const char *name, const QString &read, const QString &expected, const QString &set = {})
{
    QTest::newRow(name) << set << read << expected;
}

} // namespace

class TstQuorvanState : public QObject {
    Q_OBJECT
private slots:
    void replies_data();
    void replies();
    void skinRepliesHaveClientShape();
    void windows1251BothWays();
    void badInput_data();
    void badInput();
    void weekendModeSwitchesAlarmsOffAndBack();
    void skinSelectionStartsAtFirstStyle();
    void withoutBrightness();
    void saveClearsUnsavedChanges();
};

void TstQuorvanState::replies_data()
{
    QTest::addColumn<QString>("set");
    QTest::addColumn<QString>("read");
    QTest::addColumn<QString>("expected"); // "<none>": no answer at all

    answerRow("ping", "ping", "ping");
    answerRow("Gsk?", "Gsk?", "Gsk?|0|6|0|Classic|240|120|0|1|1|Day.stl|Night.stl|Blue.stl");
    answerRow("Gsk1 echoes its head", "Gsk1", "Gsk1|0|6|1|Электроника|200|80|1|0|0|Зелёный.stl|Красный.stl");
    answerRow("Gsk3 one style", "Gsk3", "Gsk3|0|6|3|Ретро|320|320|2|1|0|Сепия.stl");
    answerRow("GfaT", "GfaT", "GfaT|80|20|100|1|0|10|20|30|40|50|60|70|80|90|100");
    answerRow("GfaB", "GfaB", "GfaB|75|25|100|1|0|25|50|75|100");
    answerRow("Gfa*", "Gfa*", "Gfa*|0|1|0|0|1|1");
    answerRow("Gbd*", "Gbd*", kGbdAll);
    answerRow("Gbd1", "Gbd1", "Gbd1|1|7:05:00|1|Подъём!|5|3|1|0");
    answerRow("Gbd4 empty ring", "Gbd4", "Gbd4|4|22:00:00|0||0|0|1|1");
    answerRow("empty", "", "<none>");
    answerRow("success outcome", "Err0|", "<none>");
    answerRow("error outcome", "Err5|x", "<none>");

    answerRow("alarm with ring", "Gbd2", "Gbd2|2|6:30:15|1|Морской бриз|10|1|0|1", "Sbd2|6:30:15|1|Морской бриз");
    answerRow("alarm h:n:s keeps ring", "Gbd2", "Gbd2|2|7:05:00|1|Beep|10|1|0|1", "Sbd2|7:5:0|1");
    answerRow("alarm h:mm", "Gbd3", "Gbd3|3|0:00:00|0|Обед|0|0|0|0", "Sbd3|0:00|0");
    answerRow("alarm hh:mm", "Gbd3", "Gbd3|3|7:05:00|1|Обед|0|0|0|0", "Sbd3|07:05|1");
    answerRow("alarm latest", "Gbd3", "Gbd3|3|23:59:59|1|Обед|0|0|0|0", "Sbd3|23:59:59|1");
    answerRow("alarm empty ring field", "Gbd1", "Gbd1|1|7:05:00|1||5|3|1|0", "Sbd1|7:5:0|1|");
    answerRow("active off", "Gbd1", "Gbd1|1|7:05:00|0|Подъём!|5|3|1|0", "Sbd1|0");
    answerRow("active on", "Gbd4", "Gbd4|4|22:00:00|1||0|0|1|1", "Sbd4|1");
    answerRow("flag 0 on", "Gfa*", "Gfa*|1|1|0|0|1|1", "Sfa0");
    answerRow("flag 1 off", "Gfa*", "Gfa*|0|0|0|0|1|1", "Sfa1");
    answerRow("flag 3 on", "Gfa*", "Gfa*|0|1|0|1|1|1", "Sfa3");
    answerRow("transparency", "GfaT", "GfaT|50|10|90|0|0|10|20|30|40|50|60|70|80|90|100", "SfaT|50|10|90|0");
    answerRow("transparency mode in flags", "Gfa*", "Gfa*|0|1|0|0|0|1", "SfaT|50|10|90|0");
    answerRow("brightness", "GfaB", "GfaB|100|0|80|1|0|25|50|75|100", "SfaB|100|0|80");
    answerRow("brightness, equal bounds", "GfaB", "GfaB|50|50|50|1|0|25|50|75|100", "SfaB|50|50|50");
    answerRow("skin", "Gsk?", "Gsk?|0|6|1|Электроника|200|80|1|0|0|Зелёный.stl|Красный.stl", "Ssk1");
    answerRow("last skin", "Gsk?", "Gsk?|0|6|6|Digital LCD|220|70|1|1|0|Amber.stl", "Ssk6");
    answerRow("style", "Gsk?", "Gsk?|0|6|0|Classic|240|120|0|1|2|Day.stl|Night.stl|Blue.stl", "Sst2");
    answerRow("silence", "Gbd*", kGbdAll, "Sbd0");
    answerRow("save", "Gbd*", kGbdAll, "Sss1");
}

void TstQuorvanState::replies()
{
    QFETCH(QString, set);
    QFETCH(QString, read);
    QuorvanState s;
    if (!set.isEmpty())
        QCOMPARE(s.answer(set).value_or(QString()), QStringLiteral("Err0|"));
    QTEST(s.answer(read).value_or(QStringLiteral("<none>")), "expected");
}

// Every skin through "Gsk" + n: three numbers, then a description of at
// least seven fields whose style index names an entry of four or more
// characters (the client cuts the last four).
void TstQuorvanState::skinRepliesHaveClientShape()
{
    QuorvanState s;
    QVERIFY(s.skins().size() >= 5);
    for (int n = 0; n < s.skins().size(); ++n) {
        const QString reply = *s.answer(QStringLiteral("Gsk") + QString::number(n));
        const proto::Fields head(payloadOf(reply), 4);
        QCOMPARE(head.size(), 4);
        QCOMPARE(head.int16(0), 0);
        QCOMPARE(head.int16(1), s.skins().size() - 1);
        QCOMPARE(head.int16(2), n);
        const proto::Fields desc(head.text(3));
        QVERIFY(desc.size() >= 7);
        for (int p = 1; p <= 4; ++p)
            QVERIFY(num::toInt16(desc.text(p)).has_value());
        const int style = desc.int16(5);
        QVERIFY(style >= 0 && 6 + style < desc.size());
        for (qsizetype i = 6; i < desc.size(); ++i)
            QVERIFY2(desc.text(i).size() > 4, qPrintable(desc.text(i)));
    }
}

void TstQuorvanState::windows1251BothWays()
{
    QuorvanState s;
    // "Подъём!" in Windows-1251
    QVERIFY(s.answerDatagram("Gbd1")->contains(QByteArray("|\xCF\xEE\xE4\xFA\xB8\xEC!|")));
    QCOMPARE(*s.answerDatagram("Sbd9|1"), ansi::encode(QStringLiteral("Err3|Нет будильника с таким номером")));
    const QByteArray command = "Sbd2|6:00:00|1|" + ansi::encode(QStringLiteral("Звонок утром"));
    QCOMPARE(*s.answerDatagram(command), QByteArray("Err0|"));
    QCOMPARE(s.alarm(2).ring, QStringLiteral("Звонок утром"));
}

void TstQuorvanState::badInput_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("code");
    const auto bad = [](const char *name, const char *command, int code) { QTest::newRow(name) << command << code; };
    bad("unknown word", "Xyz1", 1);
    bad("too short", "Gb", 1);
    bad("ping with field", "ping|1", 1);
    bad("Gbd no selector", "Gbd", 1);
    bad("Gfa lower t", "Gfat", 1);
    bad("read with fields", "Gbd*|x", 2);
    bad("read alarm 0", "Gbd0", 3);
    bad("read alarm 5", "Gbd5", 3);
    bad("read skin 7", "Gsk7", 11);
    bad("alarm 5", "Sbd5|1", 3);
    bad("alarm 0 with field", "Sbd0|1", 3);
    bad("alarm without fields", "Sbd2", 2);
    bad("alarm word selector", "Sbdx|1", 1);
    bad("hour 24", "Sbd1|24:00:00|1", 4);
    bad("minute 60", "Sbd1|7:60|1", 4);
    bad("second 60", "Sbd1|7:5:60|1", 4);
    bad("hour only", "Sbd1|7|1", 4);
    bad("empty time", "Sbd1||1", 4);
    bad("three digits", "Sbd1|7:005|1", 4);
    bad("four parts", "Sbd1|7:5:0:0|1", 4);
    bad("blank", "Sbd1| 7:05|1", 4);
    bad("letters", "Sbd1|a:b|1", 4);
    bad("active 2", "Sbd1|7:5:0|2", 5);
    bad("active word", "Sbd1|yes", 5);
    bad("active empty", "Sbd1|", 5);
    bad("ring with bar", "Sbd1|7:5:0|1|ab|cd", 6);
    bad("ring with CR LF", "Sbd1|7:5:0|1|ab\r\ncd", 6);
    bad("flag 4", "Sfa4", 13);
    bad("flag -1", "Sfa-1", 13);
    bad("flag with field", "Sfa1|1", 2);
    bad("transparency no fields", "SfaT", 2);
    bad("transparency 3 fields", "SfaT|50|0|100", 2);
    bad("transparency 5 fields", "SfaT|50|0|100|1|1", 2);
    bad("level not listed", "SfaT|55|0|100|1", 7);
    bad("bounds reversed", "SfaT|50|90|10|1", 8);
    bad("bound word", "SfaT|50|x|100|1", 8);
    bad("mode 2", "SfaT|50|0|100|2", 9);
    bad("brightness level", "SfaB|60|0|100", 7);
    bad("brightness 2 fields", "SfaB|50|0", 2);
    bad("skin 7", "Ssk7", 11);
    bad("skin -1", "Ssk-1", 11);
    bad("skin with field", "Ssk1|2", 2);
    bad("style 3 of 3", "Sst3", 12);
    bad("save 2", "Sss2", 1);
    bad("save with bar", "Sss1|", 2);
}

void TstQuorvanState::badInput()
{
    QFETCH(QString, command);
    QFETCH(int, code);
    QuorvanState s;
    const QStringList before = readAll(s);
    const QString reply = s.answer(command).value_or(QString());
    const QString prefix = QStringLiteral("Err%1|").arg(code);
    QVERIFY2(reply.startsWith(prefix), qPrintable(reply));
    QVERIFY(reply.size() > prefix.size()); // a description follows
    QCOMPARE(readAll(s), before);
    QVERIFY(!s.unsavedChanges());
}

void TstQuorvanState::weekendModeSwitchesAlarmsOffAndBack()
{
    QuorvanState s; // alarms 1 and 3 are on
    QCOMPARE(*s.answer(QStringLiteral("Sbd1")), QStringLiteral("Err0|"));
    QVERIFY(s.weekendMode());
    for (int n = 1; n <= 4; ++n)
        QVERIFY(!s.alarm(n).active);
    // A choice made during the weekend survives the switch back.
    QCOMPARE(*s.answer(QStringLiteral("Sbd3|0")), QStringLiteral("Err0|"));
    QCOMPARE(*s.answer(QStringLiteral("Sbd2|1")), QStringLiteral("Err0|"));
    QCOMPARE(*s.answer(QStringLiteral("Sbd1")), QStringLiteral("Err0|"));
    QVERIFY(!s.weekendMode());
    QCOMPARE((std::array{s.alarm(1).active, s.alarm(2).active, s.alarm(3).active, s.alarm(4).active}),
             (std::array{true, true, false, false}));
}

void TstQuorvanState::skinSelectionStartsAtFirstStyle()
{
    QuorvanState s;
    QCOMPARE(*s.answer(QStringLiteral("Sst2")), QStringLiteral("Err0|"));
    QCOMPARE(*s.answer(QStringLiteral("Ssk4")), QStringLiteral("Err0|"));
    QCOMPARE(s.currentStyle(), 0);
    QCOMPARE(*s.answer(QStringLiteral("Sst3")), QStringLiteral("Err0|")); // skin 4 has four
    QCOMPARE(*s.answer(QStringLiteral("Ssk2")), QStringLiteral("Err0|"));
    QVERIFY(s.answer(QStringLiteral("Sst1"))->startsWith(u"Err12|")); // skin 2 has one
    QCOMPARE(s.currentStyle(), 0);
}

void TstQuorvanState::withoutBrightness()
{
    QuorvanState s(false);
    QCOMPARE(*s.answer(QStringLiteral("GfaB")), QStringLiteral("GfaB||||0"));
    QCOMPARE(*s.answer(QStringLiteral("Gfa*")), QStringLiteral("Gfa*|0|1|0|0|1|0"));
    QVERIFY(s.answer(QStringLiteral("SfaB|50|0|100"))->startsWith(u"Err10|"));
}

void TstQuorvanState::saveClearsUnsavedChanges()
{
    QuorvanState s;
    QVERIFY(!s.unsavedChanges());
    s.answer(QStringLiteral("Sfa2"));
    QVERIFY(s.unsavedChanges());
    QCOMPARE(*s.answer(QStringLiteral("Sss1")), QStringLiteral("Err0|"));
    QVERIFY(!s.unsavedChanges());
    QCOMPARE(s.saveCount(), 1);
}

QTEST_GUILESS_MAIN(TstQuorvanState)
#include "tst_quorvan_state.moc"
