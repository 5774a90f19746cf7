// The "S" commands: each is checked in full before anything changes, so a
// rejected command leaves the state exactly as it was.

#include "quorvan_state.h"

#include "common/number.h"

#include <QRegularExpression>

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

std::optional<QTime> parseAlarmTime(QStringView text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?$"));
    const QRegularExpressionMatch m = pattern.match(text.toString());
    if (!m.hasMatch())
        return std::nullopt;
    const int h = m.captured(1).toInt();
    const int n = m.captured(2).toInt();
    const int s = m.hasCaptured(3) ? m.captured(3).toInt() : 0;
    if (h > 23 || n > 59 || s > 59)
        return std::nullopt;
    return QTime(h, n, s);
}

ErrorCode QuorvanState::applyAlarmCommand(const QString &selector, const QString &payload,
                                          bool hasFields)
{
    const std::optional<int> n = parseSelector(selector);
    if (!n)
        return ErrorCode::UnknownCommand;
    if (!hasFields) {
        // "Sbd0" and "Sbd1" alone are no alarm commands: an alarm command
        // always carries fields, and no alarm has the number 0.
        if (*n == 0) {
            ++m_silenceCount;
            return ErrorCode::Ok;
        }
        if (*n == 1)
            return toggleWeekendMode();
        return ErrorCode::FieldCount;
    }
    if (*n < 1 || *n > kAlarmCount)
        return ErrorCode::AlarmNumber;
    return applyAlarmSet(*n, payload);
}

// payload is "active", or "time|active", or "time|active|ring" where the
// ring is the rest. Without a ring field the stored ring stays: the client
// leaves out ring texts shorter than five characters.
ErrorCode QuorvanState::applyAlarmSet(int n, const QString &payload)
{
    const qsizetype bar1 = payload.indexOf(u'|');
    if (bar1 < 0) {
        const std::optional<bool> active = parseActive(payload);
        if (!active)
            return ErrorCode::BadActive;
        m_alarms[n - 1].active = *active;
        m_activeBeforeWeekend[n - 1] = false; // the user's own choice wins
        m_unsaved = true;
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

    Alarm &a = m_alarms[n - 1];
    a.time = *t;
    a.active = *active;
    if (ring)
        a.ring = *ring;
    m_activeBeforeWeekend[n - 1] = false;
    m_unsaved = true;
    return ErrorCode::Ok;
}

// Weekend mode switches the set alarms off; leaving it switches back on
// those that were on before.
ErrorCode QuorvanState::toggleWeekendMode()
{
    m_weekendMode = !m_weekendMode;
    for (int i = 0; i < kAlarmCount; ++i) {
        Alarm &a = m_alarms[i];
        if (m_weekendMode) {
            m_activeBeforeWeekend[i] = a.active;
            a.active = false;
        } else {
            a.active = a.active || m_activeBeforeWeekend[i];
            m_activeBeforeWeekend[i] = false;
        }
    }
    m_unsaved = true;
    return ErrorCode::Ok;
}

ErrorCode QuorvanState::applyFaceCommand(const QString &selector, const QString &payload,
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
    if (*i < 0 || *i >= kFlagCount)
        return ErrorCode::FlagNumber;
    m_faceFlags[*i] = m_faceFlags[*i] ? 0 : 1;
    m_unsaved = true;
    return ErrorCode::Ok;
}

ErrorCode QuorvanState::applyTransparency(const QStringList &fields)
{
    if (fields.size() != 4)
        return ErrorCode::FieldCount;
    if (!m_transparency.levels.contains(fields[0]))
        return ErrorCode::LevelNotListed;
    if (!boundsAcceptable(fields[1], fields[2]))
        return ErrorCode::BadBounds;
    const std::optional<bool> mode = parseActive(fields[3]);
    if (!mode)
        return ErrorCode::BadMode;
    m_transparency.level = fields[0];
    m_transparency.min = fields[1];
    m_transparency.max = fields[2];
    m_transparencyMode = *mode ? 1 : 0;
    m_unsaved = true;
    return ErrorCode::Ok;
}

ErrorCode QuorvanState::applyBrightness(const QStringList &fields)
{
    if (!m_brightnessSupported)
        return ErrorCode::NoBrightness;
    if (fields.size() != 3)
        return ErrorCode::FieldCount;
    if (!m_brightness.levels.contains(fields[0]))
        return ErrorCode::LevelNotListed;
    if (!boundsAcceptable(fields[1], fields[2]))
        return ErrorCode::BadBounds;
    m_brightness.level = fields[0];
    m_brightness.min = fields[1];
    m_brightness.max = fields[2];
    m_unsaved = true;
    return ErrorCode::Ok;
}

ErrorCode QuorvanState::selectSkin(const QString &selector)
{
    const std::optional<int> n = parseSelector(selector);
    if (!n)
        return ErrorCode::UnknownCommand;
    if (*n < 0 || *n >= m_skins.size())
        return ErrorCode::SkinRange;
    m_currentSkin = *n;
    m_currentStyle = 0;
    m_unsaved = true;
    return ErrorCode::Ok;
}

ErrorCode QuorvanState::selectStyle(const QString &selector)
{
    const std::optional<int> n = parseSelector(selector);
    if (!n)
        return ErrorCode::UnknownCommand;
    if (*n < 0 || *n >= m_skins.at(m_currentSkin).styles.size())
        return ErrorCode::StyleRange;
    m_currentStyle = *n;
    m_unsaved = true;
    return ErrorCode::Ok;
}

ErrorCode QuorvanState::save()
{
    m_unsaved = false;
    ++m_saveCount;
    return ErrorCode::Ok;
}

} // namespace sim
