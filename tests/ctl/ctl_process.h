#pragma once
// dalvimoctl as a process: its exit status and what it printed, with the
// event loop running meanwhile, so that peers in the test process answer.

#include <QProcess>
#include <QSignalSpy>
#include <QString>
#include <QStringList>

struct Run {
    int exit = -1;
    QString out;
    QString err;
};

inline QProcessEnvironment cleanEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DALVIMO_SERVER"));
    return env;
}

inline Run run(const QStringList &args, const QProcessEnvironment &env = cleanEnvironment(),
               const QString &program = QStringLiteral(DALVIMOCTL_PATH))
{
    QProcess p;
    p.setProcessEnvironment(env);
    QSignalSpy finished(&p, &QProcess::finished);
    p.start(program, args);
    if (!finished.wait(60000))
        p.kill();
    // Lines end as the platform's text output ends them: CR LF on Windows.
    const auto text = [](const QByteArray &bytes) {
        return QString::fromUtf8(bytes).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    };
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            text(p.readAllStandardOutput()), text(p.readAllStandardError())};
}
