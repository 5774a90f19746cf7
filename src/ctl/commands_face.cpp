// The face commands and status: skin and style steps with the window's
// wrap-around, transparency, brightness and the four face flags.

#include "ctl/commands.h"

#include "ctl/reads.h"
#include "protocol/protocol.h"

namespace ctl {

// The five reads of the window's initial fetch, in its order.
Shown runStatus(Exchanger &ex)
{
    Reads reads(ex);
    const face::SkinGroup skin = reads.skin();
    const face::TransparencyRecord trans = reads.transparency();
    const face::BrightnessRecord bright = reads.brightness();
    const face::FaceFlagsRecord flags = reads.flags();
    const BudTable buds = reads.alarms();

    Shown s;
    s.lines << QStringLiteral("Сервер: %1").arg(ex.server().text());
    s.add(QStringLiteral("skin"), skinJson(skin), skinLines(skin));
    s.add(QStringLiteral("transparency"), transparencyJson(trans), transparencyLines(trans));
    s.add(QStringLiteral("brightness"), brightnessJson(bright), brightnessLines(bright));
    s.add(QStringLiteral("flags"), flagsJson(flags), flagsLines(flags));
    s.add(QStringLiteral("alarms"), alarmsJson(buds), alarmsLines(buds));
    return s;
}

// A step goes where the window's arrows go: past the last to the first and
// before the first to the last. A NUMBER is a position as status shows it.
Shown runStep(const Request &r, Exchanger &ex)
{
    const bool skin = r.command == QLatin1String("skin");
    Reads reads(ex);
    int target = r.number;
    if (r.step != Step::Number) {
        const face::SkinGroup g = reads.skin();
        const int min = skin ? g.first - 1 : g.styleFirst - 1;
        const int max = skin ? g.last + 1 : g.styleLast + 1;
        const int value = (skin ? g.current : g.styleCurrent) + (r.step == Step::Next ? 1 : -1);
        target = face::wrapTarget(min, max, value).value_or(value);
    }
    const QString command = skin ? proto::skinSelect(target - 1) : proto::styleSelect(target - 1);

    face::SkinGroup after;
    const SetResult result = ex.setAndReadBack(
        command, [&] { after = reads.skin(); },
        [&] { return (skin ? after.current : after.styleCurrent) == target; },
        true);
    Shown s;
    s.add(QStringLiteral("skin"), skinJson(after), skinLines(after));
    noteSetting(s, command, result);
    return s;
}

// Level, bounds and mode go out together, as the window's "Сохранить" sends
// them; what is not given is sent as read.
Shown runTransparency(const Request &r, Exchanger &ex)
{
    Reads reads(ex);
    face::TransparencyRecord now = reads.transparency();
    Shown s;
    if (r.level || r.min || r.max || r.mode) {
        const QString level = r.level.value_or(*now.level);
        const QString min = r.min.value_or(*now.min);
        const QString max = r.max.value_or(*now.max);
        const int mode = r.mode.value_or(*now.mode);
        const QString command = proto::transparencySet(level, min, max, mode);
        const auto shows = [&] { return *now.level == level && *now.min == min && *now.max == max && *now.mode == mode; };
        const SetResult result = ex.setAndReadBack(
            command, [&] { now = reads.transparency(); }, shows,
            true);
        noteSetting(s, command, result);
    }
    s.add(QStringLiteral("transparency"), transparencyJson(now), transparencyLines(now));
    return s;
}

// Where Quorvan has no brightness the window greys the controls out; here
// nothing is sent and the command fails as Quorvan would.
Shown runBrightness(const Request &r, Exchanger &ex)
{
    Reads reads(ex);
    face::BrightnessRecord now = reads.brightness();
    Shown s;
    if (r.level || r.min || r.max) {
        if (!*now.supported)
            throw Stop{kExitQuorvanError, QStringLiteral("Quorvan: яркость не поддерживается")};
        const QString level = r.level.value_or(now.level);
        const QString min = r.min.value_or(now.min);
        const QString max = r.max.value_or(now.max);
        const QString command = proto::brightnessSet(level, min, max);
        const SetResult result = ex.setAndReadBack(
            command, [&] { now = reads.brightness(); },
            [&] { return *now.supported && now.level == level && now.min == min && now.max == max; },
            true);
        noteSetting(s, command, result);
    }
    s.add(QStringLiteral("brightness"), brightnessJson(now), brightnessLines(now));
    return s;
}

// The flag command only names the flag and Quorvan switches it over: it
// goes out only where the flag differs, and never twice.
Shown runFlag(const Request &r, Exchanger &ex)
{
    Reads reads(ex);
    face::FaceFlagsRecord now = reads.flags();
    const auto isWanted = [&] { return (*now.flags[r.flag] != 0) == *r.on; };
    Shown s;
    const bool send = !isWanted();
    if (send) {
        const QString command = proto::faceFlag(r.flag);
        const SetResult result = ex.setAndReadBack(
            command, [&] { now = reads.flags(); }, isWanted,
            false);
        noteSetting(s, command, result);
    }
    s.json.insert(QStringLiteral("changed"), send);
    s.add(QStringLiteral("flags"), flagsJson(now), flagsLines(now));
    return s;
}

} // namespace ctl
