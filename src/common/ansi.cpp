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
    static QStringDecoder decoder = makeDecoder();
    return decoder.decode(bytes);
}

QByteArray encode(QStringView text)
{
    if (isAscii(text))
        return text.toLatin1();
    static QStringEncoder encoder = makeEncoder();
    QByteArray out = encoder.encode(text);
    // ICU marks unmappable characters with SUB (0x1A); show them as '?'.
    out.replace('\x1a', '?');
    return out;
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
        else if (c.unicode() < 0x20)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

} // namespace ansi
