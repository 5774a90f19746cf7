#pragma once
// The pairing token of dalvimo-web: made once from the system's random
// source, kept in a file only its user may read, replaced on request. Who
// holds it may use the remote; nobody else may.

#include <QString>

namespace web {

class TokenStore {
public:
    explicit TokenStore(const QString &file) : m_file(file) {}

    // The token in the file; a new one, written there (mode 0600), when
    // there is none or renew is set. Empty, with the reason in error, when
    // the file cannot be read or written.
    QString obtain(bool renew, QString *error);
    const QString &file() const { return m_file; }

    // 32 random bytes from QRandomGenerator::system(), in base64url.
    static QString make();
    // The file beside this user's settings.
    static QString defaultFile();

private:
    QString m_file;
};

} // namespace web
