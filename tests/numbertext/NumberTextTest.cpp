#include "NumberText.h"

#include "QtPrinters.h"

#include <QLocale>

#include <bit>
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace {

TEST(NumberText, WritesSevenSignificantDigitsAndReadsThemBackInTheUsersLocale)
{
    QLocale::setDefault(QLocale::c());
    const std::pair<float, const char*> cases[] = {
        {0.5f, "0.5"}, {12.0f, "12"}, {-0.0f, "0"}, {2.0f / 3.0f, "0.6666667"}, {123456.7f, "123456.7"},
        {123456789.0f, "1.234568E+08"}, {-2.5e-10f, "-2.5E-10"}, {std::numeric_limits<float>::max(), "3.402823E+38"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(numbertext::SingleToText(value), QLatin1String(text));
        EXPECT_NEAR(numbertext::TextToSingle(QLatin1String(text)).value(), value, std::abs(value) * 1e-6f) << text;
    }
    EXPECT_EQ(numbertext::SingleToText(numbertext::TextToSingle(QStringLiteral(" 1.50 ")).value()), QStringLiteral("1.5"));
    // Straight from the digits to the nearest float, with one rounding; out of range, why.
    EXPECT_EQ(std::bit_cast<std::uint32_t>(*numbertext::TextToSingle(QStringLiteral("1.000000059604644785390625"))), 0x3F800001u);
    using enum numbertext::Decimal;
    const std::pair<const char*, numbertext::Decimal> refused[] = {
        {"", NotANumber}, {"   ", NotANumber}, {"abc", NotANumber}, {"12abc", NotANumber}, {"1,5", NotANumber},
        {"inf", NotANumber}, {"nan", NotANumber}, {"1e", NotANumber}, {"--1", NotANumber}, {"1e39", TooLarge},
        {"-1e400", TooLarge}, {"3.4028236e38", TooLarge}, {"1e-46", TooSmall}, {"-1e-400", TooSmall}};
    for (const auto& [text, why] : refused) {
        numbertext::Decimal read = Single;
        EXPECT_FALSE(numbertext::TextToSingle(QLatin1String(text), &read).has_value()) << text;
        EXPECT_EQ(read, why) << text;
    }

    // Whole numbers are rounded from the digits, a half to the even one.
    const std::pair<const char*, std::optional<qint64>> wholes[] = {
        {"2.5000001", 3}, {"3.4999999", 3}, {"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"0.5", 0}, {"0.50001", 1},
        {" 15 ", 15}, {"+7", 7}, {"0.049", 0}, {"2.55E+01", 26}, {"25e-1", 2}, {"1e-300", 0},
        {"999999999999999999.5", 1'000'000'000'000'000'000}, {"1e18", std::nullopt}, {"1,5", std::nullopt},
        {"12abc", std::nullopt}, {"", std::nullopt}};
    for (const auto& [text, whole] : wholes) EXPECT_EQ(numbertext::TextToWhole(QLatin1String(text)), whole) << text;

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(numbertext::SingleToText(123456789.0f), QStringLiteral("1,234568E+08"));
    EXPECT_EQ(numbertext::TextToSingle(QStringLiteral("1,50")), 1.5f);
    EXPECT_EQ(std::pair(numbertext::TextToWhole(QStringLiteral("2,5")), numbertext::TextToWhole(QStringLiteral("2,5000001"))),
              std::pair(std::optional<qint64>(2), std::optional<qint64>(3)));
    // A point groups thousands in German: refusing 1.500 beats reading it as 1500.
    EXPECT_FALSE(numbertext::TextToSingle(QStringLiteral("1.500")).has_value() || numbertext::TextToWhole(QStringLiteral("1.500")));
    QLocale::setDefault(QLocale::c());
}

}  // namespace
