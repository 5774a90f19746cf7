#pragma once
// A loopback network of this test run's own (127.X.Y.0/24, X and Y from the
// process id), so that parallel runs never share an address.

#include <QCoreApplication>
#include <QString>

inline QString ownLoopback(int host)
{
    const qint64 pid = QCoreApplication::applicationPid();
    return QStringLiteral("127.%1.%2.%3").arg(40 + pid % 200).arg(pid / 200 % 250).arg(host);
}
