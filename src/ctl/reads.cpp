#include "ctl/reads.h"

#include "protocol/protocol.h"
#include "protocol/reply_fields.h"

namespace ctl {
namespace {

QString payloadOf(Exchanger &ex, const QString &command, QString *reply)
{
    *reply = ex.read(command).text;
    return proto::splitReply(*reply).payload;
}

} // namespace

Stop unreadable(const QString &reply)
{
    QString shown = reply;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\\r\\n"));
    return {kExitUnreadable, QStringLiteral("ответ не удалось разобрать: %1").arg(shown)};
}

BudTable Reads::alarms()
{
    QString text;
    const QString payload = payloadOf(m_ex, proto::readCommand(proto::AllAlarms), &text);
    return parsing(text, [&] {
        BudTable buds;
        const QList<QString> lines = reply::splitAlarmList(payload);
        // Like the window: every line is parsed into the alarm it names, and
        // a list without its fourth line is broken.
        for (int k = 0; k < BudTable::kCount; ++k) {
            if (k >= lines.size())
                reply::fail("missing alarm line");
            ParseAlarmReply(lines.at(k), buds);
        }
        return buds;
    });
}

BudRec Reads::alarm(int n)
{
    QString text;
    const QString payload = payloadOf(m_ex, proto::alarmGet(n), &text);
    return parsing(text, [&] {
        BudTable buds;
        ParseAlarmReply(payload, buds);
        return buds(n);
    });
}

face::SkinGroup Reads::skin()
{
    QString text;
    const QString payload = payloadOf(m_ex, proto::readCommand(proto::SkinQuery), &text);
    return parsing(text, [&] {
        face::SkinGroup g = face::ParseSkinGroupReply(payload);
        face::currentStyleName(g.info); // a style that is not there is as broken here as in the window
        return g;
    });
}

face::TransparencyRecord Reads::transparency()
{
    QString text;
    const QString payload = payloadOf(m_ex, proto::readCommand(proto::Transparency), &text);
    return parsing(text, [&] {
        face::TransparencyRecord r;
        face::ParseTransparencyReply(payload, r);
        return r;
    });
}

face::BrightnessRecord Reads::brightness()
{
    QString text;
    const QString payload = payloadOf(m_ex, proto::readCommand(proto::Brightness), &text);
    return parsing(text, [&] {
        face::BrightnessRecord r;
        face::ParseBrightnessReply(payload, r);
        return r;
    });
}

face::FaceFlagsRecord Reads::flags()
{
    QString text;
    const QString payload = payloadOf(m_ex, proto::readCommand(proto::FaceFlags), &text);
    return parsing(text, [&] {
        face::FaceFlagsRecord r;
        face::ParseFaceFlagsReply(payload, r);
        return r;
    });
}

} // namespace ctl
