#include "remote/arguments.h"

#include "common/ansi.h"
#include "protocol/command_check.h"
#include "protocol/protocol.h"
#include "records/alarm_record.h"

namespace remote {
namespace {

constexpr qsizetype kQuotedMax = 40; // characters of an argument shown in a message

[[noreturn]] void bad(const QString &name, const QString &why)
{
    throw BadArgument{name + QStringLiteral(": ") + why};
}

[[noreturn]] void badValue(const QString &name, const QString &text, const QString &why)
{
    bad(name, QStringLiteral("«%1» — %2").arg(quotedArgument(text), why));
}

} // namespace

QString quotedArgument(const QString &text)
{
    if (text.size() <= kQuotedMax)
        return ansi::printable(text);
    return ansi::printable(text.left(kQuotedMax)) + QStringLiteral("… (%1 символов)").arg(text.size());
}

qint64 integerArgument(const QString &name, const QString &text, qint64 lo, qint64 hi)
{
    const auto v = proto::plainIntegerIn(text, lo, hi);
    if (!v)
        badValue(name, text, QStringLiteral("нужно целое от %1 до %2").arg(lo).arg(hi));
    return *v;
}

QString levelArgument(const QString &name, const QString &text)
{
    return QString::number(integerArgument(name, text, kLevelMin, kLevelMax));
}

void boundsArguments(const QString &minName, const QString &min, const QString &maxName, const QString &max)
{
    if (min.toInt() > max.toInt())
        bad(minName, QStringLiteral("нижняя граница %1 больше верхней (%2 %3)").arg(min, maxName, max));
}

QTime timeArgument(const QString &name, const QString &text)
{
    const auto t = records::parseTimeText(text);
    if (!t)
        badValue(name, text, QStringLiteral("нужно Ч:ММ или Ч:ММ:СС"));
    return *t;
}

QString ringArgument(const QString &name, const QString &text)
{
    if (const auto why = proto::fieldFault(text))
        badValue(name, text, *why);
    // A tab, an escape or the like would only ever be shown escaped.
    if (ansi::printable(text) != text)
        badValue(name, text, QStringLiteral("управляющие символы в тексте не допускаются"));
    if (!proto::ringGoesOut(text))
        bad(name, QStringLiteral("текст короче 5 символов Quorvan не передаётся"));
    // The longest set command this ring can travel in.
    const QString longest = proto::alarmSet(records::BudTable::kCount, QStringLiteral("23:59:59"), 1, text);
    if (const auto why = proto::commandFault(longest))
        badValue(name, text, *why);
    return text;
}

QString commandArgument(const QString &name, const QString &text)
{
    if (text.isEmpty())
        bad(name, QStringLiteral("пустая команда"));
    if (const auto why = proto::commandFault(text))
        badValue(name, text, *why);
    return text;
}

} // namespace remote
