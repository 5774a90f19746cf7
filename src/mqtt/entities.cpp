#include "mqtt/entities.h"

#include "protocol/reply_fields.h"
#include "records/skin_info.h"

#include <QStringDecoder>

#include <algorithm>

namespace mqtt {
namespace {

// A select offers at most this many options; a Quorvan that claims more
// skins than that gets the first ones.
constexpr int kMaxOptions = 100;

const QByteArray kOn("ON");
const QByteArray kOff("OFF");
const QByteArray kPress("PRESS");

QList<Entity> makeEntities()
{
    using E = Entity;
    QList<Entity> list{
        {E::Button, QStringLiteral("silence"), QStringLiteral("Заглушить будильник"), QStringLiteral("mdi:alarm-off"),
         Command::Silence, 0},
        {E::Button, QStringLiteral("alarms_toggle"), QStringLiteral("Откл/Вкл. будильников"),
         QStringLiteral("mdi:alarm-multiple"), Command::AlarmsToggle, 0},
    };
    for (int n = 1; n <= records::BudTable::kCount; ++n) {
        const QString a = QStringLiteral("alarm%1_").arg(n);
        list << E{E::Switch, a + QStringLiteral("active"), QStringLiteral("Будильник %1").arg(n),
                  QStringLiteral("mdi:alarm"), Command::AlarmActive, n}
             << E{E::TimeText, a + QStringLiteral("time"), QStringLiteral("Время будильника %1").arg(n),
                  QStringLiteral("mdi:clock-outline"), Command::AlarmTime, n}
             << E{E::RingText, a + QStringLiteral("ring"), QStringLiteral("Текст будильника %1").arg(n),
                  QStringLiteral("mdi:text"), Command::AlarmRing, n};
    }
    list << E{E::Select, QStringLiteral("skin"), QStringLiteral("Скин"), QStringLiteral("mdi:palette"), Command::Skin, 0}
         << E{E::Select, QStringLiteral("style"), QStringLiteral("Стиль"), QStringLiteral("mdi:format-paint"),
              Command::Style, 0}
         << E{E::Select, QStringLiteral("transparency"), QStringLiteral("Уровень прозрачности"),
              QStringLiteral("mdi:opacity"), Command::Transparency, 0}
         << E{E::Select, QStringLiteral("brightness"), QStringLiteral("Уровень яркости"),
              QStringLiteral("mdi:brightness-6"), Command::Brightness, 0};
    // The four face flags with the captions of their boxes.
    const char *const objects[records::kFlagCount] = {"flag_hide", "flag_on_top", "flag_fix_text", "flag_lock"};
    const char *const names[records::kFlagCount] = {"Показать/спрятать", "Всегда впереди", "Фиксировать текст",
                                                 "Блокировать"};
    for (int i = 0; i < records::kFlagCount; ++i)
        list << E{E::Switch, QString::fromLatin1(objects[i]), QString::fromUtf8(names[i]), QString(), Command::Flag, i};
    list << E{E::Connectivity, kAnswersObject, QStringLiteral("Отвечает ли Quorvan"), QString(), Command::Silence, 0};
    return list;
}

QString timeText(QTime t)
{
    return t.second() == 0 ? records::formatHnn(t) : t.toString(QStringLiteral("H:mm:ss"));
}

QStringList sendableLevels(const QStringList &levels)
{
    // Offered only as dalvimoctl would send them, so that what comes back
    // goes out unchanged.
    QStringList out;
    for (const QString &l : levels)
        if (sendableLevel(l) == l && !out.contains(l) && out.size() < kMaxOptions)
            out << l;
    return out;
}

QString styleOption(const records::SkinGroup &g, int position)
{
    QString name;
    try {
        name = records::styleDisplayName(g.info.sStyles.value(position - 1));
    } catch (const proto::ReplyFailure &) {
        // shown by its number alone
    }
    return name.isEmpty() ? QString::number(position) : QStringLiteral("%1. %2").arg(position).arg(name);
}

std::optional<bool> onOff(const QByteArray &payload)
{
    if (payload == kOn)
        return true;
    if (payload == kOff)
        return false;
    return std::nullopt;
}

} // namespace

QString Entity::component() const
{
    switch (shape) {
    case Button: return QStringLiteral("button");
    case Switch: return QStringLiteral("switch");
    case TimeText:
    case RingText: return QStringLiteral("text");
    case Select: return QStringLiteral("select");
    case Connectivity: return QStringLiteral("binary_sensor");
    }
    return {};
}

const QList<Entity> &entities()
{
    static const QList<Entity> list = makeEntities();
    return list;
}

const Entity *entityNamed(const QString &object)
{
    const QList<Entity> &list = entities();
    const auto it = std::find_if(list.begin(), list.end(), [&](const Entity &e) { return e.object == object; });
    return it == list.end() ? nullptr : &*it;
}

QStringList optionsOf(const Entity &e, const Snapshot &s)
{
    QStringList out;
    switch (e.kind) {
    case Command::Skin:
        for (int p = s.skin.first; p <= s.skin.last && out.size() < kMaxOptions; ++p)
            out << QString::number(p);
        break;
    case Command::Style:
        for (int p = s.skin.styleFirst; p <= s.skin.styleLast && out.size() < kMaxOptions; ++p)
            out << styleOption(s.skin, p);
        break;
    case Command::Transparency:
        out = sendableLevels(s.transparency.levels);
        break;
    case Command::Brightness:
        if (s.brightness.supported.value_or(false))
            out = sendableLevels(s.brightness.levels);
        break;
    default:
        break;
    }
    return out;
}

std::optional<QByteArray> stateOf(const Entity &e, const Snapshot &s)
{
    const auto flag = [](bool on) { return on ? kOn : kOff; };
    switch (e.kind) {
    case Command::AlarmActive: return flag(s.alarms(e.number).bActive);
    case Command::AlarmTime: return timeText(s.alarms(e.number).dTime).toUtf8();
    case Command::AlarmRing: return s.alarms(e.number).sRing.toUtf8();
    case Command::Flag: return flag(s.flags.flags.at(size_t(e.number)).value_or(0) != 0);
    case Command::Skin: return QByteArray::number(s.skin.current);
    case Command::Style: return styleOption(s.skin, s.skin.styleCurrent).toUtf8();
    case Command::Transparency: return s.transparency.level.value_or(QString()).toUtf8();
    case Command::Brightness:
        if (!s.brightness.supported.value_or(false))
            return std::nullopt;
        return s.brightness.level.toUtf8();
    default: return std::nullopt;
    }
}

std::variant<Command, QString> commandFor(const Entity &e, const QByteArray &payload, const Snapshot *known)
{
    if (payload.size() > kMaxPayload)
        return QStringLiteral("значение длиннее %1 байт (%2)").arg(kMaxPayload).arg(payload.size());
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(payload);
    if (utf8.hasError())
        return QStringLiteral("значение не в UTF-8");

    const auto bad = [&](const QString &why) { return QStringLiteral("значение: «%1» — %2").arg(quoted(text), why); };
    Command c;
    c.kind = e.kind;
    c.number = e.number;
    switch (e.shape) {
    case Entity::Button:
        if (payload != kPress)
            return bad(QStringLiteral("кнопка ждёт PRESS"));
        return c;
    case Entity::Switch: {
        const auto on = onOff(payload);
        if (!on)
            return bad(QStringLiteral("нужно ON или OFF"));
        c.on = *on;
        return c;
    }
    case Entity::TimeText:
    case Entity::RingText:
        c.text = text;
        return c;
    case Entity::Select: {
        if (!known)
            return QStringLiteral("состояние Quorvan ещё не прочитано");
        const QStringList options = optionsOf(e, *known);
        const qsizetype i = options.indexOf(text);
        if (i < 0)
            return bad(QStringLiteral("такого значения нет в списке"));
        if (e.kind == Command::Skin)
            c.number = known->skin.first + int(i);
        else if (e.kind == Command::Style)
            c.number = known->skin.styleFirst + int(i);
        else
            c.text = text;
        return c;
    }
    case Entity::Connectivity:
        break;
    }
    return QStringLiteral("команд не принимает");
}

} // namespace mqtt
