#pragma once
// Names and defaults of the settings file: its one section and every key
// that start-up reads or shut-down writes.

#include <QLatin1String>
#include <QString>

namespace settings {

inline constexpr QLatin1String kSectionGeneral("General");

// Server entries ClockIP_1 .. ClockIP_9: read only, edited by hand.
inline constexpr int kClockIPFirst = 1;
inline constexpr int kClockIPLast = 9;
inline constexpr QLatin1String kDefaultClockIP("");

// "ClockIP_" and n in decimal without leading zero.
inline QString clockIPKey(int n)
{
    return QLatin1String("ClockIP_") + QString::number(n);
}

// The four keys that shut-down writes back, in the order it writes them.
inline constexpr QLatin1String kKeySelectIPNum("SelectIPNum");
inline constexpr QLatin1String kKeyAutoPing("AutoPing");
inline constexpr QLatin1String kKeyAutoActiveSet("AutoActiveSet");
inline constexpr QLatin1String kKeyFrameSelect("FrameSelect");

inline constexpr QLatin1String kDefaultSelectIPNum("1");
inline constexpr QLatin1String kDefaultAutoPing("1");
inline constexpr QLatin1String kDefaultAutoActiveSet("1");
inline constexpr QLatin1String kDefaultFrameSelect("1");

} // namespace settings
