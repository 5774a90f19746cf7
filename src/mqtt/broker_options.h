#pragma once
// Where the broker is and who this bridge is to it: from the command line
// or from a file that only its owner may read, since it may hold the
// password. The file has "key = value" lines (host, port, user, password,
// tls, cafile); "#" starts a comment line; a value is taken as written, to
// the end of its line, blanks around it dropped.

#include <QString>

#include <optional>

namespace mqtt {

struct BrokerOptions {
    QString host = QStringLiteral("localhost");
    std::optional<quint16> port; // 1883, or 8883 with TLS
    QString user;
    QString password;
    bool tls = false;
    QString cafile; // empty: the system's certificate authorities
    int keepAliveS = 30;

    quint16 portOrDefault() const { return port.value_or(tls ? 8883 : 1883); }
    QString text() const; // "host:port", with "(TLS)" when it applies
};

// ~/.config/dalvimo/dalvimo-mqtt.conf
QString defaultBrokerFile();

// Reads file into options, over what they hold. A missing file is no error
// unless mustExist. The error names the file and the line: a file that
// others may read or write is refused before a byte is read.
std::optional<QString> readBrokerFile(const QString &file, bool mustExist, BrokerOptions &options);

} // namespace mqtt
