#include "mqtt/remote_adapter.h"

#include "protocol/address.h"
#include "protocol/reply_fields.h"
#include "remote/arguments.h"
#include "remote/commands.h"
#include "remote/exchange.h"
#include "remote/reads.h"
#include "remote/request.h"
#include "remote/server_choice.h"
#include "remote/server_list.h"
#include "settings/ini_class.h"
#include "settings/server_entries.h"

namespace mqtt {
namespace {

ctl::Endpoint endpointOf(const Quorvan &q) { return {q.address, q.port}; }

ctl::Exchanger exchangerFor(const Quorvan &q, const Exchanges &e)
{
    ctl::Policy policy;
    policy.timeoutMs = e.timeoutMs;
    policy.retries = e.retries;
    return ctl::Exchanger(endpointOf(q), policy);
}

Outcome outcomeOf(const ctl::Stop &stop)
{
    Outcome o;
    switch (stop.exitCode) {
    case ctl::kExitDone: o.kind = Outcome::Done; break;
    case ctl::kExitNoAnswer: o.kind = Outcome::NoAnswer; break;
    case ctl::kExitUnreadable: o.kind = Outcome::Unreadable; break;
    case ctl::kExitUsage: o.kind = Outcome::Refused; break;
    default: o.kind = Outcome::QuorvanError; break;
    }
    o.message = stop.message.section(u'\n', 0, 0);
    return o;
}

// What dalvimoctl's command line makes of the same change; throws
// ctl::BadArgument with the refusal.
ctl::Request requestFor(const Command &c)
{
    const QString value = QStringLiteral("значение");
    ctl::Request r;
    switch (c.kind) {
    case Command::Silence:
        r.command = QStringLiteral("silence");
        break;
    case Command::AlarmsToggle:
        r.command = QStringLiteral("alarms-toggle");
        break;
    case Command::AlarmActive:
    case Command::AlarmTime:
    case Command::AlarmRing:
        // Each goes out as "alarm N set" with one field given: the others
        // are sent as read, what the row's "Сохранить" sends.
        r.command = QStringLiteral("alarm");
        r.action = QStringLiteral("set");
        r.number = int(ctl::integerArgument(QStringLiteral("номер будильника"), QString::number(c.number), 1,
                                            BudTable::kCount));
        if (c.kind == Command::AlarmActive)
            r.on = c.on;
        else if (c.kind == Command::AlarmTime)
            r.time = ctl::timeArgument(value, c.text);
        else
            r.ring = ctl::ringArgument(value, c.text);
        break;
    case Command::Transparency:
    case Command::Brightness:
        r.command = c.kind == Command::Transparency ? QStringLiteral("transparency") : QStringLiteral("brightness");
        r.level = ctl::levelArgument(value, c.text);
        break;
    case Command::Skin:
    case Command::Style:
        r.command = c.kind == Command::Skin ? QStringLiteral("skin") : QStringLiteral("style");
        r.step = ctl::Step::Number;
        r.number = c.number;
        break;
    case Command::Flag:
        r.command = QStringLiteral("flag");
        r.flag = int(ctl::integerArgument(QStringLiteral("флаг"), QString::number(c.number), 0, face::kFlagCount - 1));
        r.on = c.on;
        break;
    }
    return r;
}

QString captionOf(const QList<settings::ServerEntry> &entries, const ctl::Endpoint &e)
{
    for (const settings::ServerEntry &entry : entries)
        if (address::ipv4Of(entry.address) == e.address.toIPv4Address())
            return entry.caption;
    return {};
}

} // namespace

QString Quorvan::text() const { return endpointOf(*this).text(); }

std::variant<QList<Quorvan>, NoQuorvan> chooseQuorvans(const std::optional<QString> &option,
                                                       const std::optional<QString> &env)
{
    const QString settingsFile = ctl::windowSettingsFile();
    const auto noneFor = [](const ctl::NoServer &why) {
        return NoQuorvan{why.reason, why.kind == ctl::NoServer::Malformed};
    };
    const std::optional<QString> named = option ? option : env && !env->isEmpty() ? env : std::nullopt;
    QList<ctl::Endpoint> endpoints;
    if (named && ctl::namesMany(*named)) {
        auto list = ctl::parseServerList(*named, settingsFile);
        if (const auto *why = std::get_if<ctl::NoServer>(&list))
            return noneFor(*why);
        endpoints = std::get<QList<ctl::Endpoint>>(list);
    } else {
        const auto choice = ctl::chooseServer(option, env, settingsFile);
        if (const auto *why = std::get_if<ctl::NoServer>(&choice))
            return noneFor(*why);
        endpoints << std::get<ctl::ServerChoice>(choice).endpoint;
    }
    const QList<settings::ServerEntry> entries = settings::readServerEntries(INI_Class(), settingsFile);
    QList<Quorvan> quorvans;
    for (const ctl::Endpoint &e : endpoints) {
        const QString caption = captionOf(entries, e);
        quorvans << Quorvan{e.address, e.port, caption.isEmpty() ? QStringLiteral("Quorvan ") + e.text() : caption};
    }
    return quorvans;
}

std::optional<QString> refusal(const Command &command)
{
    try {
        requestFor(command);
    } catch (const ctl::BadArgument &bad) {
        return bad.message;
    }
    return std::nullopt;
}

QString quoted(const QString &value) { return ctl::quotedArgument(value); }

std::optional<QString> sendableLevel(const QString &text)
{
    try {
        return ctl::levelArgument(QString(), text);
    } catch (const ctl::BadArgument &) {
        return std::nullopt;
    }
}

Outcome readState(const Quorvan &quorvan, const Exchanges &exchanges, Snapshot &into)
{
    ctl::Exchanger ex = exchangerFor(quorvan, exchanges);
    ctl::Reads reads(ex);
    try {
        Snapshot s;
        s.skin = reads.record<face::SkinGroup>();
        s.transparency = reads.record<face::TransparencyRecord>();
        s.brightness = reads.record<face::BrightnessRecord>();
        s.flags = reads.record<face::FaceFlagsRecord>();
        s.alarms = reads.alarms();
        into = s;
    } catch (const ctl::Stop &stop) {
        return outcomeOf(stop);
    }
    return {};
}

Outcome run(const Quorvan &quorvan, const Exchanges &exchanges, const Command &command)
{
    try {
        const ctl::Request request = requestFor(command);
        ctl::Exchanger ex = exchangerFor(quorvan, exchanges);
        const ctl::Shown shown = ctl::runCommand(request, ex);
        if (shown.stop)
            return outcomeOf(*shown.stop);
    } catch (const ctl::BadArgument &bad) {
        return {Outcome::Refused, bad.message};
    } catch (const ctl::Stop &stop) {
        return outcomeOf(stop);
    } catch (const reply::ReplyFailure &) {
        return {Outcome::Unreadable, QStringLiteral("ответ Quorvan не удалось разобрать")};
    }
    return {};
}

} // namespace mqtt
