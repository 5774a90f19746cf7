#pragma once
// Number and Boolean texts as Quorvan writes them and as the settings file
// holds them. One rule for the whole program:
//   [blanks] [+|-] digits [. digits] [(e|E) [+|-] digits] [blanks]
// (".5" and "5." count too). Whole numbers come from rounding half to even.

#include <QString>
#include <QStringView>

#include <optional>

namespace num {

std::optional<double> parseNumber(QStringView text);

// Numeric text rounded half to even; empty outside -32768..32767.
std::optional<qint16> toInt16(QStringView text);

// "True"/"False" in any letter case, or a number (0 is False).
std::optional<bool> toBool(QStringView text);

// Plain decimal text only ([blanks][sign]digits[blanks]), for address parts
// and ports where exponent forms would only surprise.
std::optional<qint64> parsePlainInteger(QStringView text);

} // namespace num
