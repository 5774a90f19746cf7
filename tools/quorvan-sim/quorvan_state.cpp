#include "quorvan_state.h"

#include "command_texts.h"
#include "set_commands.h"

#include "common/ansi.h"

namespace sim {
namespace {

QString flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

Alarm makeAlarm(int h, int m, int s, bool active, const QString &ring, qint16 num1, qint16 num2,
                bool flag1, bool flag2)
{
    return Alarm{QTime(h, m, s), active, ring, num1, num2, flag1, flag2};
}

QList<Skin> builtInSkins()
{
    // Latin and Cyrillic names, one style and several, so every path of
    // the client's skin group gets exercised.
    return {
        {QStringLiteral("Classic"), {240, 120, 0, 1},
         {QStringLiteral("Day.stl"), QStringLiteral("Night.stl"), QStringLiteral("Blue.stl")}},
        {QStringLiteral("Электроника"), {200, 80, 1, 0},
         {QStringLiteral("Зелёный.stl"), QStringLiteral("Красный.stl")}},
        {QStringLiteral("Minimal"), {160, 60, 0, 0}, {QStringLiteral("Default.stl")}},
        {QStringLiteral("Ретро"), {320, 320, 2, 1}, {QStringLiteral("Сепия.stl")}},
        {QStringLiteral("Neon Glow"), {300, 100, 3, 0},
         {QStringLiteral("Pink.stl"), QStringLiteral("Cyan.stl"), QStringLiteral("Lime.stl"),
          QStringLiteral("Violet.stl")}},
        {QStringLiteral("Цифровые часы"), {260, 90, 0, 2},
         {QStringLiteral("Обычный.stl"), QStringLiteral("Крупный.stl")}},
        {QStringLiteral("Digital LCD"), {220, 70, 1, 1}, {QStringLiteral("Amber.stl")}},
    };
}

QStringList levelsFrom(int first, int step, int last)
{
    QStringList out;
    for (int v = first; v <= last; v += step)
        out << QString::number(v);
    return out;
}

} // namespace

QuorvanState::QuorvanState(bool brightnessSupported)
{
    m_d.alarms = {makeAlarm(7, 5, 0, true, QStringLiteral("Подъём!"), 5, 3, true, false),
                  makeAlarm(8, 30, 0, false, QStringLiteral("Beep"), 10, 1, false, true),
                  makeAlarm(13, 45, 30, true, QStringLiteral("Обед"), 0, 0, false, false),
                  makeAlarm(22, 0, 0, false, QString(), 0, 0, true, true)};
    m_d.skins = builtInSkins();
    m_d.currentSkin = 0;
    m_d.currentStyle = 1;
    m_d.transparency = {levelsFrom(0, 10, 100), QStringLiteral("80"), QStringLiteral("20"), QStringLiteral("100")};
    m_d.transparencyMode = 1;
    m_d.brightness = {levelsFrom(0, 25, 100), QStringLiteral("75"), QStringLiteral("25"), QStringLiteral("100")};
    m_d.brightnessSupported = brightnessSupported;
    m_d.faceFlags = {0, 1, 0, 0};
}

std::optional<QString> QuorvanState::answer(const QString &command)
{
    if (command.isEmpty())
        return std::nullopt;
    if (command == u"ping")
        return QStringLiteral("ping");

    const qsizetype bar = command.indexOf(u'|');
    const bool hasFields = bar >= 0;
    const QString head = hasFields ? command.left(bar) : command;
    const QString payload = hasFields ? command.mid(bar + 1) : QString();
    if (head.size() < 3)
        return errorReply(ErrorCode::UnknownCommand);
    const QString word = head.left(3);
    const QString selector = head.mid(3);

    if (word == u"Err")
        return std::nullopt;
    if (word.startsWith(u'G'))
        return answerRead(head, hasFields);

    SetCommands set(m_d);
    ErrorCode code = ErrorCode::UnknownCommand;
    if (word == u"Sbd")
        code = set.applyAlarmCommand(selector, payload, hasFields);
    else if (word == u"Sfa")
        code = set.applyFaceCommand(selector, payload, hasFields);
    else if (word == u"Ssk")
        code = hasFields ? ErrorCode::FieldCount : set.selectSkin(selector);
    else if (word == u"Sst")
        code = hasFields ? ErrorCode::FieldCount : set.selectStyle(selector);
    else if (word == u"Sss" && selector == u"1")
        code = hasFields ? ErrorCode::FieldCount : set.save();
    return errorReply(code);
}

std::optional<QByteArray> QuorvanState::answerDatagram(QByteArrayView datagram)
{
    const std::optional<QString> reply = answer(ansi::decode(datagram));
    if (!reply)
        return std::nullopt;
    return ansi::encode(*reply);
}

std::optional<QString> QuorvanState::answerRead(const QString &head, bool hasFields) const
{
    const QString word = head.left(3);
    const QString selector = head.mid(3);
    const bool known = (word == u"Gsk" && (selector == u"?" || parseSelector(selector)))
        || (word == u"Gfa" && (selector == u"T" || selector == u"B" || selector == u"*"))
        || (word == u"Gbd" && (selector == u"*" || parseSelector(selector)));
    if (!known)
        return errorReply(ErrorCode::UnknownCommand);
    if (hasFields) // read commands take no fields
        return errorReply(ErrorCode::FieldCount);

    if (word == u"Gsk") {
        if (selector == u"?")
            return skinReply(head, m_d.currentSkin);
        const int n = *parseSelector(selector);
        if (n < 0 || n >= m_d.skins.size())
            return errorReply(ErrorCode::SkinRange);
        return skinReply(QStringLiteral("Gsk") + QString::number(n), n);
    }
    if (word == u"Gfa") {
        if (selector == u"T")
            return transparencyReply();
        if (selector == u"B")
            return brightnessReply();
        return faceFlagsReply();
    }
    if (selector == u"*")
        return allAlarmsReply();
    const int n = *parseSelector(selector);
    if (n < 1 || n > kAlarmCount)
        return errorReply(ErrorCode::AlarmNumber);
    return alarmReply(n);
}

QString QuorvanState::alarmText(int n) const
{
    const Alarm &a = alarm(n);
    return QStringList{QString::number(n), a.time.toString(QStringLiteral("H:mm:ss")),
                       flag(a.active), a.ring, QString::number(a.num1),
                       QString::number(a.num2), flag(a.flag1), flag(a.flag2)}
        .join(u'|');
}

QString QuorvanState::alarmReply(int n) const
{
    return QStringLiteral("Gbd") + QString::number(n) + u'|' + alarmText(n);
}

QString QuorvanState::allAlarmsReply() const
{
    QStringList lines;
    for (int n = 1; n <= kAlarmCount; ++n)
        lines << alarmText(n);
    return QStringLiteral("Gbd*|") + lines.join(QStringLiteral("\r\n"));
}

// "Gsk?" describes the skin on show; "Gsk" + n describes skin n as if it
// were, so its current index is n and its style the first one.
QString QuorvanState::skinReply(const QString &head, int skin) const
{
    const Skin &s = m_d.skins.at(skin);
    const int style = skin == m_d.currentSkin ? m_d.currentStyle : 0;
    QStringList fields{QString::number(0), QString::number(m_d.skins.size() - 1),
                       QString::number(skin), s.name};
    for (qint16 p : s.params)
        fields << QString::number(p);
    fields << QString::number(style);
    fields << s.styles;
    return head + u'|' + fields.join(u'|');
}

QString QuorvanState::transparencyReply() const
{
    const LevelSetting &t = m_d.transparency;
    QStringList fields{t.level, t.min, t.max, QString::number(m_d.transparencyMode)};
    fields << t.levels;
    return QStringLiteral("GfaT|") + fields.join(u'|');
}

QString QuorvanState::brightnessReply() const
{
    if (!m_d.brightnessSupported)
        return QStringLiteral("GfaB||||0");
    const LevelSetting &b = m_d.brightness;
    QStringList fields{b.level, b.min, b.max, QStringLiteral("1")};
    fields << b.levels;
    return QStringLiteral("GfaB|") + fields.join(u'|');
}

QString QuorvanState::faceFlagsReply() const
{
    QStringList fields;
    for (int f : m_d.faceFlags)
        fields << QString::number(f);
    fields << QString::number(m_d.transparencyMode) << flag(m_d.brightnessSupported);
    return QStringLiteral("Gfa*|") + fields.join(u'|');
}

QString QuorvanState::errorReply(ErrorCode code)
{
    return QStringLiteral("Err") + QString::number(static_cast<int>(code)) + u'|'
        + errorText(code);
}

QString QuorvanState::errorText(ErrorCode code)
{
    switch (code) {
    case ErrorCode::Ok: return QString();
    case ErrorCode::UnknownCommand: return QStringLiteral("Неизвестная команда");
    case ErrorCode::FieldCount: return QStringLiteral("Неверное число полей");
    case ErrorCode::AlarmNumber: return QStringLiteral("Нет будильника с таким номером");
    case ErrorCode::BadTime: return QStringLiteral("Неверное время");
    case ErrorCode::BadActive: return QStringLiteral("Активность должна быть 0 или 1");
    case ErrorCode::BadRing: return QStringLiteral("Текст звонка содержит недопустимые символы");
    case ErrorCode::LevelNotListed: return QStringLiteral("Уровень не из списка");
    case ErrorCode::BadBounds: return QStringLiteral("Неверные границы");
    case ErrorCode::BadMode: return QStringLiteral("Режим должен быть 0 или 1");
    case ErrorCode::NoBrightness: return QStringLiteral("Яркость не поддерживается");
    case ErrorCode::SkinRange: return QStringLiteral("Нет скина с таким номером");
    case ErrorCode::StyleRange: return QStringLiteral("Нет стиля с таким номером");
    case ErrorCode::FlagNumber: return QStringLiteral("Нет флага с таким номером");
    }
    return QStringLiteral("Ошибка");
}

} // namespace sim
