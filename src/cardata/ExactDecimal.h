#pragma once

#include <QByteArray>

#include <optional>

namespace modLoad {

// The shortest decimal that reads back as the same float, bit for bit, also
// when a reader parses a double and narrows it; none for NaN, the infinities
// and -0, which no plain decimal gives back, nor for the one float (and its
// negative) whose shortest decimal narrows to its neighbour.
std::optional<QByteArray> ExactDecimal(float value);

// The same into out, which has room for 32 characters: the end of what was
// written, or nullptr where there is no such decimal.
char* ExactDecimal(float value, char* out);

}  // namespace modLoad
