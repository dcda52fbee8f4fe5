#include "ExactDecimal.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace modLoad {

std::optional<QByteArray> ExactDecimal(float value)
{
    if (!std::isfinite(value) || (std::signbit(value) && value == 0.0f))
        return std::nullopt;
    char text[32];
    const auto written = std::to_chars(std::begin(text), std::end(text), value);
    // Readers parse a double and narrow it; make sure that lands on the same float.
    double read = 0;
    std::from_chars(text, written.ptr, read);
    if (std::bit_cast<std::uint32_t>(static_cast<float>(read)) != std::bit_cast<std::uint32_t>(value))
        return std::nullopt;
    return QByteArray(text, written.ptr - text);
}

}  // namespace modLoad
