#pragma once
// Which Quorvan dalvimoctl talks to: -s/--server, else DALVIMO_SERVER, else
// the entry that the window's settings file has selected, else the window's
// own start-up address and port.

#include "remote/channel.h"

#include <QString>

#include <optional>
#include <variant>

namespace remote {

struct ServerChoice {
    Endpoint endpoint;
    QString source; // where it came from, for --verbose
};

// Why no server could be chosen.
struct NoServer {
    enum Kind {
        Malformed,  // the text names no server: a usage error
        Unresolved, // a host name that does not resolve: the server is not reached
    };
    Kind kind = Malformed;
    QString reason; // one line
};

// ADDRESS[:PORT]. The address is checked by the window's rule (four decimal
// parts); a text with letters in it is a host name and is looked up (IPv4
// only, like the window). Without a port the window's default port.
std::variant<Endpoint, NoServer> parseServerText(const QString &text);

// option and env are empty when not given; settingsFile is the window's
// settings file, which may not exist.
std::variant<ServerChoice, NoServer> chooseServer(const std::optional<QString> &option,
                                                  const std::optional<QString> &env,
                                                  const QString &settingsFile);

// DALVIMO_SERVER's text, when the environment has it (empty counts as given).
std::optional<QString> serverFromEnvironment();

// The window's settings file as this program finds it: the file the window
// beside this executable would use.
QString windowSettingsFile();

} // namespace remote
