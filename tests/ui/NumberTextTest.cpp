#include "NumberText.h"

#include "QtPrinters.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(NumberText, WritesSevenSignificantDigitsAndReadsThemBack)
{
    QLocale::setDefault(QLocale::c());
    const std::pair<float, const char*> cases[] = {
        {0.5f, "0.5"}, {12.0f, "12"}, {-0.0f, "0"}, {2.0f / 3.0f, "0.6666667"}, {123456.7f, "123456.7"},
        {123456789.0f, "1.234568E+08"}, {-2.5e-10f, "-2.5E-10"}, {std::numeric_limits<float>::max(), "3.402823E+38"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(ui::SingleToText(value), QLatin1String(text));
        EXPECT_NEAR(ui::TextToSingle(QLatin1String(text)).value(), value, std::abs(value) * 1e-6f) << text;
    }
    EXPECT_EQ(ui::SingleToText(ui::TextToSingle(QStringLiteral(" 1.50 ")).value()), QStringLiteral("1.5"));
    for (const char* text : {"", "   ", "abc", "12abc", "1,5", "1e39", "-1e39", "inf", "nan"})
        EXPECT_FALSE(ui::TextToSingle(QLatin1String(text)).has_value()) << text;
}

TEST(NumberText, FollowsTheLocaleDecimalSeparator)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(ui::SingleToText(123456789.0f), QStringLiteral("1,234568E+08"));
    EXPECT_EQ(ui::TextToSingle(QStringLiteral("1,50")), 1.5f);
    // A point groups thousands in German: refusing 1.500 beats reading it as 1500.
    EXPECT_FALSE(ui::TextToSingle(QStringLiteral("1.500")).has_value());
    QLocale::setDefault(QLocale::c());
}

}  // namespace
