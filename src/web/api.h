#pragma once
// The JSON API of dalvimo-web: each route is one of dalvimoctl's commands,
// built from the path and the JSON body, checked by the same argument
// rules, run through the same exchanges, and answered in the shapes of
// `dalvimoctl --json`. Reads are GET, everything that changes Quorvan is
// POST.

#include "remote/exchange.h"
#include "remote/request.h"

#include <QByteArray>
#include <QJsonObject>

#include <optional>
#include <variant>

namespace web {

struct ApiReply {
    int httpStatus = 200;
    QJsonObject json;
};

// The command a route names; an ApiReply (404, 405, 400) when it names
// none or its body is wrong.
std::variant<remote::Request, ApiReply> routeRequest(const QByteArray &method, const QByteArray &path,
                                                  const QByteArray &body);

// Runs the command against Quorvan: 200 with what it showed, or the
// failure as {"error", "status"} with an HTTP status that tells its kind.
ApiReply runRequest(const remote::Request &request, remote::Exchanger &ex);

// {"error": message, "status": exit code} as dalvimoctl prints a failure.
ApiReply failure(int httpStatus, int exitCode, const QString &message);

} // namespace web
