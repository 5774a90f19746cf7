#include "web/api.h"

#include "common/exit_codes.h"
#include "remote/arguments.h"
#include "remote/commands.h"
#include "remote/report.h"

#include <QJsonDocument>
#include <QJsonValue>
#include <QList>

#include <algorithm>
#include <iterator>

namespace web {
namespace {

using remote::BadArgument;
using remote::Outcome;

// How a command that ran ended, for the phone: the HTTP status, and in the
// body the status dalvimoctl would have exited with. Quorvan refused, or
// said what nobody can read, or what would go out may not: 502; it did not
// answer: 504.
struct Ending {
    Outcome::Kind kind;
    int http;
    int status;
};
constexpr Ending kEndings[] = {
    {Outcome::Done, 200, exit_code::kDone},
    {Outcome::Refused, 502, exit_code::kUsage},
    {Outcome::NoAnswer, 504, exit_code::kNoAnswer},
    {Outcome::QuorvanError, 502, exit_code::kQuorvanError},
    {Outcome::Unreadable, 502, exit_code::kUnreadable},
};

const Ending &endingOf(Outcome::Kind kind)
{
    for (const Ending &e : kEndings)
        if (e.kind == kind)
            return e;
    return kEndings[std::size(kEndings) - 1];
}

// A level given as a number or as text: the same check as on the command line.
QString levelField(const QJsonObject &o, const QString &key)
{
    const QJsonValue v = o.value(key);
    const QString text = v.isDouble() ? QString::number(v.toDouble(), 'g', 12) : v.toString();
    return remote::levelArgument(key, text);
}

bool boolField(const QJsonObject &o, const QString &key)
{
    const QJsonValue v = o.value(key);
    if (!v.isBool())
        throw BadArgument{key + QStringLiteral(": нужно true или false")};
    return v.toBool();
}

QString textField(const QJsonObject &o, const QString &key)
{
    const QJsonValue v = o.value(key);
    if (!v.isString())
        throw BadArgument{key + QStringLiteral(": нужен текст")};
    return v.toString();
}

// A number in a path is plain digits: no sign, no leading zero, no blank,
// so that one alarm has one address.
int alarmNumber(const QByteArray &text)
{
    const QString name = QStringLiteral("номер будильника");
    const QString number = QString::fromLatin1(text);
    if (text.isEmpty() || text.front() == '0'
        || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        throw BadArgument{name + QStringLiteral(": «%1» — нужны одни цифры").arg(remote::quotedArgument(number))};
    return int(remote::integerArgument(name, number, 1, 4));
}

void readAlarmBody(remote::Request &r, const QJsonObject &o)
{
    r.action = QStringLiteral("set");
    if (o.contains(QLatin1String("time")))
        r.time = remote::timeArgument(QStringLiteral("time"), textField(o, QStringLiteral("time")));
    if (o.contains(QLatin1String("on")))
        r.on = boolField(o, QStringLiteral("on"));
    if (o.contains(QLatin1String("ring")))
        r.ring = remote::ringArgument(QStringLiteral("ring"), textField(o, QStringLiteral("ring")));
    if (!r.time && !r.on && !r.ring)
        throw BadArgument{QStringLiteral("укажите time, on или ring")};
}

void readStepBody(remote::Request &r, const QJsonObject &o)
{
    const QString step = textField(o, QStringLiteral("step"));
    if (step == QLatin1String("next"))
        r.step = remote::Step::Next;
    else if (step == QLatin1String("prev"))
        r.step = remote::Step::Prev;
    else
        throw BadArgument{QStringLiteral("step: нужно next или prev")};
}

void readLevelBody(remote::Request &r, const QJsonObject &o)
{
    if (o.contains(QLatin1String("level")))
        r.level = levelField(o, QStringLiteral("level"));
    if (o.contains(QLatin1String("min")))
        r.min = levelField(o, QStringLiteral("min"));
    if (o.contains(QLatin1String("max")))
        r.max = levelField(o, QStringLiteral("max"));
    if (r.min && r.max)
        remote::boundsArguments(QStringLiteral("min"), *r.min, QStringLiteral("max"), *r.max);
    if (r.command == QLatin1String("transparency") && o.contains(QLatin1String("mode"))) {
        const QString m = textField(o, QStringLiteral("mode"));
        if (m != QLatin1String("transparency") && m != QLatin1String("dimming"))
            throw BadArgument{QStringLiteral("mode: нужно transparency или dimming")};
        r.mode = m == QLatin1String("transparency") ? 1 : 0;
    }
}

// POST routes: /api/NAME or /api/NAME/ARG.
void readPost(remote::Request &r, const QList<QByteArray> &parts, const QJsonObject &o)
{
    const QByteArray &name = parts.at(0);
    const bool hasArg = parts.size() == 2;
    if (name == "alarm" && hasArg) {
        r.command = QStringLiteral("alarm");
        r.number = alarmNumber(parts.at(1));
        readAlarmBody(r, o);
    } else if ((name == "silence" || name == "alarms-toggle" || name == "save") && !hasArg) {
        r.command = QString::fromLatin1(name);
    } else if ((name == "skin" || name == "style") && !hasArg) {
        r.command = QString::fromLatin1(name);
        readStepBody(r, o);
    } else if ((name == "transparency" || name == "brightness") && !hasArg) {
        r.command = QString::fromLatin1(name);
        readLevelBody(r, o);
    } else if (name == "flag" && hasArg) {
        r.command = QStringLiteral("flag");
        r.flag = int(remote::flagNames().indexOf(QString::fromLatin1(parts.at(1))));
        if (r.flag < 0)
            throw BadArgument{QStringLiteral("флаг: нужно ") + remote::flagNames().join(QStringLiteral(", "))};
        r.on = boolField(o, QStringLiteral("on"));
    }
}

void readGet(remote::Request &r, const QList<QByteArray> &parts)
{
    const QByteArray &name = parts.at(0);
    if ((name == "status" || name == "alarms" || name == "ping") && parts.size() == 1) {
        r.command = QString::fromLatin1(name);
    } else if (name == "alarm" && parts.size() == 2) {
        r.command = QStringLiteral("alarm");
        r.number = alarmNumber(parts.at(1));
    }
}

} // namespace

ApiReply failure(int httpStatus, int exitCode, const QString &message)
{
    ApiReply a;
    a.httpStatus = httpStatus;
    a.json.insert(QStringLiteral("error"), message);
    a.json.insert(QStringLiteral("status"), exitCode);
    return a;
}

namespace {

// The command of one method and path: empty when none of that method has
// this path; a 400 reply when its body is wrong.
std::variant<remote::Request, ApiReply> routeOnce(const QByteArray &method, const QList<QByteArray> &parts,
                                               const QByteArray &body)
{
    remote::Request r;
    try {
        if (method == "GET") {
            readGet(r, parts);
        } else {
            QJsonObject o;
            if (!body.trimmed().isEmpty()) {
                const QJsonDocument doc = QJsonDocument::fromJson(body);
                if (!doc.isObject())
                    return failure(400, exit_code::kUsage, QStringLiteral("тело запроса — не объект JSON"));
                o = doc.object();
            }
            readPost(r, parts, o);
        }
    } catch (const BadArgument &bad) {
        return failure(400, exit_code::kUsage, bad.message);
    }
    return r;
}

bool names(const std::variant<remote::Request, ApiReply> &routed)
{
    if (const auto *r = std::get_if<remote::Request>(&routed))
        return !r->command.isEmpty();
    return true;
}

} // namespace

std::variant<remote::Request, ApiReply> routeRequest(const QByteArray &method, const QByteArray &path,
                                                  const QByteArray &body)
{
    const QList<QByteArray> parts = path.mid(qsizetype(sizeof("/api/")) - 1).split('/');
    if (!path.startsWith("/api/") || parts.size() > 2 || parts.at(0).isEmpty())
        return failure(404, exit_code::kUsage, QStringLiteral("нет такого адреса"));
    if (method != "GET" && method != "POST")
        return failure(405, exit_code::kUsage, QStringLiteral("только GET и POST"));
    auto routed = routeOnce(method, parts, body);
    if (names(routed))
        return routed;
    // A path of the other method is 405: reads are GET, changes POST only.
    if (names(routeOnce(method == "GET" ? "POST" : "GET", parts, {})))
        return failure(405, exit_code::kUsage,
                       method == "GET" ? QStringLiteral("изменения — только POST") : QStringLiteral("только GET"));
    return failure(404, exit_code::kUsage, QStringLiteral("нет такого адреса"));
}

ApiReply runRequest(const remote::Request &request, remote::Exchanger &ex)
{
    try {
        ApiReply a;
        a.json = remote::runCommand(request, ex).json;
        a.json.insert(QStringLiteral("server"), ex.server().text());
        return a;
    } catch (const Outcome &stop) {
        const Ending &e = endingOf(stop.kind);
        return failure(e.http, e.status, stop.message.section(u'\n', 0, 0));
    }
}

} // namespace web
