// The client's link against the simulator over real UDP on 127.0.0.1: the
// initial fetch, Quorvan's errors in Windows-1251, replies whose handling
// fails, and a flood of malformed datagrams. Waits are for conditions only.

#include "client_fixture.h"

#include "common/ansi.h"
#include "link/link.h"
#include "protocol/protocol.h"
#include "link/result_console.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/controls/colours.h"
#include "toolkit/controls/log_box.h"
#include "toolkit/controls/text_box.h"
#include "toolkit/controls/timer.h"

#include "support/sim_fixture.h"

#include <QLabel>
#include <QRandomGenerator>
#include <QTest>

namespace {

constexpr quint32 kGreen = ResultConsole::kSuccessColour;
constexpr quint32 kRed = ResultConsole::kFailureColour;
const QStringList kFetch{"Gsk?", "GfaT", "GfaB", "Gfa*", "Gbd*"};

// The result line as it is shown.
struct ResultLine {
    QString text;
    quint32 colour = 0;
    bool operator==(const ResultLine &) const = default;
};

char *toString(const ResultLine &r)
{
    return QTest::toString(QStringLiteral("%1 (colour 0x%2)").arg(r.text).arg(r.colour, 6, 16, QLatin1Char('0')));
}

ResultLine resultLine(ClientFixture &c)
{
    auto *label = c.get<QLabel>("lblErr");
    return {label->text(), tk::foreColor(label)};
}

// Records the result line each time its colour is set. The dispatcher
// shows "0k!" and, in the same handling, the next Send empties the line, so
// the line can only be seen from inside the handling.
class ResultRecorder : public QObject {
public:
    explicit ResultRecorder(QLabel *label) : m_label(label) { label->installEventFilter(this); }
    QList<ResultLine> shown;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_label && event->type() == QEvent::DynamicPropertyChange)
            shown.append({m_label->text(), tk::foreColor(m_label)});
        return false;
    }

private:
    QLabel *m_label;
};

QString logText(ClientFixture &c)
{
    return c.get<tk::LogBox>("txtMsg")->Text();
}

void pointAt(ClientFixture &c, const SimFixture &server)
{
    c.get<tk::TextBox>("txtPort")->setText(QString::number(server.port()));
}

} // namespace

class TestLinkE2e : public QObject {
    Q_OBJECT
private slots:
    void fetchRunsOneCommandPerHandledReply();
    void autopollSwitchFetchesEverything();
    void quorvanErrors_data();
    void quorvanErrors();
    void failedReplyLeavesQueueToPollTick_data();
    void failedReplyLeavesQueueToPollTick();
    void malformedFloodIsSurvived();
};

// The client talks to the fixture's peer, which passes each datagram to the
// simulator and holds its answer until the test delivers it, so each step of
// the fetch can be seen on its own.
void TestLinkE2e::fetchRunsOneCommandPerHandledReply()
{
    ClientFixture c;
    SimFixture server;
    QVERIFY(server.started);
    UdpPeer toSim;
    ResultRecorder recorder(c.get<QLabel>("lblErr"));

    c.state().bInitPending = true;
    c.link().tmr_Timer(0);
    QStringList sent = c.takeSent();
    QString expectedLog;
    for (const QString &next : QStringList{"ping"} + kFetch) {
        QCOMPARE(sent, QStringList{next}); // exactly one command since the last reply

        toSim.send(ansi::encode(next), server.port());
        QVERIFY(toSim.waitFor(1));
        const QStringList answers = toSim.take();
        QCOMPARE(answers.size(), 1);
        const QByteArray answer = ansi::encode(answers.first());

        c.link().ErrCode(9, QStringLiteral("before")); // red, so "0k!" changes the colour
        recorder.shown.clear();
        c.sendToClient(answer);
        sent.clear();
        if (next == kFetch.last()) {
            QTRY_COMPARE(resultLine(c), (ResultLine{"0k!", kGreen}));
        } else {
            QTRY_VERIFY(!(sent += c.takeSent()).isEmpty());
        }
        if (next == u"ping") {
            QVERIFY(recorder.shown.isEmpty());
        } else {
            QCOMPARE(recorder.shown, QList<ResultLine>{(ResultLine{"0k!", kGreen})});
            expectedLog += answers.first() + QStringLiteral("\r\n");
        }
        QCOMPARE(logText(c), expectedLog); // the echo is not logged
    }
    QVERIFY(c.takeSent().isEmpty());
    QCOMPARE(c.link().queue().iCmdQueueCount(), qint16(0));
    QVERIFY(!c.state().bInitPending);
}

// The road a user takes: switching auto-poll on with the client pointed
// straight at the simulator.
void TestLinkE2e::autopollSwitchFetchesEverything()
{
    ClientFixture c;
    SimFixture server;
    QVERIFY(server.started);
    pointAt(c, server);

    c.get<tk::CheckBox>("chkAutoping")->setValue(1);
    QString expectedLog;
    for (const QString &command : kFetch)
        expectedLog += *server.state().answer(command) + QStringLiteral("\r\n");
    QTRY_COMPARE(logText(c), expectedLog);
    QCOMPARE(resultLine(c), (ResultLine{"0k!", kGreen}));
    QCOMPARE(c.link().queue().iCmdQueueCount(), qint16(0));
    QVERIFY(server.receivedCount() >= 6); // "ping" and the five reads
    QCOMPARE(tk::backColor(c.get<QWidget>("shpInd")), Link::kLinkUp);
}

// Quorvan's errors as the simulator sends them, and in Windows-1251 as a
// datagram of the fixture's peer.
void TestLinkE2e::quorvanErrors_data()
{
    QTest::addColumn<QString>("command"); // to the simulator; empty: the datagram instead
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<QString>("line");
    QTest::addColumn<quint32>("colour");

    QTest::newRow("no such alarm") << "Gbd9" << QByteArray() << "Err=3 (Нет будильника с таким номером)" << kRed;
    QTest::newRow("unknown command") << "Qqq1" << QByteArray() << "Err=1 (Неизвестная команда)" << kRed;
    QTest::newRow("fields on a read") << "GfaT|1" << QByteArray() << "Err=2 (Неверное число полей)" << kRed;
    QTest::newRow("two-digit code") << "Ssk99" << QByteArray() << "Err=11 (Нет скина с таким номером)" << kRed;
    QTest::newRow("code 0 is success") << "Sss1" << QByteArray() << "0k!" << kGreen;
    QTest::newRow("busy") << "" << QByteArray("Err5|\xc7\xe0\xed\xff\xf2") << "Err=5 (Занят)" << kRed;
    QTest::newRow("yo and capitals") << "" << QByteArray("Err-1|\xa8\xb8 \xdf\xff") << "Err=-1 (Ёё Яя)" << kRed;
    QTest::newRow("bars kept") << "" << QByteArray("Err7|\xe0|\xe1") << "Err=7 (а|б)" << kRed;
}

void TestLinkE2e::quorvanErrors()
{
    QFETCH(QString, command);
    QFETCH(QByteArray, datagram);
    QFETCH(QString, line);
    QFETCH(quint32, colour);

    ClientFixture c;
    SimFixture server;
    QVERIFY(server.started);
    if (command.isEmpty()) {
        c.sendToClient(datagram);
    } else {
        pointAt(c, server);
        c.link().Send(command);
    }
    QTRY_COMPARE(resultLine(c), (ResultLine{line, colour}));
}

void TestLinkE2e::failedReplyLeavesQueueToPollTick_data()
{
    QTest::addColumn<QByteArray>("datagram");

    QTest::newRow("code above 32767") << QByteArray("Err99999|x");
    QTest::newRow("code below -32768") << QByteArray("Err-32769|x");
    QTest::newRow("skin number too large") << QByteArray("Gsk1e9|x");
    QTest::newRow("all alarms, no bar") << QByteArray("Gbd*");
    QTest::newRow("all alarms, three lines") << QByteArray("Gbd*|1\r\n2\r\n3");
}

void TestLinkE2e::failedReplyLeavesQueueToPollTick()
{
    QFETCH(QByteArray, datagram);

    ClientFixture c;
    for (int id : {proto::Brightness, proto::AllAlarms})
        c.link().QueuePush(id);
    c.link().ErrCode(4, QStringLiteral("before"));

    c.sendToClient(datagram);
    QTRY_COMPARE(logText(c), ansi::decode(datagram) + QStringLiteral("\r\n"));
    QVERIFY(c.takeSent().isEmpty());
    QCOMPARE(c.link().queue().iCmdQueueCount(), qint16(2));
    QCOMPARE(resultLine(c), (ResultLine{"Err=4 (before)", kRed}));
    QVERIFY(!c.state().bLockEvents);

    c.link().tmr_Timer(0);
    QCOMPARE(c.takeSent(), QStringList{"GfaB"});
    c.sendToClient("GfaX|"); // a reply that is handled moves the queue on
    QStringList sent;
    QTRY_VERIFY(!(sent += c.takeSent()).isEmpty());
    QCOMPARE(sent, QStringList{"Gbd*"});
}

// Random bytes of many sizes up to the largest UDP payload, some behind a
// known head so that they reach the parsers. The socket may drop some when
// its buffer is full; what matters is that the client lives, stays bounded
// and keeps polling and answering.
void TestLinkE2e::malformedFloodIsSurvived()
{
    ClientFixture c;
    auto *ws = c.get<QUdpSocket>("ws");
    // Room for the largest datagrams where the system's default is smaller.
    ws->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 1 << 20);
    auto *poll = c.get<tk::Timer>("tmr", 0);
    c.get<tk::CheckBox>("chkAutoping")->setValue(1);
    QVERIFY(poll->Enabled());

    QRandomGenerator random(20240611);
    const QList<QByteArray> heads{"", "Err", "Gsk", "Gbd", "Gfa", "Gbd*|", "Err1|", "Gsk?|", "GfaT|"};
    const QList<int> edgeSizes{0, 1, 3, 4, 5, 255, 256, 1024, 65506, 65507};
    constexpr int kDatagrams = 160;
    constexpr int kBatchBytes = 96 * 1024; // let the client drain before the next batch
    int batchBytes = 0;
    for (int i = 0; i < kDatagrams; ++i) {
        const int size = i < edgeSizes.size() ? edgeSizes.at(i)
                                              : int(random.bounded(i % 4 == 0 ? 65508 : 2048));
        QByteArray bytes = heads.at(i % heads.size()).left(size);
        while (bytes.size() < size)
            bytes.append(char(random.bounded(256)));
        c.sendToClient(bytes);
        batchBytes += size;
        if (batchBytes >= kBatchBytes || i == kDatagrams - 1) {
            QTRY_VERIFY(!ws->hasPendingDatagrams());
            batchBytes = 0;
        }
    }

    auto *log = c.get<tk::LogBox>("txtMsg");
    log->Text(); // the lines that waited while the log was off screen come in
    QVERIFY(log->document()->blockCount() <= ResultConsole::kLogLines);
    QVERIFY(log->document()->blockCount() > ResultConsole::kLogLines / 2); // the flood did arrive
    QVERIFY(poll->Enabled());
    QVERIFY(!c.state().bLockEvents);
    // From here the ticks are called directly: on a slow machine a real one
    // could blank the result line before it is read.
    poll->setEnabled(false);
    c.takeSent();
    c.link().tmr_Timer(0);
    QCOMPARE(c.takeSent(), QStringList{"ping"});
    c.sendToClient("Err0|");
    QTRY_COMPARE(resultLine(c), (ResultLine{"0k!", kGreen}));
}

QTEST_MAIN(TestLinkE2e)
#include "tst_link_e2e.moc"
