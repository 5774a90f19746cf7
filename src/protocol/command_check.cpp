#include "protocol/command_check.h"

#include "common/ansi.h"
#include "common/number.h"
#include "protocol/protocol.h"

namespace proto {
namespace {

// The first character (a whole code point) that the code page lacks.
std::optional<QString> firstUnrepresentable(QStringView text)
{
    if (ansi::representable(text))
        return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QStringView c = text.mid(i, n);
        if (!ansi::representable(c))
            return c.toString();
        i += n - 1;
    }
    return QString(); // no single character to name
}

QString unrepresentable(const QString &c)
{
    if (c.isEmpty())
        return QStringLiteral("текст не передаётся в кодировке Windows-1251");
    return QStringLiteral("символа «%1» нет в кодировке Windows-1251").arg(ansi::printable(c));
}

} // namespace

std::optional<QString> fieldFault(QStringView text)
{
    if (text.contains(u'|'))
        return QStringLiteral("«|» разделяет поля команды");
    if (text.contains(u'\r') || text.contains(u'\n'))
        return QStringLiteral("перевод строки в тексте не допускается");
    if (text.contains(QChar(0)))
        return QStringLiteral("символ NUL в тексте не допускается");
    if (const auto c = firstUnrepresentable(text))
        return unrepresentable(*c);
    return std::nullopt;
}

std::optional<QString> commandFault(QStringView command)
{
    if (const auto c = firstUnrepresentable(command))
        return unrepresentable(*c);
    // In the code page every character is one byte.
    if (command.size() > kMaxDatagram)
        return QStringLiteral("команда не помещается в одну датаграмму: %1 байт, можно не больше %2")
            .arg(command.size())
            .arg(kMaxDatagram);
    return std::nullopt;
}

std::optional<qint64> plainIntegerIn(QStringView text, qint64 lo, qint64 hi)
{
    const auto v = num::parsePlainInteger(text);
    if (!v || *v < lo || *v > hi)
        return std::nullopt;
    return v;
}

} // namespace proto
