// The simulator over a real UDP socket on 127.0.0.1.

#include "support/sim_fixture.h"

#include "common/ansi.h"

#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QTest>
#include <QUdpSocket>

using sim::SimServer;

namespace {

// Everything that arrives at the client within timeoutMs, waiting until
// at least count datagrams are there.
QList<QByteArray> receive(QUdpSocket &client, int count, int timeoutMs = 5000)
{
    QList<QByteArray> got;
    QElapsedTimer clock;
    clock.start();
    while (got.size() < count && clock.elapsed() < timeoutMs) {
        if (!client.hasPendingDatagrams())
            QTest::qWait(5);
        while (client.hasPendingDatagrams())
            got << client.receiveDatagram().data();
    }
    return got;
}

} // namespace

class TstSimServer : public QObject {
    Q_OBJECT
private slots:
    void answersEveryPendingDatagram();
    void dropsEverythingAtHundredPercent();
    void floodSendsRepliesThenAnswersNormally();
    void bindAddresses_data();
    void bindAddresses();
};

void TstSimServer::bindAddresses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected"); // empty: refused

    QTest::newRow("one") << "127.0.0.1" << QStringList{"127.0.0.1"};
    QTest::newRow("any") << "0.0.0.0" << QStringList{"0.0.0.0"};
    QTest::newRow("range") << "127.0.1.254-127.0.2.1"
                           << QStringList{"127.0.1.254", "127.0.1.255", "127.0.2.0", "127.0.2.1"};
    QTest::newRow("range of one") << "127.0.1.5-127.0.1.5" << QStringList{"127.0.1.5"};
    QTest::newRow("backwards") << "127.0.1.9-127.0.1.1" << QStringList{};
    QTest::newRow("too long") << "127.0.0.1-127.0.4.1" << QStringList{}; // over the cap of 8 below
    QTest::newRow("open end") << "127.0.1.1-" << QStringList{};
    QTest::newRow("IPv6 range") << "::1-::2" << QStringList{};
    QTest::newRow("word") << "localhost" << QStringList{};
}

void TstSimServer::bindAddresses()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    const auto got = sim::bindAddresses(text, 8);
    QCOMPARE(got.has_value(), !expected.isEmpty());
    QStringList texts;
    for (const QHostAddress &a : got.value_or(QList<QHostAddress>{}))
        texts << a.toString();
    if (got)
        QCOMPARE(texts, expected);
}

// A burst with a zero-length datagram first: it gets no answer but must be
// read, or the two commands behind it are never answered.
void TstSimServer::answersEveryPendingDatagram()
{
    SimFixture server;
    QVERIFY(server.started);
    QVERIFY(server.port() != 0);

    QUdpSocket client;
    QVERIFY(client.bind(QHostAddress::LocalHost, 0));
    const QHostAddress to(QHostAddress::LocalHost);
    client.writeDatagram(QByteArray(), to, server.port());
    client.writeDatagram("ping", to, server.port());
    client.writeDatagram("Gbd*", to, server.port());

    const QList<QByteArray> got = receive(client, 2);
    QCOMPARE(got.size(), 2);
    QCOMPARE(got[0], QByteArray("ping"));
    QCOMPARE(got[1], ansi::encode(server.state().allAlarmsReply()));
    QVERIFY(got[1].startsWith("Gbd*|1|7:05:00|1|"));
    QCOMPARE(got[1].count("\r\n"), 3);
    QCOMPARE(server.receivedCount(), 3);
}

void TstSimServer::dropsEverythingAtHundredPercent()
{
    SimFixture server([](auto &o) {
        o.dropPercent = 100;
        o.seed = 1;
    });
    QVERIFY(server.started);

    QUdpSocket client;
    QVERIFY(client.bind(QHostAddress::LocalHost, 0));
    client.writeDatagram("ping", QHostAddress(QHostAddress::LocalHost), server.port());
    QTRY_COMPARE(server.droppedCount(), 1);
    QVERIFY(receive(client, 1, 100).isEmpty());
}

void TstSimServer::floodSendsRepliesThenAnswersNormally()
{
    SimFixture server([](auto &o) { o.flood = 200; });
    QVERIFY(server.started);
    QSignalSpy finished(&server, &SimServer::floodFinished);

    QUdpSocket client;
    QVERIFY(client.bind(QHostAddress::LocalHost, 0));
    client.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 1 << 20);
    const QHostAddress to(QHostAddress::LocalHost);
    client.writeDatagram("ping", to, server.port());
    QTRY_COMPARE(finished.size(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), 200);

    QList<QByteArray> got = receive(client, 201);
    QCOMPARE(got.size(), 201);
    QCOMPARE(got.count(QByteArray("ping")), 1);
    QSet<QByteArray> kinds;
    for (const QByteArray &d : got)
        kinds.insert(d.left(3));
    QCOMPARE(kinds, (QSet<QByteArray>{"pin", "Gbd", "Gsk", "Gfa"}));

    // The same client is not flooded again.
    client.writeDatagram("Gfa*", to, server.port());
    got = receive(client, 1);
    QCOMPARE(got, QList<QByteArray>{QByteArray("Gfa*|0|1|0|0|1|1")});
    QVERIFY(receive(client, 1, 100).isEmpty());
    QCOMPARE(finished.size(), 1);
}

QTEST_GUILESS_MAIN(TstSimServer)
#include "tst_sim_server.moc"
