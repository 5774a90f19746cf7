// What a command may carry, and whose datagrams count as replies.
#include "protocol/command_check.h"
#include "protocol/protocol.h"
#include "protocol/reply_source.h"

#include <QTest>

class TstWireRules : public QObject {
    Q_OBJECT

private slots:
    void fieldFault_data();
    void fieldFault();
    void commandFault_data();
    void commandFault();
    void fromServer_data();
    void fromServer();
};

void TstWireRules::fieldFault_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fault"); // a word of the reason; empty: none

    QTest::newRow("plain") << "Wake up" << "";
    QTest::newRow("Cyrillic") << "Пора вставать" << "";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("bar") << "ab|cd" << "«|»";
    QTest::newRow("LF") << "a\nb" << "перевод строки";
    QTest::newRow("CR") << "a\rb" << "перевод строки";
    QTest::newRow("NUL") << QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b")) << "NUL";
    QTest::newRow("emoji, named") << "Wake 😀 ok" << "«😀»";
}

void TstWireRules::fieldFault()
{
    QFETCH(QString, text);
    QFETCH(QString, fault);
    const auto why = proto::fieldFault(text);
    QCOMPARE(why.has_value(), !fault.isEmpty());
    if (why)
        QVERIFY2(why->contains(fault), qPrintable(*why));
}

void TstWireRules::commandFault_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("fits");

    QTest::newRow("a set command with bars") << "SfaT|40|20|100|0" << true;
    QTest::newRow("a whole datagram") << QString(proto::kMaxDatagram, u'G') << true;
    QTest::newRow("one byte beyond") << QString(proto::kMaxDatagram + 1, u'G') << false;
    QTest::newRow("a whole datagram of Cyrillic") << QString(proto::kMaxDatagram, u'Ж') << true;
    QTest::newRow("outside the code page") << "Sbd1|7:0:0|1|Ω ok" << false;
}

void TstWireRules::commandFault()
{
    QFETCH(QString, command);
    QTEST(!proto::commandFault(command).has_value(), "fits");
}

void TstWireRules::fromServer_data()
{
    QTest::addColumn<QString>("sender");
    QTest::addColumn<int>("port");
    QTest::addColumn<bool>("counts");

    // The server is 127.0.0.3:17777.
    QTest::newRow("the server") << "127.0.0.3" << 17777 << true;
    QTest::newRow("the server, IPv6-mapped") << "::ffff:127.0.0.3" << 17777 << true;
    QTest::newRow("another address") << "127.0.0.2" << 17777 << false;
    QTest::newRow("another port") << "127.0.0.3" << 40001 << false;
    QTest::newRow("an IPv6 sender") << "::1" << 17777 << false;
    QTest::newRow("no address") << "" << 17777 << false;
}

void TstWireRules::fromServer()
{
    QFETCH(QString, sender);
    QFETCH(int, port);
    const address::Endpoint server{QHostAddress(QStringLiteral("127.0.0.3")).toIPv4Address(), 17777};
    QTEST(proto::fromServer(QHostAddress(sender), quint16(port), server), "counts");
}

QTEST_GUILESS_MAIN(TstWireRules)
#include "tst_wire_rules.moc"
