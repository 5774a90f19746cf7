#pragma once
// Quorvan's side of the text protocol without any network: the clock's
// state (four alarms, the weekday/weekend switch, skins and styles,
// transparency, brightness, face flags) and the answer to one command text.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

#include <array>
#include <optional>

namespace sim {

// Codes of the "Err" replies; 0 is success.
enum class ErrorCode : int {
    Ok = 0,
    UnknownCommand = 1,
    FieldCount = 2,
    AlarmNumber = 3,
    BadTime = 4,
    BadActive = 5,
    BadRing = 6,
    LevelNotListed = 7,
    BadBounds = 8,
    BadMode = 9,
    NoBrightness = 10,
    SkinRange = 11,
    StyleRange = 12,
    FlagNumber = 13,
};

struct Alarm {
    QTime time;
    bool active = false;
    QString ring;
    qint16 num1 = 0;
    qint16 num2 = 0;
    bool flag1 = false;
    bool flag2 = false;
};

struct Skin {
    QString name;
    std::array<qint16, 4> params{};
    QStringList styles; // each entry ends in a 4-character suffix, ".stl"
};

// A level list with the current level and the bounds for local switching.
struct LevelSetting {
    QStringList levels;
    QString level;
    QString min;
    QString max;
};

class QuorvanState {
public:
    static constexpr int kAlarmCount = 4;
    static constexpr int kFlagCount = 4;

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

    const Alarm &alarm(int n) const { return m_alarms.at(n - 1); }
    bool weekendMode() const { return m_weekendMode; }
    int silenceCount() const { return m_silenceCount; }
    const QList<Skin> &skins() const { return m_skins; }
    int currentSkin() const { return m_currentSkin; }
    int currentStyle() const { return m_currentStyle; }
    const LevelSetting &transparency() const { return m_transparency; }
    int transparencyMode() const { return m_transparencyMode; }
    const LevelSetting &brightness() const { return m_brightness; }
    bool brightnessSupported() const { return m_brightnessSupported; }
    int faceFlag(int i) const { return m_faceFlags.at(i); }
    bool unsavedChanges() const { return m_unsaved; }
    int saveCount() const { return m_saveCount; }

    static QString errorReply(ErrorCode code);
    static QString errorText(ErrorCode code);

private:
    std::optional<QString> answerRead(const QString &head, bool hasFields) const;
    ErrorCode applyAlarmCommand(const QString &selector, const QString &payload, bool hasFields);
    ErrorCode applyAlarmSet(int n, const QString &payload);
    ErrorCode toggleWeekendMode();
    ErrorCode applyFaceCommand(const QString &selector, const QString &payload, bool hasFields);
    ErrorCode applyTransparency(const QStringList &fields);
    ErrorCode applyBrightness(const QStringList &fields);
    ErrorCode selectSkin(const QString &selector);
    ErrorCode selectStyle(const QString &selector);
    ErrorCode save();

    std::array<Alarm, kAlarmCount> m_alarms;
    std::array<bool, kAlarmCount> m_activeBeforeWeekend{};
    bool m_weekendMode = false;
    int m_silenceCount = 0;
    QList<Skin> m_skins;
    int m_currentSkin = 0;
    int m_currentStyle = 0;
    LevelSetting m_transparency;
    int m_transparencyMode = 1;
    LevelSetting m_brightness;
    bool m_brightnessSupported = true;
    std::array<int, kFlagCount> m_faceFlags{};
    bool m_unsaved = false;
    int m_saveCount = 0;
};

// Time texts of the set command: "h:n:s" or "h:mm", one or two digits each.
std::optional<QTime> parseAlarmTime(QStringView text);

// A selector number as the client writes it: decimal digits, optional '-'.
std::optional<int> parseSelector(QStringView text);

} // namespace sim
