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
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}
