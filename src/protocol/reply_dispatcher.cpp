#include "protocol/reply_dispatcher.h"

#include "protocol/protocol.h"
#include "protocol/reply_fields.h"

#include <QList>

namespace proto {

void ReplyDispatcher::handle(const QString &text)
{
    try {
        dispatch(text);
    } catch (const proto::ReplyFailure &) {
        // Abandoned where the fault was found; what was done stays done, but
        // the controls must answer the user again.
        m_state.bLockEvents = false;
    }
}

void ReplyDispatcher::dispatch(const QString &text)
{
    m_link.SetIndicator(true);
    m_link.RestartNoAnswerTimer();

    if (text == QLatin1String("ping")) {
        if (m_state.bInitPending) {
            m_state.bInitPending = false;
            m_link.InitGetData();
        }
        return;
    }

    m_link.LogMessage(text);
    if (text.size() < 4)
        return;

    const proto::Reply r = proto::splitReply(text);
    const qint16 number = proto::replyNumber(r.selector);

    if (r.word == QLatin1String("Err")) {
        m_link.ErrCode(number, r.payload);
    } else if (r.word == QLatin1String("Gsk")) {
        if (r.selector == QLatin1String("?") || number != -1)
            m_features.ApplySkinReply(r.payload);
        m_link.ErrCode(0, QString());
    } else if (r.word == QLatin1String("Gbd")) {
        if (r.selector == QLatin1String("*")) {
            const QList<QString> lines = proto::splitAlarmList(r.payload);
            for (qsizetype k = 0; k < proto::kAlarmListLines; ++k) {
                if (k >= lines.size())
                    proto::fail("missing alarm line");
                m_features.ApplyAlarmReply(static_cast<qint16>(k + 1), lines.at(k));
            }
        } else if (number != -1) {
            m_features.ApplyAlarmReply(number, r.payload);
        }
        m_link.ErrCode(0, QString());
    } else if (r.word == QLatin1String("Gfa")) {
        if (r.selector == QLatin1String("T"))
            m_features.ApplyTransparencyReply(r.payload);
        else if (r.selector == QLatin1String("B"))
            m_features.ApplyBrightnessReply(r.payload);
        else if (r.selector == QLatin1String("*"))
            m_features.ApplyFaceFlagsReply(r.payload);
        m_link.ErrCode(0, QString());
    }

    m_link.CmdSendNext();
}

} // namespace proto
