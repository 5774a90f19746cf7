#include "set_commands.h"

#include "command_texts.h"

#include "common/number.h"

namespace sim {
namespace {

std::optional<bool> parseActive(QStringView text)
{
    if (text == u"0")
        return false;
    if (text == u"1")
        return true;
    return std::nullopt;
}

// A ring text is one field of the alarm text and one line of the alarm
// list: a "|" would shift the later fields, a line break split the list.
bool ringAcceptable(QStringView ring)
{
    return !ring.contains(u'|') && !ring.contains(u'\r') && !ring.contains(u'\n');
}

bool boundsAcceptable(const QString &min, const QString &max)
{
    const std::optional<double> lo = num::parseNumber(min);
    const std::optional<double> hi = num::parseNumber(max);
    return lo && hi && *lo <= *hi;
}

} // namespace

ErrorCode SetCommands::applyAlarmCommand(const QString &selector, const QString &payload,
                                          bool hasFields)
{
    const std::optional<int> n = parseSelector(selector);
    if (!n)
        return ErrorCode::UnknownCommand;
    if (!hasFields) {
        // "Sbd0" and "Sbd1" alone are no alarm commands: an alarm command
        // always carries fields, and no alarm has the number 0.
        if (*n == 0) {
            ++m_d.silenceCount;
            return ErrorCode::Ok;
        }
        if (*n == 1)
            return toggleWeekendMode();
        return ErrorCode::FieldCount;
    }
    if (*n < 1 || *n > QuorvanData::kAlarmCount)
        return ErrorCode::AlarmNumber;
    return applyAlarmSet(*n, payload);
}

// payload is "active", or "time|active", or "time|active|ring" where the
// ring is the rest. Without a ring field the stored ring stays: the client
// leaves out ring texts shorter than five characters.
ErrorCode SetCommands::applyAlarmSet(int n, const QString &payload)
{
    const qsizetype bar1 = payload.indexOf(u'|');
    if (bar1 < 0) {
        const std::optional<bool> active = parseActive(payload);
        if (!active)
            return ErrorCode::BadActive;
        m_d.alarms[n - 1].active = *active;
        m_d.activeBeforeWeekend[n - 1] = false; // the user's own choice wins
        m_d.unsaved = true;
        return ErrorCode::Ok;
    }
    const qsizetype bar2 = payload.indexOf(u'|', bar1 + 1);
    const QStringView time = QStringView(payload).left(bar1);
    const QStringView activeText =
        QStringView(payload).mid(bar1 + 1, bar2 < 0 ? -1 : bar2 - bar1 - 1);
    const std::optional<QString> ring =
        bar2 < 0 ? std::nullopt : std::optional<QString>(payload.mid(bar2 + 1));

    const std::optional<QTime> t = parseAlarmTime(time);
    if (!t)
        return ErrorCode::BadTime;
    const std::optional<bool> active = parseActive(activeText);
    if (!active)
        return ErrorCode::BadActive;
    if (ring && !ringAcceptable(*ring))
        return ErrorCode::BadRing;

    Alarm &a = m_d.alarms[n - 1];
    a.time = *t;
    a.active = *active;
    if (ring)
        a.ring = *ring;
    m_d.activeBeforeWeekend[n - 1] = false;
    m_d.unsaved = true;
    return ErrorCode::Ok;
}

// Weekend mode switches the set alarms off; leaving it switches back on
// those that were on before.
ErrorCode SetCommands::toggleWeekendMode()
{
    m_d.weekendMode = !m_d.weekendMode;
    for (int i = 0; i < QuorvanData::kAlarmCount; ++i) {
        Alarm &a = m_d.alarms[i];
        if (m_d.weekendMode) {
            m_d.activeBeforeWeekend[i] = a.active;
            a.active = false;
        } else {
            a.active = a.active || m_d.activeBeforeWeekend[i];
            m_d.activeBeforeWeekend[i] = false;
        }
    }
    m_d.unsaved = true;
    return ErrorCode::Ok;
}

ErrorCode SetCommands::applyFaceCommand(const QString &selector, const QString &payload,
                                         bool hasFields)
{
    if (selector == u"T")
        return hasFields ? applyTransparency(payload.split(u'|')) : ErrorCode::FieldCount;
    if (selector == u"B")
        return hasFields ? applyBrightness(payload.split(u'|')) : ErrorCode::FieldCount;
    const std::optional<int> i = parseSelector(selector);
    if (!i)
        return ErrorCode::UnknownCommand;
    if (hasFields)
        return ErrorCode::FieldCount; // a flag command names the flag only
    if (*i < 0 || *i >= QuorvanData::kFlagCount)
        return ErrorCode::FlagNumber;
    m_d.faceFlags[*i] = m_d.faceFlags[*i] ? 0 : 1;
    m_d.unsaved = true;
    return ErrorCode::Ok;
}

ErrorCode SetCommands::applyTransparency(const QStringList &fields)
{
    if (fields.size() != 4)
        return ErrorCode::FieldCount;
    if (!m_d.transparency.levels.contains(fields[0]))
        return ErrorCode::LevelNotListed;
    if (!boundsAcceptable(fields[1], fields[2]))
        return ErrorCode::BadBounds;
    const std::optional<bool> mode = parseActive(fields[3]);
    if (!mode)
        return ErrorCode::BadMode;
    m_d.transparency.level = fields[0];
    m_d.transparency.min = fields[1];
    m_d.transparency.max = fields[2];
    m_d.transparencyMode = *mode ? 1 : 0;
    m_d.unsaved = true;
    return ErrorCode::Ok;
}

ErrorCode SetCommands::applyBrightness(const QStringList &fields)
{
    if (!m_d.brightnessSupported)
        return ErrorCode::NoBrightness;
    if (fields.size() != 3)
        return ErrorCode::FieldCount;
    if (!m_d.brightness.levels.contains(fields[0]))
        return ErrorCode::LevelNotListed;
    if (!boundsAcceptable(fields[1], fields[2]))
        return ErrorCode::BadBounds;
    m_d.brightness.level = fields[0];
    m_d.brightness.min = fields[1];
    m_d.brightness.max = fields[2];
    m_d.unsaved = true;
    return ErrorCode::Ok;
}

ErrorCode SetCommands::selectSkin(const QString &selector)
{
    const std::optional<int> n = parseSelector(selector);
    if (!n)
        return ErrorCode::UnknownCommand;
    if (*n < 0 || *n >= m_d.skins.size())
        return ErrorCode::SkinRange;
    m_d.currentSkin = *n;
    m_d.currentStyle = 0;
    m_d.unsaved = true;
    return ErrorCode::Ok;
}

ErrorCode SetCommands::selectStyle(const QString &selector)
{
    const std::optional<int> n = parseSelector(selector);
    if (!n)
        return ErrorCode::UnknownCommand;
    if (*n < 0 || *n >= m_d.skins.at(m_d.currentSkin).styles.size())
        return ErrorCode::StyleRange;
    m_d.currentStyle = *n;
    m_d.unsaved = true;
    return ErrorCode::Ok;
}

ErrorCode SetCommands::save()
{
    m_d.unsaved = false;
    ++m_d.saveCount;
    return ErrorCode::Ok;
}

} // namespace sim
