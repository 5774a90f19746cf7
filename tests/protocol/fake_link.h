#pragma once
// Recording stand-ins for the window's link side and the feature pages: every
// call becomes one line of text, so a test compares the whole conversation.

#include "protocol/command_queue.h"
#include "protocol/protocol.h"
#include "protocol/reply_dispatcher.h"
#include "protocol/reply_fields.h"

#include <QStringList>

class RecordingLink : public proto::LinkHost {
public:
    explicit RecordingLink(QStringList &calls) : m_calls(calls) {}

    void SetIndicator(bool status) override { m_calls << QStringLiteral("SetIndicator(%1)").arg(status); }
    void RestartNoAnswerTimer() override { m_calls << QStringLiteral("RestartNoAnswerTimer"); }
    void LogMessage(const QString &data) override { m_calls << QStringLiteral("Log(%1)").arg(data); }
    void ErrCode(qint16 iCod, const QString &sDescr) override
    {
        m_calls << QStringLiteral("ErrCode(%1,%2)").arg(iCod).arg(sDescr);
    }
    void InitGetData() override { m_calls << QStringLiteral("InitGetData"); }
    void CmdSendNext() override { m_calls << QStringLiteral("CmdSendNext"); }

private:
    QStringList &m_calls;
};

// Like the real pages: an alarm row outside 1..4 does not exist. failOn makes
// the apply call with exactly that record fail after setting bLockEvents, as
// a page caught part-way through its control updates would.
class RecordingFeatures : public proto::FeatureReplies {
public:
    RecordingFeatures(QStringList &calls, FormState &state) : m_calls(calls), m_state(state) {}

    QString failOn;

    void ApplySkinReply(const QString &p) override { record(QStringLiteral("Skin(%1)").arg(p)); }
    void ApplyAlarmReply(qint16 index, const QString &text) override
    {
        record(QStringLiteral("Alarm(%1,%2)").arg(index).arg(text));
        if (index < 1 || index > 4)
            proto::fail("no such alarm row");
    }
    void ApplyTransparencyReply(const QString &p) override { record(QStringLiteral("Trans(%1)").arg(p)); }
    void ApplyBrightnessReply(const QString &p) override { record(QStringLiteral("Bright(%1)").arg(p)); }
    void ApplyFaceFlagsReply(const QString &p) override { record(QStringLiteral("Flags(%1)").arg(p)); }

private:
    void record(const QString &call)
    {
        m_calls << call;
        if (call == failOn) {
            m_state.bLockEvents = true;
            proto::fail("told to fail");
        }
    }

    QStringList &m_calls;
    FormState &m_state;
};

// A link side that drives a real queue the way the window does, recording
// the texts that would go out.
class QueueLink : public RecordingLink {
public:
    using RecordingLink::RecordingLink;

    proto::CommandQueue queue;
    QStringList sent;

    void InitGetData() override
    {
        for (qint32 id = 1; id <= 5; ++id)
            queue.QueuePush(id);
        CmdSendNext();
    }
    void CmdSendNext() override
    {
        if (queue.iCmdQueueCount() < 1)
            return;
        const qint16 id = queue.at(1);
        queue.QueueRemove(1);
        sent << proto::readCommand(id);
    }
};

// One dispatcher wired to the stand-ins, everything recorded into `record`.
template <class Link>
struct DispatchRig {
    QStringList record;
    FormState state;
    Link link{record};
    RecordingFeatures features{record, state};
    proto::ReplyDispatcher dispatcher{state, link, features};
};
