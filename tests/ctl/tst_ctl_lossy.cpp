// dalvimoctl's commands against the simulator over loopback while datagrams
// are lost (--drop, with fixed seeds) or answered late (--delay): reads get
// through by repeating, a setting whose answer is lost is judged by a
// read-back, an absolute setting takes effect exactly once, and a toggle
// never goes out twice.

#include "ctl/cli.h"
#include "remote/commands.h"
#include "sim_server.h"

#include <QJsonArray>
#include <QTest>

using namespace ctl;

namespace {

struct Sim {
    sim::SimServer server;
    QList<std::pair<QString, bool>> heard; // every datagram, and whether it was dropped

    explicit Sim(double dropPercent, quint32 seed = 1, int delayMs = 0)
        : server([&] {
              sim::SimOptions o;
              o.port = 0;
              o.quiet = true;
              o.dropPercent = dropPercent;
              o.seed = seed;
              o.delayMs = delayMs;
              return o;
          }())
    {
        QObject::connect(&server, &sim::SimServer::datagramReceived, &server,
                         [this](const QString &text, bool dropped) { heard.append({text, dropped}); });
        server.start();
    }
    Endpoint endpoint() const { return {QHostAddress(QHostAddress::LocalHost), server.port()}; }
    int sent(const QString &text) const
    {
        return int(std::count_if(heard.cbegin(), heard.cend(), [&](const auto &h) { return h.first == text; }));
    }
    int applied(const QString &text) const
    {
        return int(std::count_if(heard.cbegin(), heard.cend(),
                                 [&](const auto &h) { return h.first == text && !h.second; }));
    }
};

struct Outcome {
    int exit = -1;
    QJsonObject json;
    QString message;
};

Outcome run(Sim &sim, const QStringList &args)
{
    const Parsed p = parseCommandLine(QStringList{QStringLiteral("dalvimoctl")} + args);
    if (p.kind != Parsed::Run)
        return {};
    Exchanger ex(sim.endpoint(), p.request.globals.policy);
    try {
        const Shown s = runCommand(p.request, ex);
        return {s.stop ? s.stop->exitCode : kExitDone, s.json, QString()};
    } catch (const Stop &stop) {
        return {stop.exitCode, QJsonObject(), stop.message};
    }
}

// Short waits keep the losses cheap; many retries make a read that never
// gets through practically impossible (0.3^9 per read).
const QStringList kLossy{QStringLiteral("--timeout"), QStringLiteral("40"), QStringLiteral("--retries"),
                         QStringLiteral("8")};
constexpr quint32 kSeeds = 12;

} // namespace

class TestCtlLossy : public QObject {
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

void TestCtlLossy::readsGetThroughDrops()
{
    int dropped = 0;
    for (quint32 seed = 1; seed <= kSeeds; ++seed) {
        Sim sim(30, seed);
        const Outcome o = run(sim, QStringList{QStringLiteral("status")} + kLossy);
        QVERIFY2(o.exit == kExitDone, qPrintable(o.message));
        QCOMPARE(o.json[u"skin"][u"name"].toString(), QStringLiteral("Classic"));
        QCOMPARE(o.json[u"alarms"][3][u"time"].toString(), QStringLiteral("22:00"));
        dropped += sim.server.droppedCount();
    }
    QVERIFY(dropped > 0);
}

void TestCtlLossy::silenceEndsWithNoAnswer()
{
    Sim sim(100);
    const Outcome ping = run(sim, {QStringLiteral("ping"), QStringLiteral("--timeout"), QStringLiteral("20"),
                                   QStringLiteral("--retries"), QStringLiteral("3")});
    QCOMPARE(ping.exit, int(kExitNoAnswer));
    QCOMPARE(sim.sent(QStringLiteral("ping")), 4);

    // The flag is read first; without that read nothing is switched.
    const Outcome flag = run(sim, {QStringLiteral("flag"), QStringLiteral("lock"), QStringLiteral("on"),
                                   QStringLiteral("--timeout"), QStringLiteral("20"), QStringLiteral("--retries"),
                                   QStringLiteral("1")});
    QCOMPARE(flag.exit, int(kExitNoAnswer));
    QCOMPARE(sim.sent(QStringLiteral("Gfa*")), 2);
    QCOMPARE(sim.sent(QStringLiteral("Sfa3")), 0);
}

void TestCtlLossy::togglesNeverTwice_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("toggle");
    QTest::newRow("flag") << QStringList{"flag", "on-top", "off"} << "Sfa1";
    QTest::newRow("weekday/weekend switch") << QStringList{"alarms-toggle"} << "Sbd1";
}

// Over the seeds both roads are taken: the toggle got through (done), or it
// was lost and the read-back shows nothing changed (no answer, not resent).
void TestCtlLossy::togglesNeverTwice()
{
    QFETCH(QStringList, args);
    QFETCH(QString, toggle);
    QSet<int> exits;
    for (quint32 seed = 1; seed <= kSeeds; ++seed) {
        Sim sim(30, seed);
        const Outcome o = run(sim, args + kLossy);
        QVERIFY2(sim.sent(toggle) <= 1, qPrintable(QStringLiteral("seed %1").arg(seed)));
        const bool switched = args.first() == u"flag" ? sim.server.state().faceFlag(1) == 0
                                                      : sim.server.state().weekendMode();
        QCOMPARE(switched, sim.applied(toggle) == 1);
        QCOMPARE(o.exit, switched ? int(kExitDone) : int(kExitNoAnswer));
        exits.insert(o.exit);
    }
    QCOMPARE(exits, (QSet<int>{kExitDone, kExitNoAnswer}));
}

// An absolute setting may go out again, but only once a read-back has shown
// that the one before did not arrive: it always ends up applied once.
void TestCtlLossy::absoluteSettingTakesEffectOnce()
{
    const QString set = QStringLiteral("Sbd2|6:45:0|1");
    int resent = 0;
    for (quint32 seed = 1; seed <= kSeeds; ++seed) {
        Sim sim(30, seed);
        const Outcome o = run(sim, QStringList{"alarm", "2", "set", "--time", "6:45", "--on"} + kLossy);
        QVERIFY2(o.exit == kExitDone, qPrintable(o.message));
        QCOMPARE(sim.applied(set), 1);
        QCOMPARE(sim.server.state().alarm(2).time, QTime(6, 45));
        QVERIFY(sim.server.state().alarm(2).active);
        QCOMPARE(o.json[u"alarm"][u"time"].toString(), QStringLiteral("6:45"));
        resent += sim.sent(set) - 1;
    }
    QVERIFY(resent > 0);
}

void TestCtlLossy::lateAnswersAreNotLost_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("setting"); // empty: a read only
    QTest::newRow("ping") << QStringList{"ping"} << QString();
    QTest::newRow("flag") << QStringList{"flag", "on-top", "off"} << "Sfa1";
    QTest::newRow("alarm set") << QStringList{"alarm", "2", "set", "--time", "6:45"} << "Sbd2|6:45:0|0";
    QTest::newRow("switch") << QStringList{"alarms-toggle"} << "Sbd1";
}

// Every answer comes three waits late: reads take the late answer of an
// earlier attempt, a setting learns from its read-back (or from its answer
// arriving meanwhile) and is never sent again.
void TestCtlLossy::lateAnswersAreNotLost()
{
    QFETCH(QStringList, args);
    QFETCH(QString, setting);
    Sim sim(0, 1, 120);
    const Outcome o = run(sim, args + QStringList{"--timeout", "40", "--retries", "10"});
    QVERIFY2(o.exit == kExitDone, qPrintable(o.message));
    if (setting.isEmpty())
        QVERIFY(o.json[u"attempts"].toInt() > 1);
    else
        QCOMPARE(sim.sent(setting), 1);
}

QTEST_GUILESS_MAIN(TestCtlLossy)
#include "tst_ctl_lossy.moc"
