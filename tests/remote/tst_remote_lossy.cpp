// The shared commands against the simulator over loopback while datagrams
// are lost (--drop, with fixed seeds) or answered late (--delay): reads get
// through by repeating, a setting whose answer is lost is judged by a
// read-back, an absolute setting takes effect exactly once, and a toggle
// never goes out twice.

#include "remote/commands.h"
#include "support/sim_fixture.h"

#include <QJsonArray>
#include <QTest>

using namespace remote;

Q_DECLARE_METATYPE(remote::Request)

namespace {

// The simulator losing dropPercent of the datagrams, answering delayMs late.
struct Sim : SimFixture {
    explicit Sim(double dropPercent, quint32 seed = 1, int delayMs = 0)
        : SimFixture([&](auto &o) {
              o.dropPercent = dropPercent;
              o.seed = seed;
              o.delayMs = delayMs;
          })
    {
    }
};

struct Ran {
    Outcome::Kind kind = Outcome::Done;
    QJsonObject json;
    QString message;
};

Ran run(Sim &sim, const Request &r, int timeoutMs, int retries)
{
    Exchanger ex(sim.endpoint(), Policy{timeoutMs, retries});
    try {
        const Shown s = runCommand(r, ex);
        return {s.stop ? s.stop->kind : Outcome::Done, s.json, QString()};
    } catch (const Outcome &stop) {
        return {stop.kind, QJsonObject(), stop.message};
    }
}

// Short waits keep the losses cheap; many retries make a read that never
// gets through practically impossible (0.3^9 per read).
Ran runLossy(Sim &sim, const Request &r) { return run(sim, r, 40, 8); }

Request named(const char *command)
{
    Request r;
    r.command = QString::fromLatin1(command);
    return r;
}

Request flag(int n, bool on)
{
    Request r = named("flag");
    r.flag = n;
    r.on = on;
    return r;
}

Request alarmSet(int n, QTime time, std::optional<bool> on)
{
    Request r = named("alarm");
    r.number = n;
    r.action = QStringLiteral("set");
    r.time = time;
    r.on = on;
    return r;
}
constexpr quint32 kSeeds = 12;

} // namespace

class TestRemoteLossy : public QObject {
    Q_OBJECT
private slots:
    void readsGetThroughDrops();
    void silenceEndsWithNoAnswer();
    void togglesNeverTwice_data();
    void togglesNeverTwice();
    void absoluteSettingTakesEffectOnce();
    void lateAnswersAreNotLost_data();
    void lateAnswersAreNotLost();
};

void TestRemoteLossy::readsGetThroughDrops()
{
    int dropped = 0;
    for (quint32 seed = 1; seed <= kSeeds; ++seed) {
        Sim sim(30, seed);
        const Ran o = runLossy(sim, named("status"));
        QVERIFY2(o.kind == Outcome::Done, qPrintable(o.message));
        QCOMPARE(o.json[u"skin"][u"name"].toString(), QStringLiteral("Classic"));
        QCOMPARE(o.json[u"alarms"][3][u"time"].toString(), QStringLiteral("22:00"));
        dropped += sim.droppedCount();
    }
    QVERIFY(dropped > 0);
}

void TestRemoteLossy::silenceEndsWithNoAnswer()
{
    Sim sim(100);
    const Ran ping = run(sim, named("ping"), 20, 3);
    QCOMPARE(ping.kind, Outcome::NoAnswer);
    QCOMPARE(sim.sent(QStringLiteral("ping")), 4);

    // The flag is read first; without that read nothing is switched.
    const Ran lock = run(sim, flag(3, true), 20, 1);
    QCOMPARE(lock.kind, Outcome::NoAnswer);
    QCOMPARE(sim.sent(QStringLiteral("Gfa*")), 2);
    QCOMPARE(sim.sent(QStringLiteral("Sfa3")), 0);
}

void TestRemoteLossy::togglesNeverTwice_data()
{
    QTest::addColumn<Request>("request");
    QTest::addColumn<QString>("toggle");
    QTest::newRow("flag") << flag(1, false) << "Sfa1";
    QTest::newRow("weekday/weekend switch") << named("alarms-toggle") << "Sbd1";
}

// Over the seeds both roads are taken: the toggle got through (done), or it
// was lost and the read-back shows nothing changed (no answer, not resent).
void TestRemoteLossy::togglesNeverTwice()
{
    QFETCH(Request, request);
    QFETCH(QString, toggle);
    QSet<int> exits;
    for (quint32 seed = 1; seed <= kSeeds; ++seed) {
        Sim sim(30, seed);
        const Ran o = runLossy(sim, request);
        QVERIFY2(sim.sent(toggle) <= 1, qPrintable(QStringLiteral("seed %1").arg(seed)));
        const bool switched = request.command == u"flag" ? sim.state().faceFlag(1) == 0
                                                      : sim.state().weekendMode();
        QCOMPARE(switched, sim.applied(toggle) == 1);
        QCOMPARE(o.kind, switched ? Outcome::Done : Outcome::NoAnswer);
        exits.insert(o.kind);
    }
    QCOMPARE(exits, (QSet<int>{Outcome::Done, Outcome::NoAnswer}));
}

// An absolute setting may go out again, but only once a read-back has shown
// that the one before did not arrive: it always ends up applied once.
void TestRemoteLossy::absoluteSettingTakesEffectOnce()
{
    const QString set = QStringLiteral("Sbd2|6:45:0|1");
    int resent = 0;
    for (quint32 seed = 1; seed <= kSeeds; ++seed) {
        Sim sim(30, seed);
        const Ran o = runLossy(sim, alarmSet(2, QTime(6, 45), true));
        QVERIFY2(o.kind == Outcome::Done, qPrintable(o.message));
        QCOMPARE(sim.applied(set), 1);
        QCOMPARE(sim.state().alarm(2).time, QTime(6, 45));
        QVERIFY(sim.state().alarm(2).active);
        QCOMPARE(o.json[u"alarm"][u"time"].toString(), QStringLiteral("6:45"));
        resent += sim.sent(set) - 1;
    }
    QVERIFY(resent > 0);
}

void TestRemoteLossy::lateAnswersAreNotLost_data()
{
    QTest::addColumn<Request>("request");
    QTest::addColumn<QString>("setting"); // empty: a read only
    QTest::newRow("ping") << named("ping") << QString();
    QTest::newRow("flag") << flag(1, false) << "Sfa1";
    QTest::newRow("alarm set") << alarmSet(2, QTime(6, 45), std::nullopt) << "Sbd2|6:45:0|0";
    QTest::newRow("switch") << named("alarms-toggle") << "Sbd1";
}

// Every answer comes three waits late: reads take the late answer of an
// earlier attempt, a setting learns from its read-back (or from its answer
// arriving meanwhile) and is never sent again.
void TestRemoteLossy::lateAnswersAreNotLost()
{
    QFETCH(Request, request);
    QFETCH(QString, setting);
    Sim sim(0, 1, 120);
    const Ran o = run(sim, request, 40, 10);
    QVERIFY2(o.kind == Outcome::Done, qPrintable(o.message));
    if (setting.isEmpty())
        QVERIFY(o.json[u"attempts"].toInt() > 1);
    else
        QCOMPARE(sim.sent(setting), 1);
}

QTEST_GUILESS_MAIN(TestRemoteLossy)
#include "tst_remote_lossy.moc"
