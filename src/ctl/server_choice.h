#pragma once
// Which Quorvan dalvimoctl talks to: -s/--server, else DALVIMO_SERVER, else
// the entry that the window's settings file has selected, else the window's
// own start-up address and port.

#include "ctl/channel.h"

#include <QString>

#include <optional>
#include <variant>

namespace ctl {

struct ServerChoice {
    Endpoint endpoint;
    QString source; // where it came from, for --verbose
};

// ADDRESS[:PORT]. The address is checked by the window's rule (four decimal
// parts); a text with letters in it is a host name and is looked up (IPv4
// only, like the window). Without a port the window's default port.
// A one-line reason when the text names no server.
std::variant<Endpoint, QString> parseServerText(const QString &text);

// option and env are empty when not given; settingsFile is the window's
// settings file, which may not exist. A one-line reason when the chosen
// text names no server.
std::variant<ServerChoice, QString> chooseServer(const std::optional<QString> &option,
                                                 const std::optional<QString> &env,
                                                 const QString &settingsFile);

// The window's settings file as this program finds it: the file the window
// beside this executable would use.
QString windowSettingsFile();

} // namespace ctl
