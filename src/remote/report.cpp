#include "remote/report.h"

#include "common/number.h"

#include <QJsonArray>

namespace remote {
namespace {

// The captions of the window's four face-flag boxes, in flag order.
const char *const kFlagCaptions[records::kFlagCount] = {"Показать/спрятать", "Всегда впереди",
                                                     "Фиксировать текст", "Блокировать"};

QString checkText(int value)
{
    switch (value) {
    case 0: return QStringLiteral("нет");
    case 1: return QStringLiteral("да");
    default: return QStringLiteral("не определён");
    }
}

QString modeText(int mode)
{
    switch (mode) {
    case 0: return QStringLiteral("затемнение");
    case 1: return QStringLiteral("прозрачность");
    default: return QStringLiteral("не определён");
    }
}

QString levelsText(const QStringList &levels)
{
    return levels.isEmpty() ? QStringLiteral("нет") : levels.join(u' ');
}

QString boundsText(const QString &min, const QString &max)
{
    return QStringLiteral("границы %1…%2").arg(min, max);
}

// Levels and bounds are numbers; Quorvan's text stays as it is only where
// it is none.
QJsonValue numberJson(const QString &text)
{
    if (const auto v = num::parseNumber(text))
        return *v;
    return text;
}

QJsonArray numbersJson(const QStringList &texts)
{
    QJsonArray a;
    for (const QString &t : texts)
        a.append(numberJson(t));
    return a;
}

// A check box: ticked or clear; greyed is neither.
QJsonValue checkJson(int value)
{
    switch (value) {
    case 0: return false;
    case 1: return true;
    default: return QJsonValue::Null;
    }
}

} // namespace

void Shown::add(const QString &key, const QJsonValue &value, const QStringList &text)
{
    json.insert(key, value);
    lines += text;
}

QString modeName(int mode)
{
    switch (mode) {
    case 0: return QStringLiteral("dimming");
    case 1: return QStringLiteral("transparency");
    default: return QStringLiteral("indeterminate");
    }
}

QJsonObject alarmJson(int n, const records::BudRec &bud)
{
    return {{QStringLiteral("number"), n},
            {QStringLiteral("time"), records::formatHnn(bud.dTime)},
            {QStringLiteral("second"), bud.dTime.second()},
            {QStringLiteral("on"), bud.bActive},
            {QStringLiteral("ring"), bud.sRing}};
}

QString alarmLine(int n, const records::BudRec &bud)
{
    QString line = QStringLiteral("Будильник %1: %2  %3").arg(n).arg(records::formatHnn(bud.dTime), 5)
                       .arg(bud.bActive ? QStringLiteral("вкл. ") : QStringLiteral("выкл."));
    if (!bud.sRing.isEmpty())
        line += QStringLiteral("  ") + bud.sRing;
    return line;
}

QJsonArray alarmsJson(const records::BudTable &buds)
{
    QJsonArray a;
    for (int n = 1; n <= records::BudTable::kCount; ++n)
        a.append(alarmJson(n, buds(n)));
    return a;
}

QStringList alarmsLines(const records::BudTable &buds)
{
    QStringList lines;
    for (int n = 1; n <= records::BudTable::kCount; ++n)
        lines << alarmLine(n, buds(n));
    return lines;
}

QJsonObject skinJson(const records::SkinGroup &g)
{
    return {{QStringLiteral("name"), g.info.sName},
            {QStringLiteral("position"), g.current},
            {QStringLiteral("first"), g.first},
            {QStringLiteral("last"), g.last},
            {QStringLiteral("style"), records::currentStyleName(g.info)},
            {QStringLiteral("style_position"), g.styleCurrent},
            {QStringLiteral("style_count"), g.styleLast}};
}

QStringList skinLines(const records::SkinGroup &g)
{
    return {QStringLiteral("Скин: %1 (%2/%3)").arg(g.info.sName).arg(g.current).arg(g.last),
            QStringLiteral("Стиль: %1 (%2/%3)").arg(records::currentStyleName(g.info)).arg(g.styleCurrent).arg(g.styleLast)};
}

QJsonObject transparencyJson(const records::TransparencyRecord &r)
{
    return {{QStringLiteral("level"), numberJson(*r.level)},
            {QStringLiteral("min"), numberJson(*r.min)},
            {QStringLiteral("max"), numberJson(*r.max)},
            {QStringLiteral("mode"), modeName(*r.mode)},
            {QStringLiteral("levels"), numbersJson(r.levels)}};
}

QStringList transparencyLines(const records::TransparencyRecord &r)
{
    return {QStringLiteral("Прозрачность: %1, %2, режим: %3").arg(*r.level, boundsText(*r.min, *r.max), modeText(*r.mode)),
            QStringLiteral("  уровни: %1").arg(levelsText(r.levels))};
}

QJsonObject brightnessJson(const records::BrightnessRecord &r)
{
    if (!*r.supported)
        return {{QStringLiteral("supported"), false}};
    return {{QStringLiteral("supported"), true},
            {QStringLiteral("level"), numberJson(r.level)},
            {QStringLiteral("min"), numberJson(r.min)},
            {QStringLiteral("max"), numberJson(r.max)},
            {QStringLiteral("levels"), numbersJson(r.levels)}};
}

QStringList brightnessLines(const records::BrightnessRecord &r)
{
    if (!*r.supported)
        return {QStringLiteral("Яркость: не поддерживается")};
    return {QStringLiteral("Яркость: %1, %2").arg(r.level, boundsText(r.min, r.max)),
            QStringLiteral("  уровни: %1").arg(levelsText(r.levels))};
}

QStringList flagNames()
{
    return {QStringLiteral("hide"), QStringLiteral("on-top"), QStringLiteral("fix-text"), QStringLiteral("lock")};
}

QJsonObject flagsJson(const records::FaceFlagsRecord &r)
{
    QJsonObject o;
    const QStringList names = flagNames();
    for (int i = 0; i < records::kFlagCount; ++i)
        o.insert(QString(names.at(i)).replace(u'-', u'_'), checkJson(*r.flags[i]));
    return o;
}

QStringList flagsLines(const records::FaceFlagsRecord &r)
{
    QStringList lines;
    for (int i = 0; i < records::kFlagCount; ++i)
        lines << QStringLiteral("%1: %2").arg(QString::fromUtf8(kFlagCaptions[i]), checkText(*r.flags[i]));
    return lines;
}

} // namespace remote
