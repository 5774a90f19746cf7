// Every reply shape through the dispatcher, against recording fakes.
#include "fake_link.h"

#include "protocol/reply_dispatcher.h"

#include <QTest>

namespace {

const QStringList kAlive{QStringLiteral("SetIndicator(1)"), QStringLiteral("RestartNoAnswerTimer")};
const QString kOk = QStringLiteral("ErrCode(0,)");
const QString kNext = QStringLiteral("CmdSendNext");

QString logged(const QString &text) { return QStringLiteral("Log(%1)").arg(text); }

} // namespace

class TstReplyDispatcher : public QObject {
    Q_OBJECT

private slots:
    void handle_data();
    void handle();
    void pingStartsFetchOnce();
    void fetchPipeline();
    void failedReplyKeepsQueue();
};

void TstReplyDispatcher::handle_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("failOn"); // the apply call that fails, if any
    QTest::addColumn<QStringList>("calls"); // after the indicator and the timer

    auto row = [](const char *name, const QString &text, QStringList calls, const QString &failOn = {}) {
        QTest::newRow(name) << text << failOn << (QStringList{logged(text)} + calls);
    };

    QTest::newRow("ping") << "ping" << QString() << QStringList{};
    row("Ping", "Ping", {kNext});
    row("ping blank", "ping ", {kNext});
    row("pingpong", "pingpong", {kNext});
    row("empty", "", {});
    row("two chars", "ab", {});
    row("Err exactly", "Err", {});
    row("unknown word", "Sbd1|0", {kNext});
    row("lower-case word", "gbd*|a", {kNext});

    row("Err0|", "Err0|", {"ErrCode(0,)", kNext});
    row("Err5|x", "Err5|x", {"ErrCode(5,x)", kNext});
    row("Err|x", "Err|x", {"ErrCode(-1,x)", kNext});
    row("ErrX|x", "ErrX|x", {"ErrCode(-1,x)", kNext});
    row("Err5 without bar", "Err5", {"ErrCode(5,)", kNext});
    row("Err blanks, bars in text", "Err 7 |a|b", {"ErrCode(7,a|b)", kNext});
    row("Err half to even", "Err2.5|x", {"ErrCode(2,x)", kNext});
    row("Err negative", "Err-3|x", {"ErrCode(-3,x)", kNext});
    row("Err above range", "Err32768|x", {});
    row("Err below range", "Err-32769|x", {});
    row("Err huge exponent", "Err1e400|x", {});

    row("Gsk?", "Gsk?|p", {"Skin(p)", kOk, kNext});
    row("Gsk5", "Gsk5|p", {"Skin(p)", kOk, kNext});
    row("GskX", "GskX|p", {kOk, kNext});
    row("Gsk no selector", "Gsk|p", {kOk, kNext});
    row("Gsk-1", "Gsk-1|p", {kOk, kNext});
    row("Gsk-2", "Gsk-2|p", {"Skin(p)", kOk, kNext});
    row("Gsk out of range", "Gsk99999|p", {});

    row("Gbd* four lines", "Gbd*|a\r\nb\r\nc\r\nd",
        {"Alarm(1,a)", "Alarm(2,b)", "Alarm(3,c)", "Alarm(4,d)", kOk, kNext});
    row("Gbd* three lines", "Gbd*|a\r\nb\r\nc", {"Alarm(1,a)", "Alarm(2,b)", "Alarm(3,c)"});
    row("Gbd* five lines", "Gbd*|a\r\nb\r\nc\r\nd\r\ne",
        {"Alarm(1,a)", "Alarm(2,b)", "Alarm(3,c)", "Alarm(4,d\r\ne)", kOk, kNext});
    row("Gbd* trailing CR LF", "Gbd*|a\r\nb\r\nc\r\n",
        {"Alarm(1,a)", "Alarm(2,b)", "Alarm(3,c)", "Alarm(4,)", kOk, kNext});
    row("Gbd* LF only", "Gbd*|a\nb\nc\nd", {"Alarm(1,a\nb\nc\nd)"});
    row("Gbd* bars kept", "Gbd*|1|7:0:0\r\n2\r\n3\r\n4|x",
        {"Alarm(1,1|7:0:0)", "Alarm(2,2)", "Alarm(3,3)", "Alarm(4,4|x)", kOk, kNext});
    row("Gbd* no bar", "Gbd*", {});
    row("Gbd* empty payload", "Gbd*|", {});
    row("Gbd2", "Gbd2|t", {"Alarm(2,t)", kOk, kNext});
    row("Gbd-1", "Gbd-1|t", {kOk, kNext});
    row("Gbd7", "Gbd7|t", {"Alarm(7,t)"});
    row("Gbd0", "Gbd0|t", {"Alarm(0,t)"});
    row("GbdX", "GbdX|t", {kOk, kNext});

    row("GfaT", "GfaT|p", {"Trans(p)", kOk, kNext});
    row("GfaB", "GfaB|p", {"Bright(p)", kOk, kNext});
    row("Gfa*", "Gfa*|p", {"Flags(p)", kOk, kNext});
    row("GfaX", "GfaX|1", {kOk, kNext});
    row("Gfat lower", "Gfat|p", {kOk, kNext});
    row("GfaT without bar", "GfaT", {"Trans()", kOk, kNext});

    row("unknown word, number out of range", "Xyz99999|", {});

    // A page that fails part-way: the rest of the reply is dropped, the lock released.
    row("skin fails", "Gsk?|p", {"Skin(p)"}, "Skin(p)");
    row("transparency fails", "GfaT|p", {"Trans(p)"}, "Trans(p)");
    row("brightness fails", "GfaB|p", {"Bright(p)"}, "Bright(p)");
    row("face flags fail", "Gfa*|p", {"Flags(p)"}, "Flags(p)");
    row("alarm 2 of 4 fails", "Gbd*|a\r\nb\r\nc\r\nd", {"Alarm(1,a)", "Alarm(2,b)"}, "Alarm(2,b)");
    row("single alarm fails", "Gbd3|t", {"Alarm(3,t)"}, "Alarm(3,t)");
}

void TstReplyDispatcher::handle()
{
    QFETCH(QString, text);
    QFETCH(QStringList, calls);

    DispatchRig<RecordingLink> rig;
    QFETCH(QString, failOn);
    rig.features.failOn = failOn;
    rig.dispatcher.handle(text);

    QCOMPARE(rig.record, kAlive + calls);
    QVERIFY(!rig.state.bLockEvents);
}

void TstReplyDispatcher::pingStartsFetchOnce()
{
    DispatchRig<RecordingLink> rig;
    rig.state.bInitPending = true;

    rig.dispatcher.handle("pingpong"); // not an echo: the fetch stays pending
    QVERIFY(rig.state.bInitPending);
    rig.record.clear();

    rig.dispatcher.handle("ping");
    QCOMPARE(rig.record, kAlive + QStringList{"InitGetData"});
    QVERIFY(!rig.state.bInitPending);

    rig.record.clear();
    rig.dispatcher.handle("ping");
    QCOMPARE(rig.record, kAlive);
}

void TstReplyDispatcher::fetchPipeline()
{
    DispatchRig<QueueLink> rig;
    QueueLink &link = rig.link;
    rig.state.bInitPending = true;

    rig.dispatcher.handle("ping");
    QCOMPARE(link.sent, QStringList{"Gsk?"});
    QCOMPARE(link.queue.items(), (QList<qint16>{2, 3, 4, 5}));

    // Any handled reply lets the next one go, matched to nothing.
    for (const char *reply : {"Gsk?|x", "Err0|", "Sbd1|0", "GfaX|1", "Gbd*|a\r\nb\r\nc\r\nd"})
        rig.dispatcher.handle(reply);
    QCOMPARE(link.sent, (QStringList{"Gsk?", "GfaT", "GfaB", "Gfa*", "Gbd*"}));
    QVERIFY(link.queue.items().isEmpty());

    // A new address makes the next echo fetch again, twice over if need be.
    rig.state.bInitPending = true;
    rig.dispatcher.handle("ping");
    link.InitGetData();
    QCOMPARE(link.sent.mid(5), (QStringList{"Gsk?", "GfaT"}));
    QCOMPARE(link.queue.items(), (QList<qint16>{3, 4, 5, 1, 2, 3, 4, 5}));
}

void TstReplyDispatcher::failedReplyKeepsQueue()
{
    DispatchRig<QueueLink> rig;
    rig.link.queue.QueuePush(2);
    rig.link.queue.QueuePush(3);

    for (const char *reply : {"ping", "Err", "Gbd*|a\r\nb", "Gbd7|t", "Err99999|x"})
        rig.dispatcher.handle(reply);
    QVERIFY(rig.link.sent.isEmpty());

    rig.dispatcher.handle("GfaT|1");
    QCOMPARE(rig.link.sent, QStringList{"GfaT"});
}

QTEST_GUILESS_MAIN(TstReplyDispatcher)
#include "tst_reply_dispatcher.moc"
