// The window as a real process, told to stop from outside: SIGTERM (a
// desktop session's log-out), SIGINT and SIGHUP close it exactly as "Выйти"
// does, so its settings are written; a settings file over the size limit is
// named once and left as it is.

#include "settings/profile.h"
#include "support/loopback.h"
#include "support/udp_peer.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <unistd.h>

namespace {

// The program beside a settings file of its own, in a folder of the build
// tree: a hard link where the file system allows, else a copy.
bool placeProgram(const QString &program)
{
    if (::link(DALVIMO_PATH, QFile::encodeName(program).constData()) == 0)
        return true;
    return QFile::copy(QStringLiteral(DALVIMO_PATH), program);
}

struct Window {
    QTemporaryDir dir{QCoreApplication::applicationDirPath() + QStringLiteral("/stop-XXXXXX")};
    UdpPeer server{QHostAddress(ownLoopback(8)), 17777}; // the server its settings file names, at the window's port
    QProcess process;

    QString cfg() const { return dir.filePath(QStringLiteral("dalvimo.cfg")); }

    // Starts the window and waits for its first poll: start-up is over and
    // the signals are its own.
    bool start(const QByteArray &settings)
    {
        const QString program = dir.filePath(QStringLiteral("dalvimo"));
        QFile f(cfg());
        if (!dir.isValid() || !placeProgram(program) || !f.open(QIODevice::WriteOnly) || f.write(settings) < 0)
            return false;
        f.close();
        if (!server.bound())
            return false;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(env);
        process.start(program, {});
        return server.waitFor(1, 60000);
    }

    bool stop(int signal)
    {
        ::kill(pid_t(process.processId()), signal);
        return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit
            && process.exitCode() == 0;
    }
};

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestStopSignals : public QObject {
    Q_OBJECT
private slots:
    void stopWritesTheSettings_data();
    void stopWritesTheSettings();
    void oversizedFileIsNamedOnce();
};

void TestStopSignals::stopWritesTheSettings_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM, as at log-out") << SIGTERM;
    QTest::newRow("SIGINT, Ctrl+C") << SIGINT;
    QTest::newRow("SIGHUP, the terminal closed") << SIGHUP;
}

void TestStopSignals::stopWritesTheSettings()
{
    QFETCH(int, signal);
    Window w;
    const QByteArray start = "[General]\r\nClockIP_1=" + ownLoopback(8).toLatin1()
        + "|Здесь\r\nFrameSelect=0\r\nAutoActiveSet=0\r\n";
    QVERIFY(w.start(start));
    QVERIFY(w.stop(signal));
    // The four keys, each once: the two there replaced in place, the two
    // missing added after them, in the order "Выйти" writes them.
    QCOMPARE(fileBytes(w.cfg()), start + "SelectIPNum=1\r\nAutoPing=1\r\n");
    QVERIFY(!QString::fromUtf8(w.process.readAllStandardError()).contains(QStringLiteral("не сохранены")));
}

void TestStopSignals::oversizedFileIsNamedOnce()
{
    Window w;
    QByteArray big = "[General]\r\nClockIP_1=" + ownLoopback(8).toLatin1() + "\r\n";
    const QByteArray comment(1000, ';');
    while (big.size() <= profile::kMaxFileSize)
        big += comment + "\r\n";
    QVERIFY(w.start(big));
    QVERIFY(w.stop(SIGTERM));
    QCOMPARE(fileBytes(w.cfg()), big);
    const QString err = QString::fromUtf8(w.process.readAllStandardError());
    QCOMPARE(err.count(w.cfg()), 1);
    QVERIFY2(err.contains(QStringLiteral("не сохранены")), qPrintable(err));
}

QTEST_GUILESS_MAIN(TestStopSignals)
#include "tst_stop_signals.moc"
