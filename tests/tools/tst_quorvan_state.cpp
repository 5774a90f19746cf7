// The simulator's answers, read the way the client reads them.

#include "command_texts.h"
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

} // namespace

class TstQuorvanState : public QObject {
    Q_OBJECT
private slots:
    void initialReplies_data();
    void initialReplies();
    void skinRepliesHaveClientShape();
    void alarmListHasFourLinesOfEightFields();
    void cyrillicGoesOutAsWindows1251();
    void cyrillicRingComesInFromWindows1251();
    void setCommands_data();
    void setCommands();
    void badInput_data();
    void badInput();
    void noReply_data();
    void noReply();
    void weekendModeSwitchesAlarmsOffAndBack();
    void skinSelectionStartsAtFirstStyle();
    void withoutBrightness();
    void saveClearsUnsavedChanges();
    void alarmTime_data();
    void alarmTime();
};

void TstQuorvanState::initialReplies_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("reply");
    QTest::newRow("ping") << "ping" << "ping";
    QTest::newRow("Gsk?") << "Gsk?"
                          << "Gsk?|0|6|0|Classic|240|120|0|1|1|Day.stl|Night.stl|Blue.stl";
    QTest::newRow("Gsk1 echoes its head")
        << "Gsk1" << "Gsk1|0|6|1|Электроника|200|80|1|0|0|Зелёный.stl|Красный.stl";
    QTest::newRow("Gsk3 one style") << "Gsk3" << "Gsk3|0|6|3|Ретро|320|320|2|1|0|Сепия.stl";
    QTest::newRow("GfaT") << "GfaT" << "GfaT|80|20|100|1|0|10|20|30|40|50|60|70|80|90|100";
    QTest::newRow("GfaB") << "GfaB" << "GfaB|75|25|100|1|0|25|50|75|100";
    QTest::newRow("Gfa*") << "Gfa*" << "Gfa*|0|1|0|0|1|1";
    QTest::newRow("Gbd*") << "Gbd*" << kGbdAll;
    QTest::newRow("Gbd1") << "Gbd1" << "Gbd1|1|7:05:00|1|Подъём!|5|3|1|0";
    QTest::newRow("Gbd4 empty ring") << "Gbd4" << "Gbd4|4|22:00:00|0||0|0|1|1";
}

void TstQuorvanState::initialReplies()
{
    QFETCH(QString, command);
    QFETCH(QString, reply);
    QuorvanState s;
    QCOMPARE(s.answer(command).value_or(QStringLiteral("<none>")), reply);
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

void TstQuorvanState::alarmListHasFourLinesOfEightFields()
{
    QuorvanState s;
    const QStringList lines = payloadOf(*s.answer(QStringLiteral("Gbd*"))).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 4);
    for (int k = 1; k <= 4; ++k) {
        const proto::Fields f(lines[k - 1]);
        QCOMPARE(f.size(), 8);
        QCOMPARE(f.int16(0), k);
        QVERIFY(!f.text(1).contains(u'\r') && !f.text(7).contains(u'\n'));
    }
}

void TstQuorvanState::cyrillicGoesOutAsWindows1251()
{
    QuorvanState s;
    const QByteArray bytes = *s.answerDatagram("Gbd1");
    // "Подъём!" in Windows-1251
    QVERIFY(bytes.contains(QByteArray("|\xCF\xEE\xE4\xFA\xB8\xEC!|")));
    QCOMPARE(s.answerDatagram("Sbd9|1")->left(5), QByteArray("Err3|"));
    QCOMPARE(*s.answerDatagram("Sbd9|1"), ansi::encode(QStringLiteral("Err3|Нет будильника с таким номером")));
}

void TstQuorvanState::cyrillicRingComesInFromWindows1251()
{
    QuorvanState s;
    const QByteArray command = "Sbd2|6:00:00|1|" + ansi::encode(QStringLiteral("Звонок утром"));
    QCOMPARE(*s.answerDatagram(command), QByteArray("Err0|"));
    QCOMPARE(s.alarm(2).ring, QStringLiteral("Звонок утром"));
}

void TstQuorvanState::setCommands_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("read");
    QTest::addColumn<QString>("expected");
    QTest::newRow("alarm with ring") << "Sbd2|6:30:15|1|Морской бриз" << "Gbd2"
                                     << "Gbd2|2|6:30:15|1|Морской бриз|10|1|0|1";
    QTest::newRow("alarm h:n:s keeps ring") << "Sbd2|7:5:0|1" << "Gbd2"
                                            << "Gbd2|2|7:05:00|1|Beep|10|1|0|1";
    QTest::newRow("alarm h:mm") << "Sbd3|0:00|0" << "Gbd3" << "Gbd3|3|0:00:00|0|Обед|0|0|0|0";
    QTest::newRow("alarm empty ring field") << "Sbd1|7:5:0|1|" << "Gbd1"
                                            << "Gbd1|1|7:05:00|1||5|3|1|0";
    QTest::newRow("active off") << "Sbd1|0" << "Gbd1" << "Gbd1|1|7:05:00|0|Подъём!|5|3|1|0";
    QTest::newRow("active on") << "Sbd4|1" << "Gbd4" << "Gbd4|4|22:00:00|1||0|0|1|1";
    QTest::newRow("flag 0 on") << "Sfa0" << "Gfa*" << "Gfa*|1|1|0|0|1|1";
    QTest::newRow("flag 1 off") << "Sfa1" << "Gfa*" << "Gfa*|0|0|0|0|1|1";
    QTest::newRow("flag 3 on") << "Sfa3" << "Gfa*" << "Gfa*|0|1|0|1|1|1";
    QTest::newRow("transparency") << "SfaT|50|10|90|0" << "GfaT"
                                  << "GfaT|50|10|90|0|0|10|20|30|40|50|60|70|80|90|100";
    QTest::newRow("transparency mode in flags") << "SfaT|50|10|90|0" << "Gfa*"
                                                << "Gfa*|0|1|0|0|0|1";
    QTest::newRow("brightness") << "SfaB|100|0|80" << "GfaB" << "GfaB|100|0|80|1|0|25|50|75|100";
    QTest::newRow("skin") << "Ssk1" << "Gsk?"
                          << "Gsk?|0|6|1|Электроника|200|80|1|0|0|Зелёный.stl|Красный.stl";
    QTest::newRow("last skin") << "Ssk6" << "Gsk?" << "Gsk?|0|6|6|Digital LCD|220|70|1|1|0|Amber.stl";
    QTest::newRow("style") << "Sst2" << "Gsk?"
                           << "Gsk?|0|6|0|Classic|240|120|0|1|2|Day.stl|Night.stl|Blue.stl";
    QTest::newRow("silence") << "Sbd0" << "Gbd*" << kGbdAll;
    QTest::newRow("save") << "Sss1" << "Gbd*" << kGbdAll;
}

void TstQuorvanState::setCommands()
{
    QFETCH(QString, command);
    QFETCH(QString, read);
    QFETCH(QString, expected);
    QuorvanState s;
    QCOMPARE(s.answer(command).value_or(QString()), QStringLiteral("Err0|"));
    QCOMPARE(s.answer(read).value_or(QString()), expected);
}

void TstQuorvanState::badInput_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("code");
    QTest::newRow("unknown word") << "Xyz1" << 1;
    QTest::newRow("too short") << "Gb" << 1;
    QTest::newRow("ping with field") << "ping|1" << 1;
    QTest::newRow("Gbd no selector") << "Gbd" << 1;
    QTest::newRow("Gfa lower t") << "Gfat" << 1;
    QTest::newRow("read with fields") << "Gbd*|x" << 2;
    QTest::newRow("read alarm 0") << "Gbd0" << 3;
    QTest::newRow("read alarm 5") << "Gbd5" << 3;
    QTest::newRow("read skin 7") << "Gsk7" << 11;
    QTest::newRow("alarm 5") << "Sbd5|1" << 3;
    QTest::newRow("alarm 0 with field") << "Sbd0|1" << 3;
    QTest::newRow("alarm without fields") << "Sbd2" << 2;
    QTest::newRow("alarm word selector") << "Sbdx|1" << 1;
    QTest::newRow("hour 24") << "Sbd1|24:00:00|1" << 4;
    QTest::newRow("minute 60") << "Sbd1|7:60|1" << 4;
    QTest::newRow("hour only") << "Sbd1|7|1" << 4;
    QTest::newRow("empty time") << "Sbd1||1" << 4;
    QTest::newRow("active 2") << "Sbd1|7:5:0|2" << 5;
    QTest::newRow("active word") << "Sbd1|yes" << 5;
    QTest::newRow("active empty") << "Sbd1|" << 5;
    QTest::newRow("ring with bar") << "Sbd1|7:5:0|1|ab|cd" << 6;
    QTest::newRow("ring with CR LF") << "Sbd1|7:5:0|1|ab\r\ncd" << 6;
    QTest::newRow("flag 4") << "Sfa4" << 13;
    QTest::newRow("flag -1") << "Sfa-1" << 13;
    QTest::newRow("flag with field") << "Sfa1|1" << 2;
    QTest::newRow("transparency no fields") << "SfaT" << 2;
    QTest::newRow("transparency 3 fields") << "SfaT|50|0|100" << 2;
    QTest::newRow("level not listed") << "SfaT|55|0|100|1" << 7;
    QTest::newRow("bounds reversed") << "SfaT|50|90|10|1" << 8;
    QTest::newRow("bound word") << "SfaT|50|x|100|1" << 8;
    QTest::newRow("mode 2") << "SfaT|50|0|100|2" << 9;
    QTest::newRow("brightness level") << "SfaB|60|0|100" << 7;
    QTest::newRow("brightness 2 fields") << "SfaB|50|0" << 2;
    QTest::newRow("skin 7") << "Ssk7" << 11;
    QTest::newRow("skin -1") << "Ssk-1" << 11;
    QTest::newRow("skin with field") << "Ssk1|2" << 2;
    QTest::newRow("style 3 of 3") << "Sst3" << 12;
    QTest::newRow("save 2") << "Sss2" << 1;
    QTest::newRow("save with bar") << "Sss1|" << 2;
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

void TstQuorvanState::noReply_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("empty") << "";
    QTest::newRow("success outcome") << "Err0|";
    QTest::newRow("error outcome") << "Err5|x";
}

void TstQuorvanState::noReply()
{
    QFETCH(QString, command);
    QuorvanState s;
    QVERIFY(!s.answer(command).has_value());
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
    const proto::Fields f(payloadOf(*s.answer(QStringLiteral("GfaB"))));
    QCOMPARE(f.size(), 4);
    QVERIFY(!f.boolean(3));
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

void TstQuorvanState::alarmTime_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // empty: rejected
    QTest::newRow("h:n:s") << "7:5:0" << "07:05:00";
    QTest::newRow("hh:mm") << "07:05" << "07:05:00";
    QTest::newRow("h:mm") << "0:00" << "00:00:00";
    QTest::newRow("latest") << "23:59:59" << "23:59:59";
    QTest::newRow("hour 24") << "24:00" << "";
    QTest::newRow("second 60") << "7:5:60" << "";
    QTest::newRow("three digits") << "7:005" << "";
    QTest::newRow("four parts") << "7:5:0:0" << "";
    QTest::newRow("blank") << " 7:05" << "";
    QTest::newRow("letters") << "a:b" << "";
}

void TstQuorvanState::alarmTime()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const std::optional<QTime> t = sim::parseAlarmTime(text);
    QCOMPARE(t ? t->toString(QStringLiteral("HH:mm:ss")) : QString(), expected);
}

QTEST_GUILESS_MAIN(TstQuorvanState)
#include "tst_quorvan_state.moc"
