#include "NumberText.h"

#include <QLocale>

#include <cmath>
#include <limits>
#include <string>

namespace numbertext {

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

std::optional<float> TextToSingle(const QString& text)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = locale.toDouble(text.trimmed(), &ok);
    // The negated test also turns away NaN.
    if (!ok || !(std::fabs(value) <= static_cast<double>(std::numeric_limits<float>::max())))
        return std::nullopt;
    return static_cast<float>(value);
}

std::optional<qint64> TextToWhole(const QString& text)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    const QString trimmed = text.trimmed();
    bool ok = false;
    locale.toDouble(trimmed, &ok);
    if (!ok)
        return std::nullopt;
    // The locale has accepted the form; read its sign, digits, separator and exponent.
    bool negative = false, inFraction = false, inExponent = false, negativeExponent = false;
    std::string digits;  // all digits of the number, without the separator
    qint64 scale = 0;     // the power of ten of the last digit
    qint64 exponent = 0;
    for (qsizetype at = 0; at < trimmed.size();) {
        const auto takes = [&](const QString& symbol) {
            const bool found = !symbol.isEmpty() && QStringView(trimmed).mid(at).startsWith(symbol, Qt::CaseInsensitive);
            at += found ? symbol.size() : 0;
            return found;
        };
        if (const int digit = trimmed[at].digitValue(); digit >= 0) {
            if (inExponent) {
                exponent = std::min<qint64>(exponent * 10 + digit, 1'000'000);
            } else {
                digits += static_cast<char>('0' + digit);
                scale -= inFraction ? 1 : 0;
            }
            ++at;
        } else if (takes(locale.negativeSign())) {
            (inExponent ? negativeExponent : negative) = true;
        } else if (takes(locale.decimalPoint())) {
            inFraction = true;
        } else if (takes(locale.exponential())) {
            inExponent = true;
        } else if (!takes(locale.positiveSign())) {
            return std::nullopt;
        }
    }
    scale += negativeExponent ? -exponent : exponent;
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
