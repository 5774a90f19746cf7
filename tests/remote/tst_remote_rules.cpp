// The shared exchanges' rules without the network: which datagram answers
// which command, and which server a run goes to.

#include "common/ansi.h"
#include "remote/exchange.h"
#include "remote/server_choice.h"

#include <QTemporaryDir>
#include <QTest>

using namespace remote;

Q_DECLARE_METATYPE(remote::Verdict::Kind)

class TestRemoteRules : public QObject {
    Q_OBJECT
private slots:
    void judge_data();
    void judge();
    void serverChoice_data();
    void serverChoice();
};

void TestRemoteRules::judge_data()
{
    QTest::addColumn<QString>("sent");
    QTest::addColumn<QString>("received");
    QTest::addColumn<Verdict::Kind>("kind");
    QTest::addColumn<int>("code");

    QTest::newRow("read: own head") << "Gbd2" << "Gbd2|2|7:05:00|1|x|0|0|0|0" << Verdict::Answer << 0;
    QTest::newRow("read: all alarms") << "Gbd*" << "Gbd*|a\r\nb" << Verdict::Answer << 0;
    QTest::newRow("read: another alarm") << "Gbd2" << "Gbd3|3|7:05:00|1|x|0|0|0|0" << Verdict::Ignore << 0;
    QTest::newRow("read: longer selector") << "Gbd2" << "Gbd23|x" << Verdict::Ignore << 0;
    QTest::newRow("read: other face reply") << "GfaT" << "GfaB|1|2|3|1" << Verdict::Ignore << 0;
    QTest::newRow("read: skin query") << "Gsk?" << "Gsk?|0|6|0|A|0|0|0|0|0|a.stl" << Verdict::Answer << 0;
    QTest::newRow("read: head without payload") << "Gfa*" << "Gfa*" << Verdict::Answer << 0;
    QTest::newRow("read: success of an earlier setting") << "Gfa*" << "Err0|" << Verdict::Ignore << 0;
    QTest::newRow("read: failure") << "Gbd9" << "Err3|Нет будильника" << Verdict::Failure << 3;
    QTest::newRow("read: ping echo") << "Gbd*" << "ping" << Verdict::Ignore << 0;
    QTest::newRow("setting: success") << "Sfa1" << "Err0|" << Verdict::Answer << 0;
    QTest::newRow("setting: failure") << "Ssk99" << "Err11|Нет скина" << Verdict::Failure << 11;
    QTest::newRow("setting: code missing") << "Sss1" << "Err|x" << Verdict::Failure << -1;
    QTest::newRow("setting: bare Err") << "Sss1" << "Err" << Verdict::Failure << -1;
    QTest::newRow("setting: late read reply") << "Sfa1" << "Gfa*|0|1|0|0|1|1" << Verdict::Ignore << 0;
    QTest::newRow("setting: code out of range") << "Sfa1" << "Err99999|x" << Verdict::Unreadable << 0;
    QTest::newRow("ping: echo") << "ping" << "ping" << Verdict::Answer << 0;
    QTest::newRow("ping: not quite") << "ping" << "pingpong" << Verdict::Ignore << 0;
    QTest::newRow("ping: success of a setting") << "ping" << "Err0|" << Verdict::Ignore << 0;
}

void TestRemoteRules::judge()
{
    QFETCH(QString, sent);
    QFETCH(QString, received);
    const Verdict v = remote::judge(sent, received);
    QTEST(v.kind, "kind");
    if (v.kind == Verdict::Failure)
        QTEST(int(v.code), "code");
}

void TestRemoteRules::serverChoice_data()
{
    QTest::addColumn<QString>("option"); // null: not given
    QTest::addColumn<QString>("env");    // null: not set
    QTest::addColumn<QByteArray>("cfg"); // null: no file
    QTest::addColumn<QString>("endpoint"); // or, when refused, "usage" or "not reached"

    // A row from the command line and DALVIMO_SERVER alone, or from the window's file alone.
    const auto given = [](const char *name, const QString &option, const QString &env, const QString &endpoint,
                          const QByteArray &cfg = {}) { QTest::newRow(name) << option << env << cfg << endpoint; };
    const auto fromFile = [](const char *name, const QByteArray &cfg, const QString &endpoint) {
        QTest::newRow(name) << QString() << QString() << cfg << endpoint;
    };
    const QByteArray two = "[General]\r\nClockIP_1=127.0.0.5|Кухня\r\nClockIP_2=127.0.0.6\r\nSelectIPNum=2\r\n";
    given("option wins", "127.0.0.9:5", "127.0.0.8", "127.0.0.9:5", two);
    given("env next", QString(), "127.0.0.8:6", "127.0.0.8:6", two);
    given("empty env is unset", QString(), "", "127.0.0.6:17777", two);
    given("bad env", QString(), "127.0.0.1:x", "usage", two);
    fromFile("selected entry, default port", two, "127.0.0.6:17777");
    fromFile("no SelectIPNum: entry 1", "[General]\nClockIP_1=127.0.0.5|Кухня\n", "127.0.0.5:17777");
    fromFile("nothing selected", QByteArray(two).replace("SelectIPNum=2", "SelectIPNum=0"), "127.0.0.1:17777");
    fromFile("entry after a gap", "[General]\nClockIP_1=127.0.0.5\nClockIP_3=127.0.0.7\nSelectIPNum=3\n",
             "127.0.0.1:17777");
    fromFile("SelectIPNum not a number", "[General]\nClockIP_1=127.0.0.5\nSelectIPNum=1e0\n", "127.0.0.1:17777");
    fromFile("leading zeros, window's rule", "[General]\nClockIP_1=127.000.000.011\n", "127.0.0.11:17777");
    fromFile("selected entry not an address", "[General]\nClockIP_1=kitchen\n", "usage");
    fromFile("no file", QByteArray(), "127.0.0.1:17777");
    given("host name", "localhost:7", QString(), "127.0.0.1:7");
    given("bad address", "127.0.0.300", QString(), "usage");
    given("bad port", "127.0.0.1:70000", QString(), "usage");
    given("port 0", "127.0.0.1:0", QString(), "usage");
    given("empty port", "127.0.0.1:", QString(), "usage");
    given("IPv6", "::1", QString(), "usage");
    given("IPv6 with a port", "[::1]:17777", QString(), "usage");
    given("name that does not resolve", "nosuchhost.invalid", QString(), "not reached");
}

void TestRemoteRules::serverChoice()
{
    QFETCH(QString, option);
    QFETCH(QString, env);
    QFETCH(QByteArray, cfg);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("dalvimo.cfg"));
    if (!cfg.isNull()) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(ansi::encode(QString::fromUtf8(cfg))); // the window's file is Windows-1251
    }
    const auto given = [](const QString &s) { return s.isNull() ? std::nullopt : std::optional<QString>(s); };
    const auto choice = chooseServer(given(option), given(env), file);
    const auto *server = std::get_if<ServerChoice>(&choice);
    const auto *none = std::get_if<NoServer>(&choice);
    QTEST(server ? server->endpoint.text()
                 : QString::fromLatin1(none->kind == NoServer::Malformed ? "usage" : "not reached"),
          "endpoint");
    if (none) // the whole text that names no server, never a piece of it
        QVERIFY2(!none->reason.contains(QStringLiteral("«:»")), qPrintable(none->reason));
}

QTEST_GUILESS_MAIN(TestRemoteRules)
#include "tst_remote_rules.moc"
