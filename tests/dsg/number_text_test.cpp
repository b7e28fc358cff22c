#include "dsg/number_text.h"

#include <clocale>
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace roamer::dsg {
namespace {

TEST(NumberText, ParsesTheLongestNumericPrefix) {
    EXPECT_DOUBLE_EQ(ParseDouble("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(ParseDouble(" \t-2.25xyz"), -2.25);
    EXPECT_DOUBLE_EQ(ParseDouble("+3"), 3.0);
    EXPECT_DOUBLE_EQ(ParseDouble(".5"), 0.5);
    EXPECT_DOUBLE_EQ(ParseDouble("7."), 7.0);
    EXPECT_DOUBLE_EQ(ParseDouble("1.5e2"), 150.0);
    EXPECT_DOUBLE_EQ(ParseDouble("1.5e"), 1.5);    // an exponent without digits is not part of it
    EXPECT_DOUBLE_EQ(ParseDouble("2E-1,3"), 0.2);
    EXPECT_DOUBLE_EQ(ParseDouble("1,5"), 1.0);     // a comma never is a decimal separator
    for (const char* zero : {"", "abc", "-", ".", "e5", "  ", "0x10"})
        EXPECT_EQ(ParseDouble(zero), 0.0) << zero;
    EXPECT_EQ(ParseDouble("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseDouble("-1e999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseDouble("1e-999"), 0.0);
    EXPECT_EQ(ParseDouble(std::string(400, '9')), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseDouble("0." + std::string(400, '0') + "1"), 0.0);
}

TEST(NumberText, ParsesIntegersAndSaturates) {
    EXPECT_EQ(ParseInt("42"), 42);
    EXPECT_EQ(ParseInt("  -17;comment"), -17);
    EXPECT_EQ(ParseInt("+8"), 8);
    EXPECT_EQ(ParseInt("3.9"), 3);
    EXPECT_EQ(ParseInt("x1"), 0);
    EXPECT_EQ(ParseInt("2147483647"), 2147483647);
    EXPECT_EQ(ParseInt("99999999999999999999"), 2147483647);
    EXPECT_EQ(ParseInt("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ParseInt("-99999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(NarrowToFloat(1e300), std::numeric_limits<float>::infinity());
    EXPECT_EQ(NarrowToFloat(-1e300), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(NarrowToFloat(0.5), 0.5f);
}

std::string Fixed(double value, int decimals) {
    std::string out;
    AppendFixed(out, value, decimals);
    return out;
}

TEST(NumberText, FormatsLikePrintfWithAFullStopInEveryLocale) {
    // scripts/setup makes the comma locale.
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    const bool commaLocale = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    ASSERT_TRUE(commaLocale) << "the de_DE.UTF-8 locale is missing";
    for (double v : {0.0, 1.5, -2.25, 1.0 / 3.0, 123456.789, 2.46, -0.0000001, 1e20}) {
        for (int decimals : {6, 8, 11}) {
            char expected[512];
            std::setlocale(LC_NUMERIC, "C");
            std::snprintf(expected, sizeof expected, "%.*f", decimals, v);
            if (commaLocale) std::setlocale(LC_ALL, "de_DE.UTF-8");
            EXPECT_EQ(Fixed(v, decimals), expected) << v;
        }
    }
    if (commaLocale) {
        EXPECT_DOUBLE_EQ(ParseDouble("1.25"), 1.25);
    }
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(Fixed(std::numeric_limits<double>::max(), 8).size(), 309u + 9u);
}

}  // namespace
}  // namespace roamer::dsg
