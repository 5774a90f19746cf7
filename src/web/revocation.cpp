#include "web/revocation.h"

#include "web/pairing.h"
#include "web/token_store.h"

#include <QDeadlineTimer>
#include <QTcpSocket>
#include <QTextStream>

namespace web {
namespace {

constexpr int kWaitMs = 5000;
constexpr qsizetype kReplyMax = 16 * 1024;

QHostAddress reachable(const QHostAddress &bound)
{
    if (bound == QHostAddress::AnyIPv6)
        return QHostAddress(QHostAddress::LocalHostIPv6);
    if (bound == QHostAddress::Any || bound == QHostAddress::AnyIPv4)
        return QHostAddress(QHostAddress::LocalHost);
    return bound;
}

} // namespace

int pairingStatus(const QHostAddress &bound, quint16 port, const QByteArray &token, QString *error)
{
    const QHostAddress to = reachable(bound);
    QTcpSocket socket;
    socket.connectToHost(to, port);
    const QDeadlineTimer deadline(kWaitMs);
    if (!socket.waitForConnected(int(deadline.remainingTime()))) {
        *error = socket.errorString();
        return 0;
    }
    const QByteArray host = to.protocol() == QAbstractSocket::IPv6Protocol ? '[' + to.toString().toLatin1() + ']'
                                                                           : to.toString().toLatin1();
    socket.write("GET /api/pairing HTTP/1.1\r\nHost: " + host + ':' + QByteArray::number(port)
                 + "\r\nAuthorization: Bearer " + token + "\r\nConnection: close\r\n\r\n");
    QByteArray reply;
    // The server closes the connection after its one reply.
    while (reply.size() < kReplyMax && !deadline.hasExpired()
           && (socket.bytesAvailable() > 0 || socket.waitForReadyRead(int(deadline.remainingTime()))))
        reply += socket.read(kReplyMax - reply.size());
    reply += socket.read(kReplyMax - reply.size());
    if (!reply.startsWith("HTTP/1.1 ") || reply.size() < 12) {
        *error = reply.isEmpty() ? QStringLiteral("нет ответа по HTTP") : QStringLiteral("ответ не по HTTP");
        return 0;
    }
    return reply.mid(9, 3).toInt();
}

bool revokedThere(const QHostAddress &bound, quint16 port, const QByteArray &oldToken, const QByteArray &newToken,
                  QString *error)
{
    const int fresh = pairingStatus(bound, port, newToken, error);
    if (fresh != 200) {
        if (fresh != 0)
            *error = QStringLiteral("новый ключ там не принят (HTTP %1)").arg(fresh);
        return false;
    }
    if (oldToken.isEmpty() || oldToken == newToken)
        return true;
    const int old = pairingStatus(bound, port, oldToken, error);
    if (old != 401) {
        if (old != 0)
            *error = QStringLiteral("старый ключ там всё ещё принят (HTTP %1)").arg(old);
        return false;
    }
    return true;
}

int revokeInRunning(TokenStore &store, const QHostAddress &bound, quint16 port)
{
    QTextStream err(stderr);
    QString error;
    const QByteArray old = store.current(&error); // empty: the server there takes no token now either
    const QString token = store.renew(&error);
    if (token.isEmpty()) {
        err << "dalvimo-web: ключ сопряжения (" << store.file() << "): " << error << '\n';
        return 1;
    }
    if (revokedThere(bound, port, old, token.toLatin1(), &error)) {
        QTextStream out(stdout);
        out << "dalvimo-web на порту " << port << " уже работает и принял новый ключ; прежний больше не действует.\n";
        printPairing(out, bound, port, token);
        return 0;
    }
    err << "dalvimo-web: порт " << port << " занят, а работающий на нём сервер нового ключа не принял (" << error
        << ")";
    QString undo;
    if (store.restore(&undo))
        err << "; ключ в " << store.file() << " оставлен прежним\n";
    else
        err << "; прежний файл ключа вернуть не удалось: " << undo << '\n';
    return 2;
}

} // namespace web
