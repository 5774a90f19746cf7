// dalvimoctl as a process against the simulator over loopback: each
// command's datagrams, its output in Russian and in JSON, its exit status
// against a peer that is not Quorvan, and the server found through the
// window's settings file beside the program.

#include "common/ansi.h"
#include "ctl_process.h"
#include "support/loopback.h"
#include "support/sim_fixture.h"
#include "support/udp_peer.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// A JSON value by a path of keys and indices: "alarms/2/second".
QJsonValue at(QJsonValue v, const QString &path)
{
    for (const QString &step : path.split(u'/')) {
        bool index = false;
        const int i = step.toInt(&index);
        v = index ? v.toArray().at(i) : v.toObject().value(step);
    }
    return v;
}

// A row of commands(): the datagrams the simulator hears, in order, and
// whole lines of stdout.
void command(const char *name, const QStringList &args, const QStringList &wire, int exit, const QStringList &lines)
{
    QTest::newRow(name) << args << wire << exit << lines;
}

} // namespace

class TestCtlProgram : public QObject {
    Q_OBJECT
private slots:
    void commands_data();
    void commands();
    void json_data();
    void json();
    void failures_data();
    void failures();
    void quorvanWithoutBrightness();
    void helpAndVersion();
    void settingsFileBesideTheProgram();
    void monitorPrintsEveryDatagram();
};

void TestCtlProgram::commands_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("wire");
    QTest::addColumn<int>("exit");
    QTest::addColumn<QStringList>("lines");

    command("status", {"status"}, {"Gsk?", "GfaT", "GfaB", "Gfa*", "Gbd*"}, 0,
            {"Скин: Classic (1/7)", "Стиль: Night (2/3)", "Прозрачность: 80, границы 20…100, режим: прозрачность",
             "  уровни: 0 10 20 30 40 50 60 70 80 90 100", "Яркость: 75, границы 25…100", "Показать/спрятать: нет",
             "Всегда впереди: да", "Блокировать: нет", "Будильник 1:  7:05  вкл.   Подъём!",
             "Будильник 4: 22:00  выкл."});
    command("alarm set as Сохранить", {"alarm", "2", "set", "--time", "6:45", "--on"},
            {"Gbd2", "Sbd2|6:45:0|1", "Gbd2"}, 0, {"Будильник 2:  6:45  вкл.   Beep"});
    command("alarm set ring, Cyrillic", {"alarm", "1", "set", "--ring", "Пора вставать"},
            {"Gbd1", "Sbd1|7:5:0|1|Пора вставать", "Gbd1"}, 0, {"Будильник 1:  7:05  вкл.   Пора вставать"});
    command("alarm off", {"alarm", "3", "off"}, {"Sbd3|0", "Gbd3"}, 0, {"Будильник 3: 13:45  выкл.  Обед"});
    command("alarm", {"alarm", "4"}, {"Gbd4"}, 0, {"Будильник 4: 22:00  выкл."});
    command("alarms", {"alarms"}, {"Gbd*"}, 0, {"Будильник 2:  8:30  выкл.  Beep", "Будильник 3: 13:45  вкл.   Обед"});
    command("silence", {"silence"}, {"Sbd0"}, 0, {"Сигнал будильника отключён"});
    command("weekday/weekend switch", {"alarms-toggle"}, {"Gbd*", "Sbd1", "Gbd*"}, 0,
            {"Будильник 1:  7:05  выкл.  Подъём!"});
    command("skin prev wraps to the last", {"skin", "prev"}, {"Gsk?", "Ssk6", "Gsk?"}, 0,
            {"Скин: Digital LCD (7/7)", "Стиль: Amber (1/1)"});
    command("skin by number", {"skin", "2"}, {"Ssk1", "Gsk?"}, 0, {"Скин: Электроника (2/7)"});
    command("style next", {"style", "next"}, {"Gsk?", "Sst2", "Gsk?"}, 0, {"Стиль: Blue (3/3)"});
    command("transparency to dimming", {"transparency", "40", "--mode", "dimming"}, {"GfaT", "SfaT|40|20|100|0", "GfaT"},
            0, {"Прозрачность: 40, границы 20…100, режим: затемнение"});
    command("transparency shown", {"transparency"}, {"GfaT"}, 0,
            {"Прозрачность: 80, границы 20…100, режим: прозрачность"});
    command("brightness bound", {"brightness", "--max", "75"}, {"GfaB", "SfaB|75|25|75", "GfaB"}, 0,
            {"Яркость: 75, границы 25…75"});
    command("flag that differs", {"flag", "on-top", "off"}, {"Gfa*", "Sfa1", "Gfa*"}, 0, {"Всегда впереди: нет"});
    command("flag already so", {"flag", "on-top", "on"}, {"Gfa*"}, 0, {"Всегда впереди: да"});
    command("flag lock", {"flag", "lock", "on"}, {"Gfa*", "Sfa3", "Gfa*"}, 0, {"Блокировать: да"});
    command("save", {"save"}, {"Sss1"}, 0, {"Quorvan сохранил настройки"});
    command("send a read", {"send", "Gbd2"}, {"Gbd2"}, 0, {"Gbd2|2|8:30:00|0|Beep|10|1|0|1"});
    command("send, Quorvan fails", {"send", "Xyz"}, {"Xyz"}, 1, {"Err1|Неизвестная команда"});
    command("send a read, Quorvan fails", {"send", "Gbd9"}, {"Gbd9"}, 1, {"Err3|Нет будильника с таким номером"});
    command("skin out of range", {"skin", "99"}, {"Ssk98"}, 1, {});
    command("ping", {"ping"}, {"ping"}, 0, {});
}

// The simulator's state afterwards follows from what it heard, which the
// simulator's own tests cover.
void TestCtlProgram::commands()
{
    QFETCH(QStringList, args);
    QFETCH(QStringList, lines);
    SimFixture sim;
    QVERIFY(sim.started);

    const Run r = run(QStringList{"-s", sim.text()} + args);

    QTEST(r.exit, "exit");
    QTEST(sim.heard, "wire");
    const QStringList out = r.out.split(u'\n');
    for (const QString &line : lines)
        QVERIFY2(out.contains(line), qPrintable(line + QStringLiteral("\n--- got:\n") + r.out + r.err));
    if (r.exit == 1)
        QVERIFY2(r.err.contains(QStringLiteral("ошибка")), qPrintable(r.err));
}

void TestCtlProgram::json_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("checks"); // path=value, value as compact JSON

    QTest::newRow("status") << QStringList{"status"}
                            << QStringList{R"(skin/name="Classic")", "skin/position=1", "skin/last=7",
                                           R"(skin/style="Night")", "skin/style_count=3",
                                           R"(transparency/mode="transparency")", "transparency/levels/10=100",
                                           "brightness/supported=true", "brightness/level=75", "flags/on_top=true",
                                           "flags/lock=false", R"(alarms/0/ring="Подъём!")", R"(alarms/2/time="13:45")",
                                           "alarms/2/second=30", "alarms/3/on=false"};
    QTest::newRow("alarm set") << QStringList{"alarm", "2", "set", "--time", "6:45:30", "--on"}
                               << QStringList{"alarm/number=2", R"(alarm/time="6:45")", "alarm/second=30",
                                              "alarm/on=true", "answered=true"};
    QTest::newRow("flag unchanged") << QStringList{"flag", "hide", "off"}
                                    << QStringList{"changed=false", "flags/hide=false"};
    QTest::newRow("ping") << QStringList{"ping"} << QStringList{"attempts=1"};
    QTest::newRow("send") << QStringList{"send", "GfaB"}
                          << QStringList{R"(sent="GfaB")", R"(reply="GfaB|75|25|100|1|0|25|50|75|100")"};
}

void TestCtlProgram::json()
{
    QFETCH(QStringList, args);
    QFETCH(QStringList, checks);
    SimFixture sim;
    QVERIFY(sim.started);

    const Run r = run(QStringList{"--json", "-s", sim.text()} + args);
    QCOMPARE(r.exit, 0);
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8(), &error);
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(r.out));
    QCOMPARE(doc[u"server"].toString(), sim.text());
    for (const QString &check : checks) {
        const QString path = check.section(u'=', 0, 0);
        const QJsonValue v = at(doc.object(), path);
        const QString text = v.isString() ? u'"' + v.toString() + u'"'
            : v.isBool()                  ? QString::fromLatin1(v.toBool() ? "true" : "false")
                                          : QString::number(v.toDouble());
        QCOMPARE(path + u'=' + text, check);
    }
}

void TestCtlProgram::failures_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("reply"); // to everything; null: the peer stays silent
    QTest::addColumn<int>("exit");
    QTest::addColumn<int>("sends");
    QTest::addColumn<QString>("says"); // part of stderr

    const auto failure = [](const char *name, const QStringList &args, const QByteArray &reply, int exit, int sends,
                            const QString &says) { QTest::newRow(name) << args << reply << exit << sends << says; };
    const QString unreadable = QStringLiteral("ответ не удалось разобрать");
    failure("no answer to a read: repeated", {"ping"}, {}, 2, 3, "нет ответа на «ping» (попыток: 3, по 50 мс)");
    failure("no answer to a setting: sent once", {"silence"}, {}, 2, 1, "нет ответа на «Sbd0»");
    failure("read-back unanswered: its own silence told", {"skin", "2"}, {}, 2, 4, "нет ответа на «Gsk?» (попыток: 3");
    failure("setting not taken: resent up to the retries", {"alarm", "2", "set", "--time", "6:45"},
            "Gbd2|2|8:30:00|0|Beep|10|1|0|1", 2, 7, "; команда не выполнена");
    failure("alarm text of seven fields", {"alarms"}, "Gbd*|1|7:05:00|1|x|0|0|0", 3, 1, unreadable);
    failure("skin index a word", {"status"}, "Gsk?|0|6|x|A|0|0|0|0|0|a.stl", 3, 1, unreadable);
    failure("style not there", {"skin", "next"}, "Gsk?|0|6|0|A|0|0|0|0|3|a.stl", 3, 1, unreadable);
    failure("mode 7", {"transparency"}, "GfaT|50|10|90|7", 3, 1, unreadable);
    failure("support a word", {"flag", "lock", "on"}, "Gfa*|0|0|0|0|1|maybe", 3, 1, unreadable);
    failure("error code out of range", {"save"}, "Err99999|x", 3, 1, "непонятный ответ: Err99999|x");
    failure("Quorvan's error to a read", {"alarm", "1"}, "Err3|no such alarm", 1, 1, "ошибка 3 (no such alarm)");
}

void TestCtlProgram::failures()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, reply);
    QFETCH(QString, says);
    UdpPeer peer;
    if (!reply.isNull())
        peer.script = UdpPeer::always(reply);
    const Run r = run(QStringList{"-s", peer.text(), "--timeout", "50"} + args);
    QTEST(r.exit, "exit");
    QTEST(int(peer.heard.size()), "sends");
    QVERIFY(r.out.isEmpty());
    QVERIFY2(r.err.startsWith(QStringLiteral("dalvimoctl: ")) && r.err.contains(says), qPrintable(r.err));
}

// The window greys the brightness controls out; here nothing is sent.
void TestCtlProgram::quorvanWithoutBrightness()
{
    SimFixture sim([](auto &o) { o.brightnessSupported = false; });
    QVERIFY(sim.started);
    const Run status = run({"-s", sim.text(), "status"});
    QCOMPARE(status.exit, 0);
    QVERIFY(status.out.split(u'\n').contains(QStringLiteral("Яркость: не поддерживается")));
    sim.heard.clear();
    const Run set = run({"-s", sim.text(), "--json", "brightness", "50"});
    QCOMPARE(set.exit, 1);
    QCOMPARE(sim.heard, QStringList{"GfaB"});
    const Run shown = run({"-s", sim.text(), "--json", "brightness"});
    QCOMPARE(QJsonDocument::fromJson(shown.out.toUtf8())[u"brightness"].toObject(),
             (QJsonObject{{"supported", false}}));
}

void TestCtlProgram::helpAndVersion()
{
    const Run version = run({"--version"});
    QCOMPARE(version.exit, 0);
    QVERIFY(version.out.startsWith(QStringLiteral("dalvimoctl ")));
    const Run help = run({"--help"});
    QCOMPARE(help.exit, 0);
    QVERIFY(help.out.contains(QStringLiteral("alarms-toggle")));
    QVERIFY(help.out.contains(QStringLiteral("help [КОМАНДА]")));
    // Russian only, and nothing offered that does not work.
    for (const char *english : {"Usage", "Displays", "help-all", "Arguments", "Options"})
        QVERIFY2(!help.out.contains(QLatin1String(english)), english);
    const Run unknown = run({"alarms", "--bogus"});
    QCOMPARE(unknown.exit, 64);
    QVERIFY2(unknown.err.contains(QStringLiteral("неизвестный параметр «--bogus»")), qPrintable(unknown.err));
    const Run noValue = run({"alarms", "--timeout"});
    QCOMPARE(noValue.exit, 64);
    QVERIFY2(noValue.err.contains(QStringLiteral("«--timeout»: нужно значение")), qPrintable(noValue.err));
    for (const QStringList &args : {QStringList{"alarm", "--help"}, QStringList{"help", "alarm"}}) {
        const Run r = run(args);
        QCOMPARE(r.exit, 0);
        QVERIFY(r.out.contains(QStringLiteral("--ring")));
        QVERIFY(!r.out.contains(QStringLiteral("--mode")));
    }
}

// The program copied into a folder of its own finds the window's settings
// file there; -s and DALVIMO_SERVER come first, the window's default last.
void TestCtlProgram::settingsFileBesideTheProgram()
{
#ifdef Q_OS_WIN
    // Under Wine a reply comes from 127.0.0.1 whichever loopback address was
    // asked, and only the asked server is heard; the rule is the same on every
    // platform and is tested on Linux.
    QSKIP("Wine answers from 127.0.0.1 for every loopback address");
#endif
    QTemporaryDir dir;
    const QString program = dir.filePath(QFileInfo(QStringLiteral(DALVIMOCTL_PATH)).fileName());
    QVERIFY(QFile::copy(QStringLiteral(DALVIMOCTL_PATH), program));
    // An address of the loopback range that no other test uses, with the
    // window's default port, which an entry of the settings file implies.
    // Wine binds no loopback address but 127.0.0.1: there, that one.
    QString address = ownLoopback(7);
    const auto on = [&](auto &o) { o.bindAddress = QHostAddress(address); o.port = 17777; };
    auto chosen = std::make_unique<SimFixture>(on);
    if (!chosen->started) {
        address = QStringLiteral("127.0.0.1");
        chosen = std::make_unique<SimFixture>(on);
        if (!chosen->started)
            QSKIP("port 17777 is in use on 127.0.0.1, the one loopback address this system binds");
    }
    SimFixture &selected = *chosen;
    SimFixture other;
    QVERIFY(other.started);
    QFile cfg(dir.filePath(QStringLiteral("dalvimo.cfg")));
    QVERIFY(cfg.open(QIODevice::WriteOnly));
    cfg.write(ansi::encode(
        QStringLiteral("[General]\r\nClockIP_1=127.0.0.1|Здесь\r\nClockIP_2=%1|Там\r\nSelectIPNum=2\r\n").arg(address)));
    cfg.close();

    const Run fromFile = run({"-v", "ping"}, cleanEnvironment(), program);
    QCOMPARE(fromFile.exit, 0);
    QVERIFY2(fromFile.err.contains(address + QStringLiteral(":17777 (") + cfg.fileName() + u')'), qPrintable(fromFile.err));
    QCOMPARE(selected.heard, QStringList{"ping"});

    QProcessEnvironment env = cleanEnvironment();
    env.insert(QStringLiteral("DALVIMO_SERVER"), other.text());
    QCOMPARE(run({"ping"}, env, program).exit, 0);
    QCOMPARE(other.heard, QStringList{"ping"});
    QCOMPARE(run({"-s", address, "ping"}, env, program).exit, 0);
    QCOMPARE(selected.heard.size(), 2);

    QVERIFY(cfg.remove());
    const Run fallback = run({"-v", "--timeout", "1", "--retries", "0", "alarms"}, cleanEnvironment(), program);
    QVERIFY2(fallback.err.contains(QStringLiteral("127.0.0.1:17777 (по умолчанию)")), qPrintable(fallback.err));
}

void TestCtlProgram::monitorPrintsEveryDatagram()
{
    SimFixture sim;
    QVERIFY(sim.started);
    QProcess p;
    p.setProcessEnvironment(cleanEnvironment());
    p.start(QStringLiteral(DALVIMOCTL_PATH), {"-s", sim.text(), "monitor", "--json", "--poll", "20"});
    QByteArray out;
    QTRY_VERIFY_WITH_TIMEOUT((out += p.readAllStandardOutput()).count('\n') >= 2, 30000);
    p.kill(); // it runs until stopped; a console program has no window for terminate() to close on Windows
    QVERIFY(p.waitForFinished(30000));
    const QJsonDocument line = QJsonDocument::fromJson(out.left(out.indexOf('\n')));
    QCOMPARE(line[u"text"].toString(), QStringLiteral("ping"));
    QCOMPARE(line[u"from"].toString(), sim.text());
    QVERIFY(sim.heard.size() >= 2);
}

QTEST_GUILESS_MAIN(TestCtlProgram)
#include "tst_ctl_program.moc"
