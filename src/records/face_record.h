#pragma once
// The face replies taken apart without any widget: transparency, brightness,
// face flags and the skin group, and the wrap-around of a skin or style step.
// The "Скины" page shows these records; dalvimoctl prints them.
//
// The three level and flag parsers fill their record field by field in the
// order the page shows them and throw proto::ReplyFailure at the first field
// that is missing or does not convert: what was converted before stays in
// the record (an empty optional marks where it stopped), so the page can
// show exactly as much as it always did before a failure.

#include "records/skin_info.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace proto {
class Fields;
} // namespace proto

namespace records {

inline constexpr int kFlagCount = 4; // hide, on top, fix text, lock

// A check-box value as the replies carry it: 0 clear, 1 ticked, 2 greyed.
// Anything else throws.
int checkBoxValue(const proto::Fields &f, qsizetype i);

// "GfaT": level|min|max|mode|levels... Levels and bounds are Quorvan's own
// text, never converted. mode: 1 transparency, 0 dimming.
struct TransparencyRecord {
    QStringList levels; // fields 4 and on; there may be none
    std::optional<QString> level;
    std::optional<QString> min;
    std::optional<QString> max;
    std::optional<int> mode;
};
void ParseTransparencyReply(const QString &payload, TransparencyRecord &r);

// "GfaB": level|min|max|supported|levels... Without support fields 0 to 2
// are not read (they may be empty) and the levels are ignored.
struct BrightnessRecord {
    std::optional<bool> supported; // empty: the reply broke before anything
    QStringList levels;
    QString level;
    QString min;
    QString max;
};
void ParseBrightnessReply(const QString &payload, BrightnessRecord &r);

// "Gfa*": flag0|flag1|flag2|flag3|mode|brightness supported.
struct FaceFlagsRecord {
    std::array<std::optional<int>, kFlagCount> flags;
    std::optional<int> mode;
    std::optional<bool> brightSupported;
};
void ParseFaceFlagsReply(const QString &payload, FaceFlagsRecord &r);

// "Gsk": first|last|current|skin description, as positions (a skin with
// index k stands at position k + 1, a style with index j at j + 1). Throws
// before anything is returned, so a broken reply changes nothing.
struct SkinGroup {
    qint16 first = 0;
    qint16 last = 0;
    qint16 current = 0;
    SkinInfo info;
    int styleFirst = 1;
    int styleLast = 0;    // the number of styles
    int styleCurrent = 0;
};
SkinGroup ParseSkinGroupReply(const QString &payload);

// The name of the current style as shown; throws when iStyle names no entry
// or the entry is too short.
QString currentStyleName(const SkinInfo &info);

// A position as a 16-bit number; throws outside -32768..32767.
qint16 checkedPosition(double v);

// Stepping a skin or style: positions min + 1 .. max - 1 are real, min and
// max are the spare ones on either side. A step onto a spare position
// returns the real position at the other end; any other value gives empty.
std::optional<int> wrapTarget(int min, int max, int value);

} // namespace records
