#include "NumberText.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace ui {

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

}  // namespace ui
