#pragma once

#include <QString>

#include <optional>

namespace ui {

// The standard text of a 32-bit float: at most 7 significant digits, no
// trailing zeros, the locale's decimal separator, exponent form (1.234568E+08)
// for very large and very small magnitudes.
QString SingleToText(float value);

// Reads a number the way SingleToText writes it, with the locale's
// conventions. Empty when the text is not a number or is out of float range.
std::optional<float> TextToSingle(const QString& text);

}  // namespace ui
