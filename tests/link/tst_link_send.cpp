// Sending, polling and the link indicator in the running window, over a real
// UDP socket on loopback. Timer ticks are called directly.

#include "client_fixture.h"

#include "link/link.h"
#include "protocol/protocol.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/controls/colours.h"
#include "toolkit/controls/log_box.h"
#include "toolkit/controls/text_box.h"
#include "toolkit/controls/timer.h"

#include <QLabel>
#include <QTest>

namespace {
constexpr quint32 kGreen = 0x00FF00;
constexpr quint32 kRed = 0x222AC7;
} // namespace

class TestLinkSend : public QObject {
    Q_OBJECT
private slots:
    void sendRules_data();
    void sendRules();
    void sendsToTheAddressAsReadInDecimal();
    void pollTickSendsQueuedCommandsThenPing();
    void autopollSwitch();
    void indicator();
    void receiving();
    void peerMarkupIsShownAsText_data();
    void peerMarkupIsShownAsText();
};

// What the command line sends, if anything, and what the result line says.
void TestLinkSend::sendRules_data()
{
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("port"); // "peer": the peer's own port
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept"); // what the box keeps, and sends
    QTest::addColumn<bool>("sent");
    QTest::addColumn<QString>("resultLine");

    const QString badPort = QStringLiteral("Порт должен быть числом от 1 до 65535");
    const QString largest = QString(proto::kMaxDatagram - 1, u'x') + u'Я'; // one byte each on the wire
    QTest::newRow("valid") << "127.0.0.1" << "peer" << "Gbd2" << "Gbd2" << true << "";
    QTest::newRow("invalid address") << "127.0.0" << "peer" << "Gbd2" << "Gbd2" << false << "0k!";
    QTest::newRow("port zero") << "127.0.0.1" << "0" << "Gbd2" << "Gbd2" << false << badPort;
    QTest::newRow("port text") << "127.0.0.1" << "abc" << "Gbd2" << "Gbd2" << false << badPort;
    QTest::newRow("port empty") << "127.0.0.1" << "" << "Gbd2" << "Gbd2" << false << badPort;
    QTest::newRow("as typed, blanks kept") << "127.0.0.1" << "peer" << " Sfa1|x " << " Sfa1|x " << true << "";
    QTest::newRow("nothing") << "127.0.0.1" << "peer" << "" << "" << true << "";
    QTest::newRow("the largest datagram") << "127.0.0.1" << "peer" << largest + "beyond" << largest << true << "";
}

void TestLinkSend::sendRules()
{
    QFETCH(QString, ip);
    QFETCH(QString, port);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QFETCH(bool, sent);
    QFETCH(QString, resultLine);

    ClientFixture c;
    c.link().ErrCode(0, QString());
    c.get<tk::TextBox>("txtIp")->setText(ip);
    c.get<tk::TextBox>("txtPort")->setText(port == u"peer" ? QString::number(c.peerPort()) : port);
    auto *debug = c.get<tk::TextBox>("txtDebug");
    QCOMPARE(debug->text(), QStringLiteral("Gsk?"));
    debug->setText(typed);
    QCOMPARE(debug->text(), kept);
    QTest::mouseClick(c.get<QWidget>("cmdDebugSend"), Qt::LeftButton);
    QCOMPARE(c.takeSent(), sent ? QStringList{kept} : QStringList{});
    QCOMPARE(c.get<QLabel>("lblErr")->text(), resultLine);
}

void TestLinkSend::sendsToTheAddressAsReadInDecimal()
{
    // 127.0.0.010 is 127.0.0.10 by the address check; read as octal it would be 127.0.0.8.
    UdpPeer decimal(QHostAddress(QStringLiteral("127.0.0.10")));
    UdpPeer octal(QHostAddress(QStringLiteral("127.0.0.8")), decimal.port());
    if (!decimal.bound() || !octal.bound())
        QSKIP("this system routes only 127.0.0.1 to itself");
    ClientFixture c;
    c.get<tk::TextBox>("txtIp")->setText(QStringLiteral("127.000.000.010"));
    c.get<tk::TextBox>("txtPort")->setText(QString::number(decimal.port()));
    c.link().Send(QStringLiteral("ping"));
    QCOMPARE(decimal.take(), QStringList{"ping"});
    QCOMPARE(octal.take(), QStringList{});
}

void TestLinkSend::pollTickSendsQueuedCommandsThenPing()
{
    ClientFixture c;
    c.link().ErrCode(5, QStringLiteral("x"));
    c.link().tmr_Timer(0);
    QCOMPARE(c.takeSent(), QStringList{"ping"});
    QCOMPARE(c.get<QLabel>("lblErr")->text(), QString()); // emptied at each poll

    for (int id : {proto::Brightness, proto::AllAlarms, proto::Brightness})
        c.link().QueuePush(id);
    QStringList sent;
    for (int tick = 0; tick < 4; ++tick) {
        c.link().tmr_Timer(0);
        sent << c.takeSent();
    }
    QCOMPARE(sent, (QStringList{"GfaB", "Gbd*", "GfaB", "ping"}));
    QCOMPARE(c.link().queue().iCmdQueueCount(), qint16(0));
}

void TestLinkSend::autopollSwitch()
{
    ClientFixture c;
    auto *autoping = c.get<tk::CheckBox>("chkAutoping");
    auto *poll = c.get<tk::Timer>("tmr", 0);
    QCOMPARE(autoping->Value(), 0);
    c.state().bInitPending = false;

    QTest::mouseClick(autoping, Qt::LeftButton);
    QCOMPARE(c.takeSent(), QStringList{"ping"}); // at once, not a tick later
    QVERIFY(poll->Enabled());
    QVERIFY(c.state().bInitPending);

    QTest::mouseClick(autoping, Qt::LeftButton);
    QVERIFY(!poll->Enabled());
    QVERIFY(c.takeSent().isEmpty());

    c.state().bLockEvents = true; // the program setting the box does nothing
    autoping->setValue(1);
    QVERIFY(!poll->Enabled());
    QVERIFY(c.takeSent().isEmpty());
}

void TestLinkSend::indicator()
{
    ClientFixture c;
    auto *ind = c.get<QWidget>("shpInd");
    auto *noAnswer = c.get<tk::Timer>("tmr", 1);
    QCOMPARE(tk::backColor(ind), kRed);
    QVERIFY(!noAnswer->Enabled());

    c.sendToClient("xy");
    QTRY_COMPARE(tk::backColor(ind), kGreen);
    QVERIFY(noAnswer->Enabled());
    c.link().tmr_Timer(1);
    QCOMPARE(tk::backColor(ind), kRed);
    QVERIFY(noAnswer->Enabled()); // and keeps turning it red every 3000 ms
}

// Refused sends stop no receiving, and one arrival event reads every
// pending datagram.
void TestLinkSend::receiving()
{
    ClientFixture c;
    c.get<tk::TextBox>("txtPort")->setText(QString::number(UdpPeer().port())); // closed once the peer is gone
    for (int i = 0; i < 3; ++i)
        c.link().tmr_Timer(0); // refused: the system may answer with ICMP errors
    // Back to the peer, the only server whose replies count.
    c.get<tk::TextBox>("txtPort")->setText(QString::number(c.peerPort()));
    c.sendToClient("one");
    c.sendToClient("");
    c.sendToClient("two\r\nlines");
    auto *ws = c.get<QUdpSocket>("ws");
    QTRY_VERIFY(ws->hasPendingDatagrams());
    c.link().ws_DataArrival(); // one arrival event reads all three
    QVERIFY(!ws->hasPendingDatagrams());
    QCOMPARE(c.get<tk::LogBox>("txtMsg")->Text(), QStringLiteral("one\r\n\r\ntwo\r\nlines\r\n"));
    c.sendToClient("Err0|");
    QTRY_COMPARE(c.get<QLabel>("lblErr")->text(), QStringLiteral("0k!"));
}

// Any host may send the client any text; the result line shows it as it came.
void TestLinkSend::peerMarkupIsShownAsText_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("resultLine");
    QTest::newRow("bold and colour") << QByteArray("Err5|<b>bold</b> <font color=blue>blue</font>")
                                     << "Err=5 (<b>bold</b> <font color=blue>blue</font>)";
    QTest::newRow("line break") << QByteArray("Err6|a<br>b") << "Err=6 (a<br>b)";
    QTest::newRow("heading") << QByteArray("Err9|<h1>BIG</h1>") << "Err=9 (<h1>BIG</h1>)";
    QTest::newRow("local image") << QByteArray("Err7|<img src='/usr/share/pixmaps/debian-logo.png'>")
                                 << "Err=7 (<img src='/usr/share/pixmaps/debian-logo.png'>)";
    QTest::newRow("entity") << QByteArray("Err8|&lt;&amp;") << "Err=8 (&lt;&amp;)";
}

void TestLinkSend::peerMarkupIsShownAsText()
{
    QFETCH(QByteArray, reply);
    QFETCH(QString, resultLine);
    ClientFixture c;
    auto *line = c.get<QLabel>("lblErr");
    c.sendToClient("Err1|x");
    QTRY_COMPARE(line->text(), QStringLiteral("Err=1 (x)"));
    const int oneLine = line->sizeHint().height();
    c.sendToClient(reply);
    QTRY_COMPARE(line->text(), resultLine);
    QCOMPARE(line->textFormat(), Qt::PlainText);
    // Drawn as one line of the label's own font: no break, no heading, no picture.
    QCOMPARE(line->sizeHint().height(), oneLine);
    const int textWidth = line->fontMetrics().horizontalAdvance(resultLine);
    QVERIFY(qAbs(line->sizeHint().width() - textWidth) <= 2);
}

QTEST_MAIN(TestLinkSend)
#include "tst_link_send.moc"
