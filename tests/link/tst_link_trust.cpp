// The window hears only the server in its server bar. A peer on another
// loopback address, or on another port of the server's address, sends
// replies and pings over real UDP: nothing changes, nothing is logged, no
// command goes out; the same datagram from the server is then handled.

#include "client_fixture.h"

#include "alarms/alarms_page.h"
#include "common/ansi.h"
#include "link/link.h"
#include "toolkit/controls/colours.h"
#include "toolkit/controls/log_box.h"
#include "toolkit/controls/text_box.h"

#include <QLabel>
#include <QTest>

namespace {

const QString kAlarms = QStringLiteral("Gbd*|1|6:00:00|1|Вставай|0|0|0|0\r\n2|7:00:00|1|x|0|0|0|0\r\n"
                                       "3|8:00:00|1|y|0|0|0|0\r\n4|9:00:00|1|z|0|0|0|0");

// What a datagram could change in the window.
struct Seen {
    QString log;
    QString result;
    quint32 indicator = 0;
    QString ring1;
    QStringList sent;
    bool initPending = false;
    bool operator==(const Seen &) const = default;
};

char *toString(const Seen &s)
{
    return QTest::toString(QStringLiteral("log «%1», result «%2», indicator %3, ring «%4», sent %5, pending %6")
                               .arg(s.log, s.result)
                               .arg(s.indicator, 6, 16, QLatin1Char('0'))
                               .arg(s.ring1, s.sent.join(u','))
                               .arg(s.initPending));
}

Seen seen(ClientFixture &c)
{
    return {c.get<tk::LogBox>("txtMsg")->Text(), c.get<QLabel>("lblErr")->text(),
            tk::backColor(c.get<QWidget>("shpInd")), c.window().alarms().Buds(1).sRing, c.takeSent(),
            c.state().bInitPending};
}

} // namespace

class TestLinkTrust : public QObject {
    Q_OBJECT
private slots:
    void onlyTheServerIsHeard_data();
    void onlyTheServerIsHeard();
    void theOldServerIsNotHeardAfterAChange();
};

void TestLinkTrust::onlyTheServerIsHeard_data()
{
    QTest::addColumn<QString>("impostor");  // its address; the port is the server's or "other"
    QTest::addColumn<bool>("serversPort");
    QTest::addColumn<QString>("datagram");
    QTest::addColumn<QString>("logged");    // what the server's copy leaves in the log
    QTest::addColumn<QString>("result");    // and on the result line
    QTest::addColumn<QStringList>("sent");  // and what it sends

    struct Peer {
        const char *name;
        const char *address;
        bool serversPort;
    };
    const Peer peers[] = {{"other address, server's port", "127.0.0.2", true},
                          {"server's address, other port", "127.0.0.1", false}};
    for (const Peer &p : peers) {
        const auto row = [&](const char *what) -> QTestData & { return QTest::addRow("%s: %s", p.name, what); };
        row("alarm list") << p.address << p.serversPort << kAlarms << kAlarms + "\r\n"
                          << "0k!" << QStringList{};
        row("ping while a fetch waits") << p.address << p.serversPort << "ping" << QString() << QString()
                                        << QStringList{"Gsk?"};
        row("success") << p.address << p.serversPort << "Err0|" << "Err0|\r\n" << "0k!" << QStringList{};
        row("error") << p.address << p.serversPort << "Err5|x" << "Err5|x\r\n" << "Err=5 (x)"
                     << QStringList{};
    }
}

void TestLinkTrust::onlyTheServerIsHeard()
{
    QFETCH(QString, impostor);
    QFETCH(bool, serversPort);
    QFETCH(QString, datagram);
    ClientFixture c;
    c.state().bInitPending = true; // a "ping" echo would start the fetch
    const quint16 clientPort = c.get<QUdpSocket>("ws")->localPort();
    UdpPeer peer(QHostAddress(impostor), serversPort ? c.peerPort() : 0);
    QVERIFY(peer.bound());
    const Seen before = seen(c);

    peer.send(ansi::encode(datagram), clientPort);
    QTRY_COMPARE(c.link().datagramsDropped(), quint64(1));
    QCOMPARE(seen(c), before);
    QCOMPARE(c.link().datagramsReceived(), quint64(0));

    c.sendToClient(ansi::encode(datagram)); // the same from the server
    QTRY_COMPARE(c.link().datagramsReceived(), quint64(1));
    const Seen after = seen(c);
    QTEST(after.log, "logged");
    QTEST(after.result, "result");
    QTEST(after.sent, "sent");
    QCOMPARE(after.indicator, Link::kLinkUp);
    if (datagram == kAlarms)
        QCOMPARE(after.ring1, QStringLiteral("Вставай"));
}

// A late reply of the server the bar named before is no reply of the new one.
void TestLinkTrust::theOldServerIsNotHeardAfterAChange()
{
    ClientFixture c;
    UdpPeer next;
    c.get<tk::TextBox>("txtPort")->setText(QString::number(next.port()));
    c.sendToClient("Err0|");
    QTRY_COMPARE(c.link().datagramsDropped(), quint64(1));
    QCOMPARE(c.get<tk::LogBox>("txtMsg")->Text(), QString());
    next.send("Err0|", c.get<QUdpSocket>("ws")->localPort());
    QTRY_COMPARE(c.link().datagramsReceived(), quint64(1));
    QCOMPARE(c.get<QLabel>("lblErr")->text(), QStringLiteral("0k!"));
}

QTEST_MAIN(TestLinkTrust)
#include "tst_link_trust.moc"
