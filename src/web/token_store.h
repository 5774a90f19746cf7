#pragma once
// The pairing token of dalvimo-web: made once from the system's random
// source, kept in a file only its user may read, replaced on request. Who
// holds it may use the remote; nobody else may.
//
// The file is trusted only as what this program makes: a regular file of
// this user's (never a link, a device or a FIFO) that nobody else may read
// or write, holding one token at least as long as the program's own, in its
// alphabet. Anything else is refused with the reason, never replaced behind
// the user's back: only --new-token replaces a file, and only a regular one
// of this user's. A new file is made beside the old one with O_EXCL and
// mode 0600 and then renamed over it, so a reader never sees half a token.

#include <QByteArray>
#include <QString>

#include <optional>

namespace web {

class TokenStore {
public:
    explicit TokenStore(const QString &file) : m_file(file) {}

    // The token in the file; at the first start, with no file at all, a
    // new one written there. Empty, with the reason in error, when the file
    // is refused or cannot be written.
    QString obtain(QString *error);
    // A new token in place of the file's (or of no file). Empty, with the
    // reason in error, when the file is not a regular file of this user's or
    // cannot be written.
    QString renew(QString *error);
    // Puts back what the last renew() replaced: the same bytes and mode, or
    // no file.
    bool restore(QString *error);
    // The token as the file holds it at this moment, read afresh each time,
    // so that a token replaced by another process counts at once. Empty,
    // with the reason in error, while the file is refused.
    QByteArray current(QString *error) const;

    const QString &file() const { return m_file; }

    // 32 random bytes from QRandomGenerator::system(), in base64url: 43
    // characters, the shortest token the file may hold.
    static QString make();
    // The file beside this user's settings.
    static QString defaultFile();

private:
    struct Saved {
        QByteArray bytes;
        unsigned mode = 0600;
    };

    QString m_file;
    std::optional<Saved> m_replaced; // what renew() replaced; nullopt: there was no file
};

} // namespace web
