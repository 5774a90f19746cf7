// The window program's command line: what starts the window, what prints
// and leaves, and with which status.

#include "app/command_line.h"

#include <QTest>

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void helpNamesProgramAndSettingsFile();
};

void TestCommandLine::parse_data()
{
    QTest::addColumn<QStringList>("args"); // after the program's own path
    QTest::addColumn<bool>("startWindow");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");      // must be contained; empty: nothing printed
    QTest::addColumn<QString>("err");

    const QString version = QStringLiteral("dalvimo " DALVIMO_TEST_VERSION "\n");
    const QString usage = QStringLiteral("Usage: dalvimo [options]\n");
    QTest::newRow("nothing") << QStringList{} << true << 0 << "" << "";
    QTest::newRow("--version") << QStringList{"--version"} << false << 0 << version << "";
    QTest::newRow("-v") << QStringList{"-v"} << false << 0 << version << "";
    QTest::newRow("--help") << QStringList{"--help"} << false << 0 << usage << "";
    QTest::newRow("-h") << QStringList{"-h"} << false << 0 << usage << "";
    QTest::newRow("-?") << QStringList{"-?"} << false << 0 << usage << "";
    QTest::newRow("unknown long option") << QStringList{"--bogus"} << false << 64 << ""
                                         << "dalvimo: Unknown option 'bogus'.\nTry 'dalvimo --help'";
    QTest::newRow("unknown short option") << QStringList{"-x"} << false << 64 << "" << "Unknown option 'x'.";
    QTest::newRow("a file name") << QStringList{"servers.cfg"} << false << 64 << ""
                                 << "Unexpected argument 'servers.cfg'.";
    QTest::newRow("error wins over help") << QStringList{"--help", "--bogus"} << false << 64 << ""
                                          << "Unknown option 'bogus'.";
    QTest::newRow("Qt's -platform") << QStringList{"-platform", "offscreen"} << true << 0 << "" << "";
    QTest::newRow("Qt's -style=") << QStringList{"-style=fusion"} << true << 0 << "" << "";
    QTest::newRow("Qt's -reverse") << QStringList{"-reverse"} << true << 0 << "" << "";
    QTest::newRow("Qt's option without its value") << QStringList{"-platform"} << false << 64 << ""
                                                   << "Missing value after '-platform'.";
}

void TestCommandLine::parse()
{
    QFETCH(QStringList, args);
    QFETCH(bool, startWindow);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);

    const app::Request r = app::parse(QStringList{QStringLiteral("/usr/bin/dalvimo")} + args,
                                      QStringLiteral("/home/u/.config/dalvimo/dalvimo.cfg"));
    QCOMPARE(r.startWindow, startWindow);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(out.isEmpty() ? r.out.isEmpty() : r.out.contains(out), qPrintable(r.out));
    QVERIFY2(err.isEmpty() ? r.err.isEmpty() : r.err.contains(err), qPrintable(r.err));
}

void TestCommandLine::helpNamesProgramAndSettingsFile()
{
    const app::Request r = app::parse({QStringLiteral("./Dalvimo-portable"), QStringLiteral("--help")},
                                      QStringLiteral("/opt/dv/Dalvimo-portable.cfg"));
    QVERIFY2(r.out.startsWith(QStringLiteral("Usage: Dalvimo-portable [options]\n")), qPrintable(r.out));
    QVERIFY(r.out.contains(QStringLiteral("Settings file: /opt/dv/Dalvimo-portable.cfg\n")));
    QVERIFY(r.out.contains(QStringLiteral("--version")));
    QVERIFY2(!r.out.contains(QStringLiteral("platform")), "Qt's own options stay out of the help");
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
