#include "mqtt/remote_adapter.h"

#include "common/address.h"
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

remote::Endpoint endpointOf(const Quorvan &q) { return {q.address.toIPv4Address(), q.port}; }

remote::Exchanger exchangerFor(const Quorvan &q, const Exchanges &e)
{
    remote::Policy policy;
    policy.timeoutMs = e.timeoutMs;
    policy.retries = e.retries;
    return remote::Exchanger(endpointOf(q), policy);
}

Outcome outcomeOf(const Outcome &stop) { return {stop.kind, stop.message.section(u'\n', 0, 0)}; }

// What dalvimoctl's command line makes of the same change; throws
// remote::BadArgument with the refusal.
remote::Request requestFor(const Command &c)
{
    const QString value = QStringLiteral("значение");
    remote::Request r;
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
        r.number = int(remote::integerArgument(QStringLiteral("номер будильника"), QString::number(c.number), 1,
                                            records::BudTable::kCount));
        if (c.kind == Command::AlarmActive)
            r.on = c.on;
        else if (c.kind == Command::AlarmTime)
            r.time = remote::timeArgument(value, c.text);
        else
            r.ring = remote::ringArgument(value, c.text);
        break;
    case Command::Transparency:
    case Command::Brightness:
        r.command = c.kind == Command::Transparency ? QStringLiteral("transparency") : QStringLiteral("brightness");
        r.level = remote::levelArgument(value, c.text);
        break;
    case Command::Skin:
    case Command::Style:
        r.command = c.kind == Command::Skin ? QStringLiteral("skin") : QStringLiteral("style");
        r.step = remote::Step::Number;
        r.number = c.number;
        break;
    case Command::Flag:
        r.command = QStringLiteral("flag");
        r.flag = int(remote::integerArgument(QStringLiteral("флаг"), QString::number(c.number), 0, records::kFlagCount - 1));
        r.on = c.on;
        break;
    }
    return r;
}

QString captionOf(const QList<settings::ServerEntry> &entries, const remote::Endpoint &e)
{
    for (const settings::ServerEntry &entry : entries)
        if (address::ipv4Of(entry.address) == e.ipv4)
            return entry.caption;
    return {};
}

} // namespace

QString Quorvan::text() const { return endpointOf(*this).text(); }

std::variant<QList<Quorvan>, NoQuorvan> chooseQuorvans(const std::optional<QString> &option)
{
    const std::optional<QString> env = remote::serverFromEnvironment();
    const QString settingsFile = remote::windowSettingsFile();
    const auto noneFor = [](const remote::NoServer &why) {
        return NoQuorvan{why.reason, why.kind == remote::NoServer::Malformed};
    };
    const std::optional<QString> named = option ? option : env && !env->isEmpty() ? env : std::nullopt;
    QList<remote::Endpoint> endpoints;
    if (named && remote::namesMany(*named)) {
        auto list = remote::parseServerList(*named, settingsFile);
        if (const auto *why = std::get_if<remote::NoServer>(&list))
            return noneFor(*why);
        endpoints = std::get<QList<remote::Endpoint>>(list);
    } else {
        const auto choice = remote::chooseServer(option, env, settingsFile);
        if (const auto *why = std::get_if<remote::NoServer>(&choice))
            return noneFor(*why);
        endpoints << std::get<remote::ServerChoice>(choice).endpoint;
    }
    const QList<settings::ServerEntry> entries = settings::readServerEntries(INI_Class(), settingsFile);
    QList<Quorvan> quorvans;
    for (const remote::Endpoint &e : endpoints) {
        const QString caption = captionOf(entries, e);
        quorvans << Quorvan{QHostAddress(e.ipv4), e.port, caption.isEmpty() ? QStringLiteral("Quorvan ") + e.text() : caption};
    }
    return quorvans;
}

std::optional<QString> refusal(const Command &command)
{
    try {
        requestFor(command);
    } catch (const remote::BadArgument &bad) {
        return bad.message;
    }
    return std::nullopt;
}

QString quoted(const QString &value) { return remote::quotedArgument(value); }

std::optional<QString> sendableLevel(const QString &text)
{
    try {
        return remote::levelArgument(QString(), text);
    } catch (const remote::BadArgument &) {
        return std::nullopt;
    }
}

Outcome readState(const Quorvan &quorvan, const Exchanges &exchanges, Snapshot &into)
{
    remote::Exchanger ex = exchangerFor(quorvan, exchanges);
    remote::Reads reads(ex);
    try {
        Snapshot s;
        s.skin = reads.record<records::SkinGroup>();
        s.transparency = reads.record<records::TransparencyRecord>();
        s.brightness = reads.record<records::BrightnessRecord>();
        s.flags = reads.record<records::FaceFlagsRecord>();
        s.alarms = reads.alarms();
        into = s;
    } catch (const Outcome &stop) {
        return outcomeOf(stop);
    }
    return {};
}

Outcome run(const Quorvan &quorvan, const Exchanges &exchanges, const Command &command)
{
    try {
        const remote::Request request = requestFor(command);
        remote::Exchanger ex = exchangerFor(quorvan, exchanges);
        const remote::Shown shown = remote::runCommand(request, ex);
        if (shown.stop)
            return outcomeOf(*shown.stop);
    } catch (const remote::BadArgument &bad) {
        return {Outcome::Refused, bad.message};
    } catch (const Outcome &stop) {
        return outcomeOf(stop);
    } catch (const proto::ReplyFailure &) {
        return {Outcome::Unreadable, QStringLiteral("ответ Quorvan не удалось разобрать")};
    }
    return {};
}

} // namespace mqtt
