// Command texts as they go on the wire, and replies taken apart.
#include "protocol/protocol.h"
#include "protocol/reply_fields.h"

#include <QTest>

namespace {
constexpr int kFails = 99999; // no 16-bit number
}

class TstProtocol : public QObject {
    Q_OBJECT

private slots:
    void commandText_data();
    void commandText();
    void splitReply_data();
    void splitReply();
    void replyNumber_data();
    void replyNumber();
};

void TstProtocol::commandText_data()
{
    QTest::addColumn<QString>("actual");
    QTest::addColumn<QString>("expected");

    const QString zvonok = QString::fromUtf8("\u0417\u0432\u043E\u043D\u043E\u043A");
    QTest::newRow("ping") << proto::ping() << "ping";
    QTest::newRow("read 1") << proto::readCommand(1) << "Gsk?";
    QTest::newRow("read 2") << proto::readCommand(2) << "GfaT";
    QTest::newRow("read 3") << proto::readCommand(3) << "GfaB";
    QTest::newRow("read 4") << proto::readCommand(4) << "Gfa*";
    QTest::newRow("read 5") << proto::readCommand(5) << "Gbd*";
    QTest::newRow("read 0") << proto::readCommand(0) << "";
    QTest::newRow("read 6") << proto::readCommand(6) << "";
    QTest::newRow("alarm get") << proto::alarmGet(4) << "Gbd4";
    QTest::newRow("set, no ring") << proto::alarmSet(1, "7:5:0", 1, "") << "Sbd1|7:5:0|1";
    QTest::newRow("set, ring of 4") << proto::alarmSet(3, "6:30:0", 1, "abcd") << "Sbd3|6:30:0|1";
    QTest::newRow("set, ring of 5") << proto::alarmSet(3, "6:30:0", 1, "abcde")
                                    << "Sbd3|6:30:0|1|abcde";
    QTest::newRow("set, Cyrillic ring") << proto::alarmSet(4, "23:59:59", 0, zvonok)
                                        << "Sbd4|23:59:59|0|" + zvonok;
    QTest::newRow("set, ring with bars") << proto::alarmSet(1, "1:2:3", 1, "a|b|c")
                                         << "Sbd1|1:2:3|1|a|b|c";
    QTest::newRow("set, four blanks") << proto::alarmSet(1, "1:2:3", 1, "    ") << "Sbd1|1:2:3|1";
    QTest::newRow("set, five blanks") << proto::alarmSet(1, "1:2:3", 1, "     ")
                                      << "Sbd1|1:2:3|1|     ";
    // Four emoji are eight UTF-16 units but four characters on the wire.
    QTest::newRow("set, four emoji") << proto::alarmSet(1, "1:2:3", 1, QString::fromUtf8("\U0001F600\U0001F600\U0001F600\U0001F600"))
                                     << "Sbd1|1:2:3|1";
    const QString halfPair = QStringLiteral("abcd") + QChar(char16_t(0xD83D));
    QTest::newRow("set, half a pair at the end counts") << proto::alarmSet(1, "1:2:3", 1, halfPair)
                                                        << "Sbd1|1:2:3|1|" + halfPair;
    QTest::newRow("active on") << proto::alarmActive(2, 1) << "Sbd2|1";
    QTest::newRow("active off") << proto::alarmActive(4, 0) << "Sbd4|0";
    QTest::newRow("stop") << proto::alarmStop() << "Sbd0";
    QTest::newRow("toggle") << proto::alarmToggle() << "Sbd1";
    QTest::newRow("face flag") << proto::faceFlag(3) << "Sfa3";
    QTest::newRow("transparency") << proto::transparencySet("50", "10", "90", 1) << "SfaT|50|10|90|1";
    QTest::newRow("dimming, empty texts") << proto::transparencySet("", "", "", 0) << "SfaT||||0";
    QTest::newRow("brightness") << proto::brightnessSet("5", "0", "10") << "SfaB|5|0|10";
    QTest::newRow("brightness kept as typed") << proto::brightnessSet(" 5", "0 ", "1e1")
                                              << "SfaB| 5|0 |1e1";
    QTest::newRow("skin 0") << proto::skinSelect(0) << "Ssk0";
    QTest::newRow("skin 12") << proto::skinSelect(12) << "Ssk12";
    QTest::newRow("skin negative") << proto::skinSelect(-1) << "Ssk-1";
    QTest::newRow("style") << proto::styleSelect(7) << "Sst7";
    QTest::newRow("save") << proto::saveAll() << "Sss1";
}

void TstProtocol::commandText()
{
    QFETCH(QString, actual);
    QFETCH(QString, expected);
    QCOMPARE(actual, expected);
}

void TstProtocol::splitReply_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("head");
    QTest::addColumn<QString>("payload");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("selector");

    QTest::newRow("all alarms") << "Gbd*|a|b\r\nc|d" << "Gbd*" << "a|b\r\nc|d" << "Gbd" << "*";
    QTest::newRow("number") << "Gbd12|x" << "Gbd12" << "x" << "Gbd" << "12";
    QTest::newRow("empty payload") << "Err0|" << "Err0" << "" << "Err" << "0";
    QTest::newRow("no bar") << "Err5" << "Err5" << "" << "Err" << "5";
    QTest::newRow("word only") << "Err" << "Err" << "" << "Err" << "";
    QTest::newRow("short head") << "Er|x" << "Er" << "x" << "Er" << "";
    QTest::newRow("bar first") << "|x|y" << "" << "x|y" << "" << "";
    QTest::newRow("blanks kept") << "Err 5 | x " << "Err 5 " << " x " << "Err" << " 5 ";
    QTest::newRow("pingpong") << "pingpong" << "pingpong" << "" << "pin" << "gpong";
    QTest::newRow("empty") << "" << "" << "" << "" << "";
}

void TstProtocol::splitReply()
{
    QFETCH(QString, text);
    const proto::Reply r = proto::splitReply(text);
    QTEST(r.head, "head");
    QTEST(r.payload, "payload");
    QTEST(r.word, "word");
    QTEST(r.selector, "selector");
}

void TstProtocol::replyNumber_data()
{
    QTest::addColumn<QString>("selector");
    QTest::addColumn<int>("number"); // kFails: a ReplyFailure

    QTest::newRow("empty") << "" << -1;
    QTest::newRow("star") << "*" << -1;
    QTest::newRow("query") << "?" << -1;
    QTest::newRow("T") << "T" << -1;
    QTest::newRow("hex") << "0x10" << -1;
    QTest::newRow("comma") << "1,5" << -1;
    QTest::newRow("plain") << "5" << 5;
    QTest::newRow("blanks") << " 5 " << 5;
    QTest::newRow("minus one") << "-1" << -1;
    QTest::newRow("half to even") << "2.5" << 2;
    QTest::newRow("exponent") << "1e2" << 100;
    QTest::newRow("top") << "32767" << 32767;
    QTest::newRow("bottom") << "-32768" << -32768;
    QTest::newRow("32768") << "32768" << kFails;
    QTest::newRow("32767.5") << "32767.5" << kFails;
    QTest::newRow("-32769") << "-32769" << kFails;
    QTest::newRow("long") << "99999999999" << kFails;
    QTest::newRow("exponent out of range") << "1e9" << kFails;
    QTest::newRow("huge exponent") << "1e400" << kFails;
}

void TstProtocol::replyNumber()
{
    QFETCH(QString, selector);
    int number = kFails;
    try {
        number = proto::replyNumber(selector);
    } catch (const proto::ReplyFailure &) {
    }
    QTEST(number, "number");
}

QTEST_GUILESS_MAIN(TstProtocol)
#include "tst_protocol.moc"
