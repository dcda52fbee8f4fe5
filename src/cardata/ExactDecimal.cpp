#include "ExactDecimal.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace modLoad {

char* ExactDecimal(float value, char* out)
{
    if (!std::isfinite(value) || (std::signbit(value) && value == 0.0f))
        return nullptr;
    char* const end = std::to_chars(out, out + 32, value).ptr;
    // Readers parse a double and narrow it; make sure that lands on the same float.
    double read = 0;
    std::from_chars(out, end, read);
    if (std::bit_cast<std::uint32_t>(static_cast<float>(read)) != std::bit_cast<std::uint32_t>(value))
        return nullptr;
    return end;
}

std::optional<QByteArray> ExactDecimal(float value)
{
    char text[32];
    const char* const end = ExactDecimal(value, text);
    if (!end)
        return std::nullopt;
    return QByteArray(text, end - text);
}

}  // namespace modLoad
