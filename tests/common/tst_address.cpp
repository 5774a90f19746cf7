// The address and port checks, without a window.

#include "common/address.h"

#include <QHostAddress>
#include <QTest>

class TestAddress : public QObject {
    Q_OBJECT
private slots:
    void isValidIp_data();
    void isValidIp();
    void portOf_data();
    void portOf();
};

void TestAddress::isValidIp_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("sendsTo"); // empty: invalid

    QTest::newRow("plain") << "192.168.0.1" << "192.168.0.1";
    QTest::newRow("leading zeros are decimal") << "192.168.000.010" << "192.168.0.10";
    QTest::newRow("three parts") << "192.168.0" << "";
    QTest::newRow("256") << "192.168.0.256" << "";
    QTest::newRow("empty part") << "192.168..1" << "";
    QTest::newRow("fifth part ignored") << "192.168.0.1.7" << "192.168.0.1";
    QTest::newRow("trailing dot") << "192.168.0.1." << "192.168.0.1";
    QTest::newRow("junk after four parts") << "10.0.0.1.x.." << "10.0.0.1";
    QTest::newRow("minus zero") << "-0.0.0.0" << "0.0.0.0";
    QTest::newRow("plus sign") << "+10.0.0.1" << "10.0.0.1";
    QTest::newRow("minus one") << "-1.0.0.0" << "";
    QTest::newRow("blanks around parts") << " 10 . 0 .0. 1 " << "10.0.0.1";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("host name") << "kitchen-pc" << "";
    QTest::newRow("fraction inside") << "10.0.1.5e0.1" << "";
    QTest::newRow("hexadecimal") << "0x10.0.0.1" << "";
    QTest::newRow("exponent") << "1e2.0.0.1" << "";
    QTest::newRow("255s") << "255.255.255.255" << "255.255.255.255";
    QTest::newRow("huge number") << "99999999999999999999.0.0.1" << "";
    QTest::newRow("only dots") << "...." << "";
}

void TestAddress::isValidIp()
{
    QFETCH(QString, text);
    QFETCH(QString, sendsTo);
    QCOMPARE(address::IsValidIp(text), !sendsTo.isEmpty());
    const auto ip = address::ipv4Of(text);
    QCOMPARE(ip ? QHostAddress(*ip).toString() : QString(), sendsTo);
}

void TestAddress::portOf_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("port"); // -1: refused (0 and 65536 would also read as 0)
    QTest::newRow("default") << "17777" << 17777;
    QTest::newRow("lowest") << "1" << 1;
    QTest::newRow("highest") << "65535" << 65535;
    QTest::newRow("zero") << "0" << -1;
    QTest::newRow("too high") << "65536" << -1;
    QTest::newRow("negative") << "-5" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("letters") << "port" << -1;
    QTest::newRow("fraction") << "80.5" << -1;
    QTest::newRow("leading zeros") << "00080" << 80;
}

void TestAddress::portOf()
{
    QFETCH(QString, text);
    const auto p = address::portOf(text);
    QTEST(p ? int(*p) : -1, "port");
}

QTEST_APPLESS_MAIN(TestAddress)
#include "tst_address.moc"
