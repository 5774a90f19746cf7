#include "remote/reads.h"

#include "common/ansi.h"
#include "protocol/command_check.h"
#include "protocol/protocol.h"
#include "protocol/reply_fields.h"

namespace remote {
namespace {

// Each face record's read command and parser.
template <class Record>
struct FaceReply;

template <>
struct FaceReply<records::SkinGroup> {
    static constexpr proto::ReadCmd command = proto::SkinQuery;
    static void parse(const QString &payload, records::SkinGroup &g)
    {
        g = records::ParseSkinGroupReply(payload);
        records::currentStyleName(g.info); // a style that is not there is as broken here as in the window
    }
};

template <>
struct FaceReply<records::TransparencyRecord> {
    static constexpr proto::ReadCmd command = proto::Transparency;
    static void parse(const QString &payload, records::TransparencyRecord &r) { records::ParseTransparencyReply(payload, r); }
};

template <>
struct FaceReply<records::BrightnessRecord> {
    static constexpr proto::ReadCmd command = proto::Brightness;
    static void parse(const QString &payload, records::BrightnessRecord &r) { records::ParseBrightnessReply(payload, r); }
};

template <>
struct FaceReply<records::FaceFlagsRecord> {
    static constexpr proto::ReadCmd command = proto::FaceFlags;
    static void parse(const QString &payload, records::FaceFlagsRecord &r) { records::ParseFaceFlagsReply(payload, r); }
};

// The reply to command, and its payload.
struct Read {
    QString text;
    QString payload;
};

Read readReply(Exchanger &ex, const QString &command)
{
    QString text = ex.read(command).text;
    QString payload = proto::splitReply(text).payload;
    return {std::move(text), std::move(payload)};
}

} // namespace

Outcome unreadable(const QString &reply)
{
    return {Outcome::Unreadable, QStringLiteral("ответ не удалось разобрать: %1").arg(ansi::printable(reply))};
}

void needSendable(const QString &value, const QString &what)
{
    if (const auto why = proto::fieldFault(value))
        throw Outcome{Outcome::Unreadable, QStringLiteral("%1 «%2» из ответа Quorvan нельзя отправить обратно: %3")
                                        .arg(what, ansi::printable(value), *why)};
}

records::BudTable Reads::alarms()
{
    const Read r = readReply(m_ex, proto::readCommand(proto::AllAlarms));
    return parsing(r.text, [&] {
        records::BudTable buds;
        const QList<QString> lines = proto::splitAlarmList(r.payload);
        // Like the window: every line is parsed into the alarm it names, and
        // a list without its fourth line is broken.
        for (int k = 0; k < records::BudTable::kCount; ++k) {
            if (k >= lines.size())
                proto::fail("missing alarm line");
            records::ParseAlarmReply(lines.at(k), buds);
        }
        return buds;
    });
}

records::BudRec Reads::alarm(int n)
{
    const Read r = readReply(m_ex, proto::alarmGet(n));
    return parsing(r.text, [&] {
        records::BudTable buds;
        records::ParseAlarmReply(r.payload, buds);
        return buds(n);
    });
}

template <class Record>
Record Reads::record()
{
    const Read r = readReply(m_ex, proto::readCommand(FaceReply<Record>::command));
    return parsing(r.text, [&] {
        Record record{};
        FaceReply<Record>::parse(r.payload, record);
        return record;
    });
}

template records::SkinGroup Reads::record<records::SkinGroup>();
template records::TransparencyRecord Reads::record<records::TransparencyRecord>();
template records::BrightnessRecord Reads::record<records::BrightnessRecord>();
template records::FaceFlagsRecord Reads::record<records::FaceFlagsRecord>();

} // namespace remote
