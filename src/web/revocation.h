#pragma once
// --new-token while dalvimo-web already runs (a user service holds the
// port): the running server reads the token file afresh at every request,
// so once the file holds the new token the old one is refused. This asks
// that server, over the same port, whether it takes the new token and
// refuses the old one, so that the program never reports a revocation that
// did not happen.

#include <QByteArray>
#include <QHostAddress>
#include <QString>

namespace web {

class TokenStore;

// The HTTP status of GET /api/pairing with the token from the server on
// port (reached on loopback when it listens on every address); 0, with the
// reason in error, when no HTTP server answers within a few seconds.
int pairingStatus(const QHostAddress &bound, quint16 port, const QByteArray &token, QString *error);

// Whether the server there takes newToken and (when there was one) refuses
// oldToken; the reason in error when not.
bool revokedThere(const QHostAddress &bound, quint16 port, const QByteArray &oldToken, const QByteArray &newToken,
                  QString *error);

// --new-token with the port held by another process: a new token in the
// file, then the server there asked; when it has not taken the new one,
// the file is put back as it was. Says what happened (the pairing address
// on success) and gives the exit status: 0 revoked, 1 the file refused, 2
// not revoked.
int revokeInRunning(TokenStore &store, const QHostAddress &bound, quint16 port);

} // namespace web
