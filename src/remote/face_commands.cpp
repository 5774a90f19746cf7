#include "remote/face_commands.h"

#include "remote/commands.h"
#include "remote/reads.h"
#include "protocol/protocol.h"

namespace remote {

// The five reads of the window's initial fetch, in its order.
Shown runStatus(Exchanger &ex)
{
    Reads reads(ex);
    const auto skin = reads.record<records::SkinGroup>();
    const auto trans = reads.record<records::TransparencyRecord>();
    const auto bright = reads.record<records::BrightnessRecord>();
    const auto flags = reads.record<records::FaceFlagsRecord>();
    const records::BudTable buds = reads.alarms();

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
        const auto g = reads.record<records::SkinGroup>();
        const int min = skin ? g.first - 1 : g.styleFirst - 1;
        const int max = skin ? g.last + 1 : g.styleLast + 1;
        const int value = (skin ? g.current : g.styleCurrent) + (r.step == Step::Next ? 1 : -1);
        target = records::wrapTarget(min, max, value).value_or(value);
    }
    const QString command = skin ? proto::skinSelect(target - 1) : proto::styleSelect(target - 1);

    records::SkinGroup after;
    const SetResult result = ex.setAndReadBack(
        command, [&] { after = reads.record<records::SkinGroup>(); },
        [&] { return (skin ? after.current : after.styleCurrent) == target; },
        true);
    Shown s;
    s.add(QStringLiteral("skin"), skinJson(after), skinLines(after));
    noteSetting(s, command, result);
    return s;
}

namespace {

// Transparency and brightness alike: the level and bounds Quorvan holds,
// and for transparency the mode (-1 for brightness, which has none).
struct Levels {
    QString level;
    QString min;
    QString max;
    int mode = -1;
    bool operator==(const Levels &) const = default;
};

Levels levelsOf(const records::TransparencyRecord &r) { return {*r.level, *r.min, *r.max, *r.mode}; }
Levels levelsOf(const records::BrightnessRecord &r) { return {r.level, r.min, r.max}; }

bool supported(const records::TransparencyRecord &) { return true; }
bool supported(const records::BrightnessRecord &r) { return *r.supported; }

QString setCommand(const records::TransparencyRecord &, const Levels &l)
{
    return proto::transparencySet(l.level, l.min, l.max, l.mode);
}
QString setCommand(const records::BrightnessRecord &, const Levels &l)
{
    return proto::brightnessSet(l.level, l.min, l.max);
}

void show(Shown &s, const records::TransparencyRecord &r)
{
    s.add(QStringLiteral("transparency"), transparencyJson(r), transparencyLines(r));
}
void show(Shown &s, const records::BrightnessRecord &r)
{
    s.add(QStringLiteral("brightness"), brightnessJson(r), brightnessLines(r));
}

// Level, bounds and mode go out together, as the window's "Сохранить" sends
// them; what is not given is sent as read. Where Quorvan has no brightness
// the window greys the controls out; here nothing is sent and the command
// fails as Quorvan would.
template <class Record>
Shown runLevelOf(const Request &r, Exchanger &ex)
{
    Reads reads(ex);
    auto now = reads.record<Record>();
    Shown s;
    if (r.level || r.min || r.max || r.mode) {
        if (!supported(now))
            throw Outcome{Outcome::QuorvanError, QStringLiteral("Quorvan: яркость не поддерживается")};
        const Levels was = levelsOf(now);
        const Levels wanted{r.level.value_or(was.level), r.min.value_or(was.min), r.max.value_or(was.max),
                            r.mode.value_or(was.mode)};
        needSendable(wanted.level, QStringLiteral("уровень"));
        needSendable(wanted.min, QStringLiteral("нижняя граница"));
        needSendable(wanted.max, QStringLiteral("верхняя граница"));
        const QString command = setCommand(now, wanted);
        const SetResult result = ex.setAndReadBack(
            command, [&] { now = reads.record<Record>(); },
            [&] { return supported(now) && levelsOf(now) == wanted; },
            true);
        noteSetting(s, command, result);
    }
    show(s, now);
    return s;
}

} // namespace

Shown runLevel(const Request &r, Exchanger &ex)
{
    if (r.command == QLatin1String("transparency"))
        return runLevelOf<records::TransparencyRecord>(r, ex);
    return runLevelOf<records::BrightnessRecord>(r, ex);
}

// The flag command only names the flag and Quorvan switches it over: it
// goes out only where the flag differs, and never twice.
Shown runFlag(const Request &r, Exchanger &ex)
{
    Reads reads(ex);
    auto now = reads.record<records::FaceFlagsRecord>();
    const auto isWanted = [&] { return (*now.flags[r.flag] != 0) == *r.on; };
    Shown s;
    const bool send = !isWanted();
    if (send) {
        const QString command = proto::faceFlag(r.flag);
        const SetResult result = ex.setAndReadBack(
            command, [&] { now = reads.record<records::FaceFlagsRecord>(); }, isWanted,
            false);
        noteSetting(s, command, result);
    }
    s.json.insert(QStringLiteral("changed"), send);
    s.add(QStringLiteral("flags"), flagsJson(now), flagsLines(now));
    return s;
}

} // namespace remote
