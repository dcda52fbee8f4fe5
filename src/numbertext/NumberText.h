#pragma once

#include <QString>

#include <optional>

namespace numbertext {

// The standard text of a 32-bit float: at most 7 significant digits, no
// trailing zeros, the locale's decimal separator, exponent form (1.234568E+08)
// for very large and very small magnitudes.
QString SingleToText(float value);

// Reads a number the way SingleToText writes it, with the locale's
// conventions. Empty when the text is not a number or is out of float range.
std::optional<float> TextToSingle(const QString& text);

// Reads a number as TextToSingle does and takes it to the nearest whole
// number, a half to the even one, from its decimal digits themselves, so
// that no float rounds it first. Empty when the text is not a number or the
// whole number has more than 18 digits.
std::optional<qint64> TextToWhole(const QString& text);

}  // namespace numbertext
