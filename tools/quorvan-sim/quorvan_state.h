#pragma once
// Quorvan's side of the text protocol without any network: the clock's
// state (four alarms, the weekday/weekend switch, skins and styles,
// transparency, brightness, face flags) and the answer to one command text.
//
// Errors, in the simulator: nothing thrown; a command that fails is answered
// with an "Err" reply (ErrorCode); the server's socket answers false with
// the reason in a QString *.

#include "quorvan_data.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace sim {

class QuorvanState {
public:
    static constexpr int kAlarmCount = QuorvanData::kAlarmCount;
    static constexpr int kFlagCount = QuorvanData::kFlagCount;

    explicit QuorvanState(bool brightnessSupported = true);

    // Zero or one reply to one command text. No reply for an empty text and
    // for an "Err" outcome, so two peers can never answer each other forever.
    std::optional<QString> answer(const QString &command);
    // The same on the wire: Windows-1251 bytes in and out.
    std::optional<QByteArray> answerDatagram(QByteArrayView datagram);

    // Read replies, also used for the flood of realistic replies.
    QString alarmText(int n) const; // n = 1..4, without the "Gbd" head
    QString alarmReply(int n) const;
    QString allAlarmsReply() const;
    QString skinReply(const QString &head, int skin) const;
    QString transparencyReply() const;
    QString brightnessReply() const;
    QString faceFlagsReply() const;

    const Alarm &alarm(int n) const { return m_d.alarms.at(n - 1); }
    bool weekendMode() const { return m_d.weekendMode; }
    int silenceCount() const { return m_d.silenceCount; }
    const QList<Skin> &skins() const { return m_d.skins; }
    int currentSkin() const { return m_d.currentSkin; }
    int currentStyle() const { return m_d.currentStyle; }
    const LevelSetting &transparency() const { return m_d.transparency; }
    int transparencyMode() const { return m_d.transparencyMode; }
    const LevelSetting &brightness() const { return m_d.brightness; }
    bool brightnessSupported() const { return m_d.brightnessSupported; }
    int faceFlag(int i) const { return m_d.faceFlags.at(i); }
    bool unsavedChanges() const { return m_d.unsaved; }
    int saveCount() const { return m_d.saveCount; }

    static QString errorReply(ErrorCode code);
    static QString errorText(ErrorCode code);

private:
    std::optional<QString> answerRead(const QString &head, bool hasFields) const;

    QuorvanData m_d;
};

} // namespace sim
