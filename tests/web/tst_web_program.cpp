// dalvimo-web as a process: SIGTERM and SIGINT end it cleanly (status 0);
// --new-token reaches the server already running on the port, and from then
// on the old token is refused; where whatever holds the port does not take
// the new token, the file stays as it was and the status says so; a token
// file refused while it serves lets nobody in.

#include "http_exchange.h"

#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/stat.h>

namespace {

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

QByteArray tokenIn(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed() : QByteArray();
}

QByteArray pairing(quint16 port, const QByteArray &token)
{
    return request("GET", "/api/pairing", port, "Authorization: Bearer " + token + "\r\n", {});
}

struct Web {
    QTemporaryDir dir;
    quint16 port = freePort();
    QString tokenFile = dir.filePath(QStringLiteral("token"));
    QProcess process;

    QStringList arguments(const QStringList &extra = {}) const
    {
        return QStringList{"-s", "127.0.0.1:9", "--bind", "127.0.0.1", "--port", QString::number(port),
                           "--token-file", tokenFile}
            + extra;
    }
    // True once it prints its pairing address: it serves.
    bool start()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DALVIMO_SERVER"));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(DALVIMO_WEB_PATH), arguments());
        QByteArray out;
        for (int i = 0; i < 600 && !out.contains("#token="); ++i) {
            process.waitForReadyRead(100);
            out += process.readAllStandardOutput();
        }
        return out.contains("#token=");
    }
    // Another run beside it; its exit status, stdout and stderr.
    std::tuple<int, QString, QString> run(const QStringList &extra) const
    {
        QProcess p;
        QSignalSpy finished(&p, &QProcess::finished);
        p.start(QStringLiteral(DALVIMO_WEB_PATH), arguments(extra));
        if (!finished.wait(60000))
            p.kill();
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }
    ~Web()
    {
        process.kill();
        process.waitForFinished(10000);
    }
};

} // namespace

class TestWebProgram : public QObject {
    Q_OBJECT
private slots:
    void served_data();
    void served();
    void newTokenNobodyTakes_data();
    void newTokenNobodyTakes();
};

// Refused while it serves (others may read it now), the file lets no
// request in; made right, it counts again. --new-token then revokes the
// token in use, and the signal ends the server cleanly.
void TestWebProgram::served_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
}

void TestWebProgram::served()
{
    QFETCH(int, signal);
    Web web;
    QVERIFY(web.start());
    const QByteArray old = tokenIn(web.tokenFile);
    QCOMPARE(exchange(web.port, pairing(web.port, old)).status, 200);
    const QByteArray path = QFile::encodeName(web.tokenFile);
    QCOMPARE(::chmod(path.constData(), 0644), 0);
    QCOMPARE(exchange(web.port, pairing(web.port, old)).status, 401);
    QCOMPARE(::chmod(path.constData(), 0600), 0);
    QCOMPARE(exchange(web.port, pairing(web.port, old)).status, 200);

    const auto [exit, out, err] = web.run({QStringLiteral("--new-token")});
    QVERIFY2(exit == 0, qPrintable(err));
    QVERIFY2(out.contains(QStringLiteral("прежний больше не действует")), qPrintable(out));
    const QByteArray fresh = tokenIn(web.tokenFile);
    QVERIFY(fresh != old);
    QVERIFY(out.contains(QString::fromLatin1("#token=" + fresh)));
    QCOMPARE(exchange(web.port, pairing(web.port, old)).status, 401);
    QCOMPARE(exchange(web.port, pairing(web.port, fresh)).status, 200);

    ::kill(pid_t(web.process.processId()), signal);
    QVERIFY(web.process.waitForFinished(20000));
    QCOMPARE(web.process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(web.process.exitCode(), 0);
}

// The port is held by a program that is not dalvimo-web: it closes every
// connection unanswered, or says 200 to any token.
void TestWebProgram::newTokenNobodyTakes_data()
{
    QTest::addColumn<bool>("hadFile");
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("a token file before") << true << QByteArray();
    QTest::newRow("no token file before") << false << QByteArray();
    QTest::newRow("the old token still taken") << true << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n");
}

void TestWebProgram::newTokenNobodyTakes()
{
    QFETCH(bool, hadFile);
    QFETCH(QByteArray, answer);
    Web web;
    QTcpServer holder;
    QVERIFY(holder.listen(QHostAddress::LocalHost, web.port));
    QObject::connect(&holder, &QTcpServer::newConnection, &holder, [&] {
        while (QTcpSocket *s = holder.nextPendingConnection()) {
            s->write(answer);
            s->disconnectFromHost();
        }
    });
    const QByteArray before = "keep-me-keep-me-keep-me-keep-me-keep-me-keep\n";
    if (hadFile) {
        QFile f(web.tokenFile);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(before) == before.size());
        f.close();
        QVERIFY(f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    }

    const auto [exit, out, err] = web.run({QStringLiteral("--new-token")});
    QCOMPARE(exit, 2);
    QVERIFY2(err.contains(QStringLiteral("оставлен прежним")), qPrintable(err));
    QCOMPARE(QFile::exists(web.tokenFile), hadFile);
    if (hadFile) {
        QFile f(web.tokenFile);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }
}

QTEST_GUILESS_MAIN(TestWebProgram)
#include "tst_web_program.moc"
