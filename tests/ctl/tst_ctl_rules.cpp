// dalvimoctl's rules without the network: what the command line accepts.

#include "ctl/cli.h"
#include "protocol/protocol.h"

#include <QTest>

using namespace ctl;
using remote::Request;
using remote::Step;

class TestCtlRules : public QObject {
    Q_OBJECT
private slots:
    void commandLine_data();
    void commandLine();
    void usageErrors_data();
    void usageErrors();
};

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

QString fieldOf(const Parsed &p, const QString &name)
{
    const auto opt = [](const auto &o, auto f) { return o ? f(*o) : QStringLiteral("-"); };
    const auto str = [](const QString &s) { return s; };
    const auto flag = [](bool b) { return QString::number(int(b)); };
    const Request &r = p.request;
    const Options &o = p.options;
    if (name == u"server") return opt(o.server, str);
    if (name == u"json") return flag(o.json);
    if (name == u"timeout") return QString::number(o.policy.timeoutMs);
    if (name == u"retries") return QString::number(o.policy.retries);
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
    if (name == u"poll") return QString::number(o.pollMs);
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
        QCOMPARE(name + u'=' + fieldOf(p, name), pair);
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
    QTest::newRow("alarm set, minute 75") << QStringList{"alarm", "2", "set", "--time", "6:75"} << "alarm --help";
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
    QTest::newRow("retries below 0") << QStringList{"--retries", "-1", "alarms"} << "alarms --help";
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

QTEST_GUILESS_MAIN(TestCtlRules)
#include "tst_ctl_rules.moc"
