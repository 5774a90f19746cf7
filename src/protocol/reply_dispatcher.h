#pragma once
// The reply dispatcher: every received datagram goes through handle(), which
//   turns the link indicator green and restarts the no-answer timer,
//   starts the initial fetch on a "ping" echo when one is pending,
//   logs every other text,
//   hands the payload to the feature that owns it (FeatureReplies),
//   shows "0k!" or Quorvan's error on the result line,
//   and lets the next queued command go out.
// A ReplyFailure anywhere ends the handling of that datagram silently: what
// was done stays done, no result line, no queue advance, bLockEvents False.

#include "common/form_state.h"

#include <QString>

namespace proto {

// The operations that show one kind of reply; each may throw
// proto::ReplyFailure part-way.
class FeatureReplies {
public:
    virtual ~FeatureReplies() = default;
    virtual void ApplySkinReply(const QString &payload) = 0;
    virtual void ApplyAlarmReply(qint16 index, const QString &alarmText) = 0;
    virtual void ApplyTransparencyReply(const QString &payload) = 0;
    virtual void ApplyBrightnessReply(const QString &payload) = 0;
    virtual void ApplyFaceFlagsReply(const QString &payload) = 0;
};

// What the dispatcher drives on the link side.
class LinkHost {
public:
    virtual ~LinkHost() = default;
    virtual void SetIndicator(bool status) = 0;
    virtual void RestartNoAnswerTimer() = 0; // disable, then enable tmr(1)
    virtual void LogMessage(const QString &data) = 0;
    virtual void ErrCode(qint16 iCod, const QString &sDescr) = 0;
    virtual void InitGetData() = 0;
    virtual void CmdSendNext() = 0;
};

class ReplyDispatcher {
public:
    ReplyDispatcher(FormState &state, LinkHost &link, FeatureReplies &features)
        : m_state(state), m_link(link), m_features(features) {}

    // Handles one datagram's text. Never throws.
    void handle(const QString &text);

private:
    void dispatch(const QString &text); // may throw proto::ReplyFailure

    FormState &m_state;
    LinkHost &m_link;
    FeatureReplies &m_features;
};

} // namespace proto
