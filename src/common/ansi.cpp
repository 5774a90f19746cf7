#include "common/ansi.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace ansi {
namespace {

constexpr auto kCodePage = "windows-1251";

// Qt only knows Windows-1251 through ICU. A build without it falls back to
// Latin-1, which keeps ASCII commands working and never fails.
QStringDecoder makeDecoder()
{
    QStringDecoder d(kCodePage, QStringConverter::Flag::Stateless);
    return d.isValid() ? std::move(d)
                       : QStringDecoder(QStringConverter::Latin1, QStringConverter::Flag::Stateless);
}

QStringEncoder makeEncoder()
{
    QStringEncoder e(kCodePage, QStringConverter::Flag::Stateless);
    return e.isValid() ? std::move(e)
                       : QStringEncoder(QStringConverter::Latin1, QStringConverter::Flag::Stateless);
}

bool isAscii(QStringView text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

} // namespace

QString decode(QByteArrayView bytes)
{
    // Commands and numbers are plain ASCII; skip the converter for them.
    bool ascii = true;
    for (char b : bytes)
        if (static_cast<unsigned char>(b) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii)
        return QString::fromLatin1(bytes);
    // One converter per thread: dalvimoctl talks to many servers at once.
    thread_local QStringDecoder decoder = makeDecoder();
    return decoder.decode(bytes);
}

namespace {

// ICU marks unmappable characters with SUB (0x1A).
QByteArray encodeMarked(QStringView text)
{
    thread_local QStringEncoder encoder = makeEncoder();
    return encoder.encode(text);
}

} // namespace

QByteArray encode(QStringView text)
{
    if (isAscii(text))
        return text.toLatin1();
    QByteArray out = encodeMarked(text);
    out.replace('\x1a', '?'); // a character without a place goes out as '?'
    return out;
}

bool representable(QStringView text)
{
    // A character without a place comes back as SUB (or '?' without ICU),
    // never as itself.
    return isAscii(text) || decode(encodeMarked(text)) == text;
}

QString printable(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == u'\r')
            out += QLatin1String("\\r");
        else if (c == u'\n')
            out += QLatin1String("\\n");
        else if (c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() < 0xa0))
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

} // namespace ansi
