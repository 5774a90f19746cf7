#pragma once
// Many Quorvans named at once: -s a,b,c or @all (every entry of the
// window's server list), for every program that talks to several.

#include "remote/server_choice.h"

#include <QList>
#include <QString>

#include <variant>

namespace remote {

// Whether a server text names more than one server: a comma, or "@all".
bool namesMany(const QString &text);

// The servers a text names: comma-separated ADDRESS[:PORT], and "@all" for
// every entry of the settings file (at the window's port, which entries do
// not carry). The first that names no server stops the list.
std::variant<QList<Endpoint>, NoServer> parseServerList(const QString &text, const QString &settingsFile);

} // namespace remote
