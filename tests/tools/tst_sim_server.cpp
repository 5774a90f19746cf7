// The simulator over a real UDP socket on 127.0.0.1.

#include "support/sim_fixture.h"
#include "support/udp_peer.h"

#include <QSignalSpy>
#include <QTest>

using sim::SimServer;

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
    QTest::newRow("one over the cap") << "127.0.0.1-127.0.0.9" << QStringList{};
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

    UdpPeer client;
    client.send(QByteArray(), server.port());
    client.send("ping", server.port());
    client.send("Gbd*", server.port());

    QVERIFY(client.waitFor(2));
    QCOMPARE(client.heard, (QStringList{"ping", server.state().allAlarmsReply()}));
    QCOMPARE(server.receivedCount(), 3);
}

void TstSimServer::dropsEverythingAtHundredPercent()
{
    SimFixture server([](auto &o) {
        o.dropPercent = 100;
        o.seed = 1;
    });
    QVERIFY(server.started);

    UdpPeer client;
    client.send("ping", server.port());
    QTRY_COMPARE(server.droppedCount(), 1);
    QCOMPARE(client.take(), QStringList{}); // an answer would be queued by now
}

void TstSimServer::floodSendsRepliesThenAnswersNormally()
{
    SimFixture server([](auto &o) { o.flood = 200; });
    QVERIFY(server.started);
    QSignalSpy finished(&server, &SimServer::floodFinished);

    UdpPeer client;
    client.send("ping", server.port());
    QTRY_COMPARE(finished.size(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), 200);

    QVERIFY(client.waitFor(201));
    const QStringList got = client.take();
    QCOMPARE(got.size(), 201);
    QCOMPARE(got.count(QStringLiteral("ping")), 1);
    QSet<QString> kinds;
    for (const QString &d : got)
        kinds.insert(d.left(3));
    QCOMPARE(kinds, (QSet<QString>{"pin", "Gbd", "Gsk", "Gfa"}));

    // The same client is not flooded again.
    client.send("Gfa*", server.port());
    QVERIFY(client.waitFor(1));
    QVERIFY(!client.waitFor(2, 100));
    QCOMPARE(client.heard, QStringList{"Gfa*|0|1|0|0|1|1"});
    QCOMPARE(finished.size(), 1);
}

QTEST_GUILESS_MAIN(TstSimServer)
#include "tst_sim_server.moc"
