// dalvimoctl against several servers at once, as a process, over loopback:
// two simulators and one address that keeps silent. Each server's lines
// carry its name, --json gives one object per server, and the exit status
// is the worst one.

#include "common/ansi.h"
#include "ctl_process.h"
#include "support/loopback.h"
#include "support/sim_fixture.h"
#include "support/udp_peer.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Fleet {
    std::vector<std::unique_ptr<SimFixture>> sims;
    std::unique_ptr<UdpPeer> silent; // bound, so nothing answers "port unreachable" either
    QStringList names; // ADDRESS:PORT of the two simulators, then the silent one

    bool start(quint16 port)
    {
        for (int host : {1, 2}) {
            sims.push_back(std::make_unique<SimFixture>([&](auto &o) {
                o.bindAddress = QHostAddress(ownLoopback(host));
                o.port = port;
            }));
            if (!sims.back()->started)
                return false;
            names << sims.back()->text();
        }
        silent = std::make_unique<UdpPeer>(QHostAddress(ownLoopback(3)), port);
        names << silent->text();
        return silent->bound();
    }
};

} // namespace

class TestCtlFleet : public QObject {
    Q_OBJECT
private slots:
    void oneSilentOfThree_data();
    void oneSilentOfThree();
    void allFromTheWindowsList();
};

void TestCtlFleet::oneSilentOfThree_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("viaEnvironment");
    QTest::newRow("ping") << QStringList{"ping"} << false;
    QTest::newRow("alarm 1, json") << QStringList{"--json", "alarm", "1"} << false;
    QTest::newRow("DALVIMO_SERVER, json") << QStringList{"--json", "ping"} << true;
    QTest::newRow("setting with read-back") << QStringList{"alarm", "2", "on"} << false;
}

void TestCtlFleet::oneSilentOfThree()
{
    QFETCH(QStringList, args);
    QFETCH(bool, viaEnvironment);
    Fleet fleet;
    QVERIFY(fleet.start(0));
    const QString list = fleet.names.join(u',');
    QProcessEnvironment env = cleanEnvironment();
    if (viaEnvironment)
        env.insert(QStringLiteral("DALVIMO_SERVER"), list);
    else
        args = QStringList{"-s", list, "--timeout", "300", "--retries", "1"} + args;

    const Run r = run(args, env);
    QCOMPARE(r.exit, 2);
    const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
    if (args.contains(QStringLiteral("--json"))) {
        QCOMPARE(lines.size(), 3); // one object per server, in the order named
        for (int i = 0; i < 3; ++i) {
            const QJsonObject o = QJsonDocument::fromJson(lines.at(i).toUtf8()).object();
            QCOMPARE(o[u"server"].toString(), fleet.names.at(i));
            QCOMPARE(o.contains(u"error"), i == 2);
            if (i == 2)
                QCOMPARE(o[u"status"].toInt(), 2);
        }
        return;
    }
    QVERIFY2(!lines.isEmpty(), qPrintable(r.err));
    for (const QString &line : lines)
        QVERIFY2(line.startsWith(fleet.names.at(0) + QStringLiteral(": "))
                     || line.startsWith(fleet.names.at(1) + QStringLiteral(": ")),
                 qPrintable(line));
    QVERIFY(r.out.contains(fleet.names.at(0)) && r.out.contains(fleet.names.at(1)));
    QVERIFY2(r.err.contains(fleet.names.at(2) + QStringLiteral(": нет ответа")), qPrintable(r.err));
    if (args.contains(QStringLiteral("on")))
        for (const auto &s : fleet.sims)
            QVERIFY(s->state().alarmReply(2).contains(QStringLiteral("|1|")));
}

// @all: every entry of the window's list, at the window's port.
void TestCtlFleet::allFromTheWindowsList()
{
    Fleet fleet;
    if (!fleet.start(17777))
        QSKIP("the window's port is taken on this test's loopback addresses");
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("dalvimoctl"));
    QVERIFY(QFile::copy(QStringLiteral(DALVIMOCTL_PATH), program));
    QFile cfg(dir.filePath(QStringLiteral("dalvimo.cfg")));
    QVERIFY(cfg.open(QIODevice::WriteOnly));
    cfg.write(ansi::encode(QStringLiteral("[General]\r\nClockIP_1=%1|Один\r\nClockIP_2=%2\r\nSelectIPNum=1\r\n")
                               .arg(ownLoopback(1), ownLoopback(2))));
    cfg.close();

    const Run r = run({"-s", "@all", "ping"}, cleanEnvironment(), program);
    QCOMPARE(r.exit, 0);
    const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines.at(0).startsWith(ownLoopback(1) + QStringLiteral(": Quorvan отвечает")), qPrintable(lines.at(0)));
    QVERIFY2(lines.at(1).startsWith(ownLoopback(2) + QStringLiteral(": Quorvan отвечает")), qPrintable(lines.at(1)));
}

QTEST_GUILESS_MAIN(TestCtlFleet)
#include "tst_ctl_fleet.moc"
