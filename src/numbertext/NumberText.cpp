#include "NumberText.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace numbertext {

namespace {

// The exponent after the "e" of a plain decimal, held within a trillion
// either way so that no sum with it overflows.
long long exponentOf(std::string_view number)
{
    const std::size_t e = number.find_first_of("eE");
    if (e == std::string_view::npos)
        return 0;
    std::string_view digits = number.substr(e + 1);
    const bool negative = digits.front() == '-';
    if (!IsDigit(digits.front()))
        digits.remove_prefix(1);
    long long value = 0;
    for (const char c : digits)
        value = std::min(value * 10 + (c - '0'), 1'000'000'000'000LL);
    return negative ? -value : value;
}

// For a number without its sign that lies beyond the floats, whether it lies
// below them rather than above: the power of ten of its first digit tells.
bool belowFloatRange(std::string_view number)
{
    const std::string_view mantissa = number.substr(0, number.find_first_of("eE"));
    const auto point = static_cast<long long>(std::min(mantissa.find('.'), mantissa.size()));
    // Never npos: a number of zeros is never out of range.
    const auto lead = static_cast<long long>(mantissa.find_first_of("123456789"));
    return (lead < point ? point - lead - 1 : point - lead) + exponentOf(number) < 0;
}

// The number in the user's locale as a plain decimal: its digits, separator,
// signs and exponent mark in their ASCII forms; nothing when it holds any
// other character, a group separator included. The form itself is
// ReadDecimal's to judge.
std::optional<std::string> plainNumber(const QString& text)
{
    const QLocale locale;
    const QString trimmed = text.trimmed();
    std::string plain;
    for (qsizetype at = 0; at < trimmed.size();) {
        const auto takes = [&](const QString& symbol) {
            const bool found = !symbol.isEmpty() && QStringView(trimmed).mid(at).startsWith(symbol, Qt::CaseInsensitive);
            at += found ? symbol.size() : 0;
            return found;
        };
        if (const int digit = trimmed[at].digitValue(); digit >= 0) {
            plain += static_cast<char>('0' + digit);
            ++at;
        } else if (takes(locale.negativeSign())) {
            plain += '-';
        } else if (takes(locale.positiveSign())) {
            plain += '+';
        } else if (takes(locale.decimalPoint())) {
            plain += '.';
        } else if (takes(locale.exponential())) {
            plain += 'e';
        } else {
            return std::nullopt;
        }
    }
    return plain;
}

}  // namespace

Decimal ReadDecimal(std::string_view text, float& value)
{
    std::string_view digits = text;
    const bool negative = !digits.empty() && digits.front() == '-';
    if (negative || (!digits.empty() && digits.front() == '+'))
        digits.remove_prefix(1);
    // from_chars alone would also take "inf", "nan" and a second sign.
    if (digits.empty() || !(IsDigit(digits.front()) || digits.front() == '.'))
        return Decimal::NotANumber;
    const char* const first = negative ? text.data() : digits.data();
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(first, end, value);
    if (stop != end || error == std::errc::invalid_argument)
        return Decimal::NotANumber;
    if (error != std::errc::result_out_of_range)
        return Decimal::Single;
    if (!belowFloatRange(digits))
        return Decimal::TooLarge;
    value = negative ? -0.0f : 0.0f;
    return Decimal::TooSmall;
}

QString SingleToText(float value)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
    // %G switches to the exponent form below 1E-04 and from 1E+07, with two
    // exponent digits at least; negative zero reads as plain 0.
    return QString::asprintf("%.7G", value == 0.0f ? 0.0 : static_cast<double>(value))
        .replace(QLatin1Char('.'), QLocale().decimalPoint());
}

std::optional<float> TextToSingle(const QString& text, Decimal* why)
{
    const std::optional<std::string> plain = plainNumber(text);
    float value = 0.0f;
    const Decimal read = plain ? ReadDecimal(*plain, value) : Decimal::NotANumber;
    if (why)
        *why = read;
    return read == Decimal::Single ? std::optional(value) : std::nullopt;
}

std::optional<qint64> TextToWhole(const QString& text)
{
    const std::optional<std::string> plain = plainNumber(text);
    float ignored;
    if (!plain || ReadDecimal(*plain, ignored) == Decimal::NotANumber)
        return std::nullopt;
    // The form is sound; read its sign and digits, and where the point stands.
    std::string_view mantissa = std::string_view(*plain).substr(0, plain->find('e'));
    const bool negative = mantissa.front() == '-';
    if (negative || mantissa.front() == '+')
        mantissa.remove_prefix(1);
    std::string digits;  // all digits of the number, without the separator
    qint64 scale = exponentOf(*plain);  // the power of ten of the last digit
    bool inFraction = false;
    for (const char c : mantissa) {
        if (c == '.') {
            inFraction = true;
        } else {
            digits += c;
            scale -= inFraction ? 1 : 0;
        }
    }
    digits.erase(0, digits.find_first_not_of('0'));
    // How many digits stand before the point; the rest are the fraction.
    const qint64 whole = static_cast<qint64>(digits.size()) + scale;
    if (digits.empty() || whole < 0)
        return 0;
    if (whole > 18)
        return std::nullopt;
    qint64 value = 0;
    for (qint64 i = 0; i < whole; ++i)
        value = value * 10 + (i < static_cast<qint64>(digits.size()) ? digits[i] - '0' : 0);
    // A half goes to the even neighbour; anything past a half, however little, goes up.
    const std::string fraction = digits.substr(std::min<std::size_t>(whole, digits.size()));
    if (!fraction.empty()) {
        const bool pastHalf = fraction.find_first_not_of('0', 1) != std::string::npos;
        if (fraction[0] > '5' || (fraction[0] == '5' && (pastHalf || value % 2 != 0)))
            ++value;
    }
    return negative ? -value : value;
}

}  // namespace numbertext
