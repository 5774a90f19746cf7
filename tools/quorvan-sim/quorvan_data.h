#pragma once
// What the simulated Quorvan holds: four alarms, the weekday/weekend
// switch, skins and styles, transparency, brightness and face flags, and the
// codes of its "Err" replies.

#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

#include <array>

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

struct QuorvanData {
    static constexpr int kAlarmCount = 4;
    static constexpr int kFlagCount = 4;

    std::array<Alarm, kAlarmCount> alarms;
    std::array<bool, kAlarmCount> activeBeforeWeekend{};
    bool weekendMode = false;
    int silenceCount = 0;
    QList<Skin> skins;
    int currentSkin = 0;
    int currentStyle = 0;
    LevelSetting transparency;
    int transparencyMode = 1;
    LevelSetting brightness;
    bool brightnessSupported = true;
    std::array<int, kFlagCount> faceFlags{};
    bool unsaved = false;
    int saveCount = 0;
};

} // namespace sim
