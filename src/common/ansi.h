#pragma once
// 8-bit text of the wire and the settings file: Windows-1251 on both sides,
// whatever the machine's own locale is, and the same bytes on every platform
// (our own table; Qt knows this code page only where it has ICU).

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace ansi {

// Every byte decodes to exactly one character; nothing here fails or throws.
QString decode(QByteArrayView bytes);

// Characters without a place in the code page become '?', one per
// character (a surrogate pair is one); invisible format characters
// (zero-width joiners, variation selectors, byte-order marks, ...) are
// left out rather than shown as '?'. Half a surrogate pair at the very end
// is left out too.
QByteArray encode(QStringView text);

// Whether every character of text has a place in the code page, so that
// encode() sends it as it is.
bool representable(QStringView text);

// Wire text for a terminal or a log line: CR and LF shown as \r and \n,
// other control characters (C0, DEL and C1) as \xNN, so a reply cannot
// clear, retitle or garble what shows it. Text without them is unchanged,
// and so is text already made printable.
QString printable(const QString &text);

} // namespace ansi
