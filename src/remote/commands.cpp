#include "remote/commands.h"

#include "remote/face_commands.h"
#include "remote/reads.h"
#include "protocol/protocol.h"

#include <QLocale>

namespace remote {
namespace {

Shown runPing(Exchanger &ex)
{
    const Answer a = ex.read(proto::ping());
    const double ms = double(a.elapsedNs) / 1e6;
    Shown s;
    s.json.insert(QStringLiteral("rtt_ms"), ms);
    s.json.insert(QStringLiteral("attempts"), a.attempts);
    s.lines << QStringLiteral("Quorvan отвечает: %1 мс").arg(QLocale(QLocale::Russian).toString(ms, 'f', 2));
    if (a.attempts > 1)
        s.lines.last() += QStringLiteral(" (попытка %1)").arg(a.attempts);
    return s;
}

Shown showAlarm(int n, const records::BudRec &bud)
{
    Shown s;
    s.add(QStringLiteral("alarm"), alarmJson(n, bud), {alarmLine(n, bud)});
    return s;
}

bool alarmShows(const records::BudRec &bud, QTime time, bool on, const QString &ring)
{
    return bud.dTime == time && bud.bActive == on && (!proto::ringGoesOut(ring) || bud.sRing == ring);
}

// Reads the alarm, sends it with the given fields changed and the others
// as read, and reads it back: what "Сохранить" in the alarm's row sends.
Shown runAlarmSet(const Request &r, Exchanger &ex)
{
    Reads reads(ex);
    const records::BudRec before = reads.alarm(r.number);
    const QTime time = r.time.value_or(before.dTime);
    const bool on = r.on.value_or(before.bActive);
    const QString ring = r.ring.value_or(before.sRing);
    if (proto::ringGoesOut(ring))
        needSendable(ring, QStringLiteral("текст звонка"));
    const QString command = proto::alarmSet(r.number, records::formatHns(time), on ? 1 : 0, ring);

    records::BudRec after;
    const SetResult result = ex.setAndReadBack(
        command, [&] { after = reads.alarm(r.number); },
        [&] { return alarmShows(after, time, on, ring); },
        true);
    Shown s = showAlarm(r.number, after);
    noteSetting(s, command, result);
    return s;
}

// What ticking the alarm's box sends with "АвтоАктив" on.
Shown runAlarmSwitch(const Request &r, Exchanger &ex)
{
    Reads reads(ex);
    const QString command = proto::alarmActive(r.number, *r.on ? 1 : 0);
    records::BudRec after;
    const SetResult result = ex.setAndReadBack(
        command, [&] { after = reads.alarm(r.number); },
        [&] { return after.bActive == *r.on; },
        true);
    Shown s = showAlarm(r.number, after);
    noteSetting(s, command, result);
    return s;
}

bool sameSwitches(const records::BudTable &a, const records::BudTable &b)
{
    for (int n = 1; n <= records::BudTable::kCount; ++n)
        if (a(n).bActive != b(n).bActive)
            return false;
    return true;
}

// The weekday/weekend switch toggles: it is never sent twice. Without its
// answer, only a change of the alarms' switches tells that it took effect.
Shown runAlarmsToggle(Exchanger &ex)
{
    Reads reads(ex);
    const records::BudTable before = reads.alarms();
    records::BudTable after;
    const QString command = proto::alarmToggle();
    const SetResult result = ex.setAndReadBack(
        command, [&] { after = reads.alarms(); },
        [&]() -> std::optional<bool> {
            if (sameSwitches(before, after))
                return std::nullopt;
            return true;
        },
        false);
    Shown s;
    s.add(QStringLiteral("alarms"), alarmsJson(after), alarmsLines(after));
    noteSetting(s, command, result);
    return s;
}

// A setting whose effect no read shows: sent once, done when answered.
Shown runPlainSetting(Exchanger &ex, const QString &command, const QString &done)
{
    ex.set(command);
    Shown s;
    s.lines << done;
    s.json.insert(QStringLiteral("done"), true);
    return s;
}

Shown runSend(const Request &r, Exchanger &ex)
{
    const Answer a = ex.raw(r.text);
    Shown s;
    s.json.insert(QStringLiteral("sent"), r.text);
    s.json.insert(QStringLiteral("reply"), a.text);
    s.lines << a.text;
    s.stop = stopFor(a);
    return s;
}

} // namespace

void noteSetting(Shown &shown, const QString &command, const SetResult &result)
{
    shown.json.insert(QStringLiteral("answered"), result.answered);
    if (!result.answered)
        shown.notes << QStringLiteral("ответа на «%1» не было; прочитанное состояние показывает, что команда "
                                      "выполнена")
                           .arg(command);
}

Shown runCommand(const Request &r, Exchanger &ex)
{
    const QString &c = r.command;
    if (c == QLatin1String("ping"))
        return runPing(ex);
    if (c == QLatin1String("status"))
        return runStatus(ex);
    if (c == QLatin1String("alarms")) {
        Shown s;
        const records::BudTable buds = Reads(ex).alarms();
        s.add(QStringLiteral("alarms"), alarmsJson(buds), alarmsLines(buds));
        return s;
    }
    if (c == QLatin1String("alarm")) {
        if (r.action == QLatin1String("set"))
            return runAlarmSet(r, ex);
        if (r.on)
            return runAlarmSwitch(r, ex);
        return showAlarm(r.number, Reads(ex).alarm(r.number));
    }
    if (c == QLatin1String("silence")) {
        return runPlainSetting(ex, proto::alarmStop(), QStringLiteral("Сигнал будильника отключён"));
    }
    if (c == QLatin1String("alarms-toggle"))
        return runAlarmsToggle(ex);
    if (c == QLatin1String("skin") || c == QLatin1String("style"))
        return runStep(r, ex);
    if (c == QLatin1String("transparency") || c == QLatin1String("brightness"))
        return runLevel(r, ex);
    if (c == QLatin1String("flag"))
        return runFlag(r, ex);
    if (c == QLatin1String("save")) {
        return runPlainSetting(ex, proto::saveAll(), QStringLiteral("Quorvan сохранил настройки"));
    }
    return runSend(r, ex);
}

} // namespace remote
