// dalvimoctl as a process against hostile peers and a script author's
// mistakes, over real UDP on loopback: only the server's replies count,
// arguments the protocol cannot carry are refused before anything is sent,
// peer text reaches the terminal escaped, and every failure under --json is
// one JSON object.

#include "common/ansi.h"
#include "ctl_process.h"
#include "support/udp_peer.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>

namespace {

// The server, and two impostors that answer first when told: another
// loopback address on the server's port, and the server's address on
// another port.
struct Peers {
    UdpPeer server;
    UdpPeer otherAddress{QHostAddress(QStringLiteral("127.0.0.2")), server.port()};
    UdpPeer otherPort;

    explicit Peers(const QMap<QString, QByteArray> &replies = {}, const QByteArray &impostorsSay = {})
    {
        server.script = UdpPeer::replies(replies);
        if (!impostorsSay.isEmpty())
            server.first = [this, impostorsSay](const QNetworkDatagram &d) {
                for (UdpPeer *p : {&otherAddress, &otherPort})
                    p->send(impostorsSay, d.senderAddress(), quint16(d.senderPort()));
            };
    }
    QString address() const { return server.text(); }
};

QByteArray alarmList(const QByteArray &ring1)
{
    return "Gbd*|1|7:05:00|1|" + ring1 + "|0|0|0|0\r\n2|8:30:00|0|Beep|0|0|0|0\r\n3|13:45:30|1|Обед|0|0|0|0\r\n"
           "4|22:00:00|0||0|0|0|0";
}

// Stdout under --json: exactly one object on one line.
QJsonObject onlyObject(const QString &out)
{
    if (!out.endsWith(u'\n') || out.count(u'\n') != 1)
        return {};
    return QJsonDocument::fromJson(out.toUtf8()).object();
}

// Characters a terminal acts on, other than the line ends of the output itself.
bool hasControls(const QString &text)
{
    static const QRegularExpression controls(QStringLiteral("[\\x00-\\x09\\x0b-\\x1f\\x7f-\\x9f]"));
    return text.contains(controls);
}

} // namespace

class TestCtlTrust : public QObject {
    Q_OBJECT
private slots:
    void onlyTheServerIsHeard_data();
    void onlyTheServerIsHeard();
    void refusedArguments_data();
    void refusedArguments();
    void peerTextOnTheTerminal_data();
    void peerTextOnTheTerminal();
    void monitorHearsEveryoneAndNamesThem();
    void failuresUnderJson_data();
    void failuresUnderJson();
};

void TestCtlTrust::onlyTheServerIsHeard_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("impostors");
    QTest::addColumn<bool>("serverAnswers");
    QTest::addColumn<int>("exit");
    QTest::addColumn<QString>("line"); // a line of stdout, or empty

    const QByteArray fake = alarmList("Fake");
    QTest::newRow("alarms: impostors answer first") << QStringList{"alarms"} << fake << true << 0
                                                    << "Будильник 1:  7:05  вкл.   Real";
    QTest::newRow("alarms: only impostors answer") << QStringList{"alarms"} << fake << false << 2 << "";
    QTest::newRow("ping: impostors echo") << QStringList{"ping"} << QByteArray("ping") << false << 2 << "";
    QTest::newRow("save: impostors report success") << QStringList{"save"} << QByteArray("Err0|") << false << 2 << "";
    QTest::newRow("save: impostors report failure") << QStringList{"save"} << QByteArray("Err3|x") << true << 0
                                                    << "Quorvan сохранил настройки";
}

void TestCtlTrust::onlyTheServerIsHeard()
{
    QFETCH(QStringList, args);
    QFETCH(bool, serverAnswers);
    QFETCH(QByteArray, impostors);
    Peers peers(serverAnswers ? QMap<QString, QByteArray>{{"Gbd*", alarmList("Real")}, {"Sss1", "Err0|"}}
                              : QMap<QString, QByteArray>{},
                impostors);

    const Run r = run(QStringList{"-v", "-s", peers.address(), "--timeout", "300", "--retries", "0"} + args);
    QTEST(r.exit, "exit");
    QFETCH(QString, line);
    if (!line.isEmpty())
        QVERIFY2(r.out.split(u'\n').contains(line), qPrintable(r.out + r.err));
    QVERIFY(!r.out.contains(QStringLiteral("Fake")));
    // The socket is connected to the server: the system drops both
    // impostors' datagrams unread, and --verbose shows the server's only.
    QCOMPARE(r.err.count(QStringLiteral("не сервер, отброшено")), 0);
    const QStringList received =
        r.err.split(u'\n').filter(QStringLiteral("<- ")).filter(QRegularExpression(QStringLiteral("<- (?!от )")));
    QCOMPARE(received.size(), serverAnswers ? 1 : 0);
}

void TestCtlTrust::refusedArguments_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("names"); // how the message begins: the argument

    const QString longText(70000, u'a');
    QTest::newRow("level with bars") << QStringList{"transparency", "1|2|3|4|5"} << "УРОВЕНЬ: «1|2|3|4|5»";
    QTest::newRow("bound with a bar") << QStringList{"transparency", "40", "--min", "x|y"} << "--min: «x|y»";
    QTest::newRow("level a word") << QStringList{"brightness", "abc"} << "УРОВЕНЬ: «abc»";
    QTest::newRow("level above 100") << QStringList{"brightness", "101"} << "УРОВЕНЬ: «101»";
    QTest::newRow("bound below 0") << QStringList{"brightness", "--max", "-1"} << "--max: «-1»";
    QTest::newRow("bound a fraction") << QStringList{"transparency", "--max", "99.5"} << "--max: «99.5»";
    QTest::newRow("bounds crossed") << QStringList{"transparency", "--min", "60", "--max", "40"} << "--min:";
    QTest::newRow("ring with bars") << QStringList{"alarm", "3", "set", "--ring", "ab|cd|ef"} << "--ring: «ab|cd|ef»";
    QTest::newRow("ring with a line feed") << QStringList{"alarm", "3", "set", "--ring", "Wake\nup now"}
                                           << "--ring: «Wake\\nup now»";
    QTest::newRow("ring with a CR") << QStringList{"alarm", "3", "set", "--ring", "Wake\rup now"} << "--ring:";
    QTest::newRow("ring outside Windows-1251") << QStringList{"alarm", "3", "set", "--ring", "Wake 😀 ok"}
                                               << "--ring: «Wake 😀 ok» — символа «😀» нет";
    QTest::newRow("ring beyond a datagram") << QStringList{"alarm", "3", "set", "--ring", longText} << "--ring:";
    QTest::newRow("send beyond a datagram") << QStringList{"send", longText} << "ТЕКСТ:";
    QTest::newRow("send outside Windows-1251") << QStringList{"send", "Sbd1|7:0:0|1|Ω≈ç"} << "ТЕКСТ:";
    QTest::newRow("skin beyond 16 bits") << QStringList{"skin", "40000"} << "НОМЕР: «40000»";
    QTest::newRow("time") << QStringList{"alarm", "1", "set", "--time", "25:00"} << "--time: «25:00»";
    QTest::newRow("escape in an argument") << QStringList{"alarm", "1", "set", "--time", "\x1b[2J"}
                                           << "--time: «\\x1b[2J»";
    QTest::newRow("IPv6 server") << QStringList{"-s", "::1", "ping"} << "--server: «::1» — не IPv4-адрес";
}

// Exit 64, a message naming the argument, nothing on the wire, and under
// --json the same as one object.
void TestCtlTrust::refusedArguments()
{
    QFETCH(QStringList, args);
    QFETCH(QString, names);
    Peers peers;
    const bool ownServer = args.contains(QStringLiteral("-s"));
    const Run r = run((ownServer ? QStringList{} : QStringList{"-s", peers.address()}) + QStringList{"--json"} + args);
    QCOMPARE(r.exit, 64);
    QVERIFY2(r.err.startsWith(QStringLiteral("dalvimoctl: ") + names), qPrintable(r.err));
    QVERIFY2(!hasControls(r.err), qPrintable(r.err));
    QCOMPARE(r.err.count(u'\n'), 2); // the reason, then the hint
    const QJsonObject o = onlyObject(r.out);
    QCOMPARE(o.value(QStringLiteral("status")), QJsonValue(64));
    QVERIFY2(o.value(QStringLiteral("error")).toString().startsWith(names), qPrintable(r.out));
    QCOMPARE(peers.server.heard, QStringList{});
}

void TestCtlTrust::peerTextOnTheTerminal_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("reply");  // the server's answer, Windows-1251
    QTest::addColumn<QString>("terminal");  // the line it becomes, on stdout or stderr

    const QStringList send{"send", "Gbd1"};
    QTest::newRow("clear screen") << send << QByteArray("Gbd1|\x1b[2J") << "Gbd1|\\x1b[2J";
    QTest::newRow("retitle") << send << QByteArray("Gbd1|\x1b]0;TITLE\x07") << "Gbd1|\\x1b]0;TITLE\\x07";
    QTest::newRow("NUL") << send << QByteArray("Gbd1|a\0b", 8) << "Gbd1|a\\x00b";
    QTest::newRow("lone CR") << send << QByteArray("Gbd1|ok\rdalvimoctl: fake") << "Gbd1|ok\\rdalvimoctl: fake";
    QTest::newRow("lone LF") << send << QByteArray("Gbd1|ok\nfake") << "Gbd1|ok\\nfake";
    QTest::newRow("DEL and backspace") << send << QByteArray("Gbd1|x\x7f\x08y") << "Gbd1|x\\x7f\\x08y";
    QTest::newRow("Cyrillic kept") << send << ansi::encode(u"Gbd1|Подъём!") << "Gbd1|Подъём!";
    QTest::newRow("ring of an alarm") << QStringList{"alarms"} << alarmList("\x1b[31mred\x1b[0m")
                                      << "Будильник 1:  7:05  вкл.   \\x1b[31mred\\x1b[0m";
    QTest::newRow("error text") << QStringList{"alarm", "1"} << QByteArray("Err3|\x1b[2Jgone")
                                << "dalvimoctl: Quorvan: ошибка 3 (\\x1b[2Jgone)";
    QTest::newRow("unreadable reply") << QStringList{"alarm", "1"} << QByteArray("Gbd1|\x1b]0;T\x07")
                                      << "dalvimoctl: ответ не удалось разобрать: Gbd1|\\x1b]0;T\\x07";
}

void TestCtlTrust::peerTextOnTheTerminal()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, reply);
    Peers peers({{args.last() == u"alarms" ? QStringLiteral("Gbd*") : QStringLiteral("Gbd1"), reply}});

    const Run r = run(QStringList{"-s", peers.address(), "--timeout", "2000"} + args);
    QVERIFY2(!hasControls(r.out) && !hasControls(r.err), qPrintable(r.out + r.err));
    QFETCH(QString, terminal);
    QVERIFY2((r.out + r.err).split(u'\n').contains(terminal), qPrintable(r.out + r.err));

    // --json carries the text itself, escaped the JSON way.
    if (args.first() == u"send") {
        const Run json = run(QStringList{"-s", peers.address(), "--json"} + args);
        QCOMPARE(onlyObject(json.out).value(QStringLiteral("reply")).toString(), ansi::decode(reply));
    }
}

// monitor hears everyone (that is its job), names each sender, and no
// datagram can fake a line of its own.
void TestCtlTrust::monitorHearsEveryoneAndNamesThem()
{
    UdpPeer server;
    QProcess p;
    p.setProcessEnvironment(cleanEnvironment());
    p.start(QStringLiteral(DALVIMOCTL_PATH), {"-v", "-s", server.text(), "monitor", "--poll", "0"});
    QByteArray err;
    QTRY_VERIFY_WITH_TIMEOUT((err += p.readAllStandardError()).contains("слушаю порт"), 30000);
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("слушаю порт (\\d+)")).match(QString::fromUtf8(err));
    QVERIFY2(m.hasMatch(), err.constData());
    const auto port = quint16(m.captured(1).toUInt());

    UdpPeer stranger(QHostAddress(QStringLiteral("127.0.0.2")));
    stranger.send("Gbd1|x\n12:00:00.000 127.0.0.1:17777 fake", port);
    server.send("Err0|\x1b[2J", port);
    QByteArray out;
    QTRY_VERIFY_WITH_TIMEOUT((out += p.readAllStandardOutput()).count('\n') >= 2, 30000);
    p.terminate();
    QVERIFY(p.waitForFinished(30000));
    out += p.readAllStandardOutput();

    const QStringList lines = QString::fromUtf8(out).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines.at(0).endsWith(QStringLiteral(" 127.0.0.2:%1 Gbd1|x\\n12:00:00.000 127.0.0.1:17777 fake")
                                      .arg(stranger.port())),
             qPrintable(lines.at(0)));
    QVERIFY2(lines.at(1).endsWith(QStringLiteral(" %1 Err0|\\x1b[2J").arg(server.text())),
             qPrintable(lines.at(1)));
}

void TestCtlTrust::failuresUnderJson_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("error"); // how the error begins

    QTest::newRow("no answer") << QStringList{"ping"} << 2 << "нет ответа на «ping»";
    QTest::newRow("name that does not resolve") << QStringList{"-s", "nosuchhost.invalid", "ping"} << 2
                                                << "--server: адрес «nosuchhost.invalid» не найден";
    QTest::newRow("Quorvan's error, escaped") << QStringList{"send", "Xyz"} << 1 << "Quorvan: ошибка 1 (нет\\x1b[2J)";
    QTest::newRow("unknown command") << QStringList{"bogus"} << 64 << "неизвестная команда «bogus»";
    QTest::newRow("unreadable") << QStringList{"alarm", "2"} << 3 << "ответ не удалось разобрать";
}

// Exactly one object on stdout, the failure's status also the exit status.
void TestCtlTrust::failuresUnderJson()
{
    QFETCH(QStringList, args);
    Peers peers({{"Xyz", ansi::encode(u"Err1|нет\x1b[2J")}, {"Gbd2", "Gbd2|2|7:05"}});
    const bool ownServer = args.contains(QStringLiteral("-s"));
    const Run r = run((ownServer ? QStringList{} : QStringList{"-s", peers.address()})
                      + QStringList{"--json", "--timeout", "100", "--retries", "0"} + args);
    QTEST(r.exit, "status");
    const QJsonObject o = onlyObject(r.out);
    QTEST(o.value(QStringLiteral("status")).toInt(-1), "status");
    QFETCH(QString, error);
    QVERIFY2(o.value(QStringLiteral("error")).toString().startsWith(error), qPrintable(r.out));
    if (args.contains(QStringLiteral("send"))) // what did come is in the same object
        QCOMPARE(o.value(QStringLiteral("reply")).toString(), QStringLiteral("Err1|нет\x1b[2J"));
}

QTEST_GUILESS_MAIN(TestCtlTrust)
#include "tst_ctl_trust.moc"
