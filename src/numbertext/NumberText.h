#pragma once

#include <QString>

#include <optional>
#include <string_view>

namespace numbertext {

// An ASCII digit, whatever the locale.
inline bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// What a decimal holds for a 32-bit float.
enum class Decimal { Single, NotANumber, TooLarge, TooSmall };

// Reads a plain decimal, whatever the locale: an optional sign, digits with
// an optional point and fraction, an optional exponent ("-12.5e3"). It is
// rounded once, straight from its digits to the nearest float. TooLarge when
// it lies beyond the largest float; TooSmall when it is not zero yet would
// become 0, and value then holds the zero of its sign.
Decimal ReadDecimal(std::string_view text, float& value);

// The standard text of a 32-bit float: at most 7 significant digits, no
// trailing zeros, the locale's decimal separator, exponent form (1.234568E+08)
// for very large and very small magnitudes.
QString SingleToText(float value);

// Reads a number the way SingleToText writes it, in the user's locale: the
// text made plain, then read as ReadDecimal reads it. Empty when the text is
// not a number or lies outside the floats; why, when given, then says which.
std::optional<float> TextToSingle(const QString& text, Decimal* why = nullptr);

// Reads a number as TextToSingle does and takes it to the nearest whole
// number, a half to the even one, from its decimal digits themselves, so
// that no float rounds it first. Empty when the text is not a number or the
// whole number has more than 18 digits.
std::optional<qint64> TextToWhole(const QString& text);

}  // namespace numbertext
