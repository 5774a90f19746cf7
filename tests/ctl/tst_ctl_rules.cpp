// dalvimoctl's rules without the network: which datagram answers which
// command, what the command line accepts, and which server a run goes to.

#include "common/ansi.h"
#include "ctl/cli.h"
#include "remote/exchange.h"
#include "remote/server_choice.h"
#include "protocol/protocol.h"

#include <QTemporaryDir>
#include <QTest>

using namespace ctl;

Q_DECLARE_METATYPE(ctl::Verdict::Kind)

class TestCtlRules : public QObject {
    Q_OBJECT
private slots:
    void judge_data();
    void judge();
    void commandLine_data();
    void commandLine();
    void usageErrors_data();
    void usageErrors();
    void serverChoice_data();
    void serverChoice();
};

void TestCtlRules::judge_data()
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

void TestCtlRules::judge()
{
    QFETCH(QString, sent);
    QFETCH(QString, received);
    const Verdict v = ctl::judge(sent, received);
    QTEST(v.kind, "kind");
    if (v.kind == Verdict::Failure)
        QTEST(int(v.code), "code");
}

void TestCtlRules::commandLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("check"); // field=value pairs, ";"-separated

    QTest::newRow("globals before") << QStringList{"-s", "10.0.0.2:1", "--json", "--timeout", "50", "alarms"}
                                    << "alarms" << "server=10.0.0.2:1;json=1;timeout=50;retries=2";
    QTest::newRow("globals after") << QStringList{"alarms", "--retries", "0", "-s", "h"} << "alarms"
                                   << "server=h;json=0;timeout=1000;retries=0";
    QTest::newRow("after wins") << QStringList{"--timeout", "5", "ping", "--timeout", "7"} << "ping" << "timeout=7";
    QTest::newRow("alarm set") << QStringList{"alarm", "2", "set", "--time", "6:45", "--on"} << "alarm"
                               << "number=2;action=set;time=06:45:00;on=1;ring=-";
    QTest::newRow("alarm set seconds, ring") << QStringList{"alarm", "4", "set", "--time", "07:05:09", "--ring", "Пора!!"}
                                             << "alarm" << "time=07:05:09;on=-;ring=Пора!!";
    QTest::newRow("alarm off") << QStringList{"alarm", "3", "off"} << "alarm" << "number=3;action=off;on=0";
    QTest::newRow("skin prev") << QStringList{"skin", "prev"} << "skin" << "step=prev";
    QTest::newRow("style number") << QStringList{"style", "3"} << "style" << "step=3";
    QTest::newRow("transparency") << QStringList{"transparency", "40", "--mode", "dimming", "--max", "90"}
                                  << "transparency" << "level=40;min=-;max=90;mode=0";
    QTest::newRow("transparency alone") << QStringList{"transparency"} << "transparency" << "level=-;mode=-";
    QTest::newRow("levels go out plainly") << QStringList{"brightness", "075", "--min", " 0", "--max", "+100"}
                                           << "brightness" << "level=75;min=0;max=100";
    QTest::newRow("ring of a whole datagram")
        << QStringList{"alarm", "1", "set", "--ring", QString(proto::kMaxDatagram - 16, u'Ж')} << "alarm"
        << "on=-";
    QTest::newRow("flag") << QStringList{"flag", "fix-text", "on"} << "flag" << "flag=2;on=1";
    QTest::newRow("send") << QStringList{"send", "Gbd*"} << "send" << "text=Gbd*";
    QTest::newRow("monitor") << QStringList{"monitor", "--poll", "0"} << "monitor" << "poll=0";
}

namespace {

QString fieldOf(const Request &r, const QString &name)
{
    const auto opt = [](const auto &o, auto f) { return o ? f(*o) : QStringLiteral("-"); };
    const auto str = [](const QString &s) { return s; };
    const auto flag = [](bool b) { return QString::number(int(b)); };
    if (name == u"server") return opt(r.globals.server, str);
    if (name == u"json") return flag(r.globals.json);
    if (name == u"timeout") return QString::number(r.globals.policy.timeoutMs);
    if (name == u"retries") return QString::number(r.globals.policy.retries);
    if (name == u"number") return QString::number(r.number);
    if (name == u"action") return r.action;
    if (name == u"time") return opt(r.time, [](QTime t) { return t.toString(u"HH:mm:ss"); });
    if (name == u"on") return opt(r.on, flag);
    if (name == u"ring") return opt(r.ring, str);
    if (name == u"level") return opt(r.level, str);
    if (name == u"min") return opt(r.min, str);
    if (name == u"max") return opt(r.max, str);
    if (name == u"mode") return opt(r.mode, [](int m) { return QString::number(m); });
    if (name == u"flag") return QString::number(r.flag);
    if (name == u"text") return r.text;
    if (name == u"poll") return QString::number(r.pollMs);
    if (name == u"step")
        return r.step == Step::Next ? QStringLiteral("next")
            : r.step == Step::Prev  ? QStringLiteral("prev")
                                    : QString::number(r.number);
    return QStringLiteral("?");
}

} // namespace

void TestCtlRules::commandLine()
{
    QFETCH(QStringList, args);
    QFETCH(QString, check);
    const Parsed p = parseCommandLine(QStringList{QStringLiteral("dalvimoctl")} + args);
    QCOMPARE(p.kind, Parsed::Run);
    QTEST(p.request.command, "command");
    for (const QString &pair : check.split(u';')) {
        const QString name = pair.section(u'=', 0, 0);
        QCOMPARE(name + u'=' + fieldOf(p.request, name), pair);
    }
}

void TestCtlRules::usageErrors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("hint");
    QTest::newRow("no command") << QStringList{} << "dalvimoctl --help";
    QTest::newRow("unknown command") << QStringList{"bogus"} << "dalvimoctl --help";
    QTest::newRow("unknown option") << QStringList{"alarms", "--bogus"} << "dalvimoctl alarms --help";
    QTest::newRow("alarm 0") << QStringList{"alarm", "0"} << "dalvimoctl alarm --help";
    QTest::newRow("alarm 5") << QStringList{"alarm", "5"} << "dalvimoctl alarm --help";
    QTest::newRow("alarm set, nothing to set") << QStringList{"alarm", "2", "set"} << "alarm --help";
    QTest::newRow("alarm set, bad time") << QStringList{"alarm", "2", "set", "--time", "24:00"} << "alarm --help";
    QTest::newRow("alarm set, time with blanks") << QStringList{"alarm", "2", "set", "--time", " 6:45"} << "alarm --help";
    QTest::newRow("alarm set, on and off") << QStringList{"alarm", "2", "set", "--on", "--off"} << "alarm --help";
    QTest::newRow("alarm set, short ring") << QStringList{"alarm", "2", "set", "--ring", "Бип"} << "alarm --help";
    QTest::newRow("field without set") << QStringList{"alarm", "2", "--on"} << "alarm --help";
    QTest::newRow("alarm verb") << QStringList{"alarm", "2", "toggle"} << "alarm --help";
    QTest::newRow("skin word") << QStringList{"skin", "last"} << "skin --help";
    QTest::newRow("skin 0") << QStringList{"skin", "0"} << "skin --help";
    QTest::newRow("flag name") << QStringList{"flag", "top", "on"} << "flag --help";
    QTest::newRow("flag state") << QStringList{"flag", "lock", "yes"} << "flag --help";
    QTest::newRow("mode") << QStringList{"transparency", "40", "--mode", "dark"} << "transparency --help";
    QTest::newRow("brightness mode") << QStringList{"brightness", "40", "--mode", "dimming"} << "brightness --help";
    QTest::newRow("extra argument") << QStringList{"status", "now"} << "status --help";
    QTest::newRow("empty send") << QStringList{"send", ""} << "send --help";
    QTest::newRow("timeout 0") << QStringList{"--timeout", "0", "ping"} << "ping --help";
    QTest::newRow("retries word") << QStringList{"ping", "--retries", "many"} << "ping --help";
    QTest::newRow("ring a byte beyond a datagram")
        << QStringList{"alarm", "4", "set", "--ring", QString(proto::kMaxDatagram - 15, u'Ж')} << "alarm --help";
    QTest::newRow("ring with NUL") << QStringList{"alarm", "4", "set", "--ring", QStringLiteral("Wake") + QChar(0) + "up"}
                                   << "alarm --help";
}

void TestCtlRules::usageErrors()
{
    QFETCH(QStringList, args);
    QFETCH(QString, hint);
    const Parsed p = parseCommandLine(QStringList{QStringLiteral("dalvimoctl")} + args);
    QCOMPARE(p.kind, Parsed::Usage);
    const QStringList lines = p.error.split(u'\n');
    QCOMPARE(lines.size(), 2); // what is wrong, then the hint
    QVERIFY2(lines.at(1).endsWith(hint), qPrintable(p.error));
}

void TestCtlRules::serverChoice_data()
{
    QTest::addColumn<QString>("option"); // null: not given
    QTest::addColumn<QString>("env");    // null: not set
    QTest::addColumn<QByteArray>("cfg"); // null: no file
    QTest::addColumn<QString>("endpoint"); // or, when refused, "usage" or "not reached"

    const QByteArray two = "[General]\r\nClockIP_1=127.0.0.5|Кухня\r\nClockIP_2=127.0.0.6\r\nSelectIPNum=2\r\n";
    QTest::newRow("option wins") << "127.0.0.9:5" << "127.0.0.8" << two << "127.0.0.9:5";
    QTest::newRow("env next") << QString() << "127.0.0.8:6" << two << "127.0.0.8:6";
    QTest::newRow("empty env is unset") << QString() << "" << two << "127.0.0.6:17777";
    QTest::newRow("selected entry, default port") << QString() << QString() << two << "127.0.0.6:17777";
    QTest::newRow("no SelectIPNum: entry 1") << QString() << QString()
                                             << QByteArray("[General]\nClockIP_1=127.0.0.5|Кухня\n")
                                             << "127.0.0.5:17777";
    QTest::newRow("nothing selected") << QString() << QString() << QByteArray(two).replace("SelectIPNum=2", "SelectIPNum=0")
                                      << "127.0.0.1:17777";
    QTest::newRow("entry after a gap") << QString() << QString()
                                       << QByteArray("[General]\nClockIP_1=127.0.0.5\nClockIP_3=127.0.0.7\nSelectIPNum=3\n")
                                       << "127.0.0.1:17777";
    QTest::newRow("SelectIPNum not a number") << QString() << QString()
                                              << QByteArray("[General]\nClockIP_1=127.0.0.5\nSelectIPNum=1e0\n")
                                              << "127.0.0.1:17777";
    QTest::newRow("leading zeros, window's rule") << QString() << QString()
                                                  << QByteArray("[General]\nClockIP_1=127.000.000.011\n")
                                                  << "127.0.0.11:17777";
    QTest::newRow("selected entry not an address") << QString() << QString()
                                                   << QByteArray("[General]\nClockIP_1=kitchen\n") << "usage";
    QTest::newRow("no file") << QString() << QString() << QByteArray() << "127.0.0.1:17777";
    QTest::newRow("host name") << "localhost:7" << QString() << QByteArray() << "127.0.0.1:7";
    QTest::newRow("bad address") << "127.0.0.300" << QString() << QByteArray() << "usage";
    QTest::newRow("bad port") << "127.0.0.1:70000" << QString() << QByteArray() << "usage";
    QTest::newRow("empty port") << "127.0.0.1:" << QString() << QByteArray() << "usage";
    QTest::newRow("IPv6") << "::1" << QString() << QByteArray() << "usage";
    QTest::newRow("IPv6 with a port") << "[::1]:17777" << QString() << QByteArray() << "usage";
    QTest::newRow("bad env") << QString() << "127.0.0.1:x" << two << "usage";
    QTest::newRow("name that does not resolve") << "nosuchhost.invalid" << QString() << QByteArray()
                                                << "not reached";
}

void TestCtlRules::serverChoice()
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

QTEST_GUILESS_MAIN(TestCtlRules)
#include "tst_ctl_rules.moc"
