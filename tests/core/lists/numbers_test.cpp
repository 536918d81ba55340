#include <charconv>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "lists/data_list.h"
#include "support/comma_locale.h"

namespace zvk {
namespace {

TEST(ReadNumberTest, ReadsTheLongestNumericPrefix)
{
    EXPECT_DOUBLE_EQ(ReadDecimal(" 4.50"), 4.5);
    EXPECT_DOUBLE_EQ(ReadDecimal("  0.36abc"), 0.36);
    EXPECT_DOUBLE_EQ(ReadDecimal("-1.5"), -1.5);
    EXPECT_DOUBLE_EQ(ReadDecimal("+2"), 2.0);
    EXPECT_DOUBLE_EQ(ReadDecimal(".5"), 0.5);
    EXPECT_DOUBLE_EQ(ReadDecimal("5."), 5.0);
    EXPECT_DOUBLE_EQ(ReadDecimal("1e2x"), 100.0);
    EXPECT_DOUBLE_EQ(ReadDecimal("1e"), 1.0);
    EXPECT_DOUBLE_EQ(ReadDecimal("4,50"), 4.0) << "a comma ends the number";
    EXPECT_EQ(ReadInteger(" 32KO"), 32);
    EXPECT_EQ(ReadInteger("-7"), -7);
    EXPECT_EQ(ReadInteger("12.9"), 12);
}

TEST(ReadNumberTest, TextThatIsNoNumberReadsAsZero)
{
    for (const char* text : {"", "     ", "abc", ".", "-", "+.", "inf", "nan", "0x1A", "\xE1"}) {
        EXPECT_EQ(ReadDecimal(text), 0.0) << text;
        EXPECT_EQ(ReadInteger(text), 0) << text;
    }
    EXPECT_EQ(ReadDecimal(std::string("\0"
                                      "5",
                                      2)),
              0.0);
}

TEST(ReadNumberTest, ClampsValuesOutOfRange)
{
    EXPECT_EQ(ReadDecimal("1e999"), std::numeric_limits<double>::max());
    EXPECT_EQ(ReadDecimal("-1e999"), -std::numeric_limits<double>::max());
    EXPECT_EQ(ReadDecimal("1e-999"), 0.0);
    EXPECT_EQ(ReadInteger("99999999999999999999999"), std::numeric_limits<long>::max());
    EXPECT_EQ(ReadInteger("-99999999999999999999999"), std::numeric_limits<long>::min());
    EXPECT_EQ(ReadDecimalAsFloat("1e60"), std::numeric_limits<float>::max());
}

// Plain decimals are read without from_chars where that gives the same value; the
// value must come out bit for bit alike on either side of that border.
TEST(ReadNumberTest, PlainDecimalsRoundAsFromChars)
{
    std::mt19937_64 random(20261207);
    for (int round = 0; round < 20000; ++round) {
        const int length = 1 + static_cast<int>(random() % 24);
        std::string text;
        for (int i = 0; i < length; ++i)
            text += static_cast<char>('0' + random() % 10);
        text.insert(random() % (text.size() + 1), ".");
        double expectedDouble = 0.0;
        float expectedFloat = 0.0F;
        std::from_chars(text.data(), text.data() + text.size(), expectedDouble);
        std::from_chars(text.data(), text.data() + text.size(), expectedFloat);
        EXPECT_EQ(ReadDecimal(text), expectedDouble) << text;
        EXPECT_EQ(ReadDecimalAsFloat(text), expectedFloat) << text;
        EXPECT_EQ(ReadDecimal("  -" + text + " KO"), -expectedDouble) << text;
        double withExponent = 0.0;
        const std::string exponent = text + "e3";
        std::from_chars(exponent.data(), exponent.data() + exponent.size(), withExponent);
        EXPECT_EQ(ReadDecimal(exponent), withExponent) << exponent;
    }
    EXPECT_EQ(ReadDecimalAsFloat("16777217"), 16777216.0F) << "beyond the float significand";
    EXPECT_EQ(ReadDecimal("9007199254740993"), 9007199254740992.0) << "beyond the double one";
    EXPECT_EQ(ReadDecimal("0.1"), 0.1);
    EXPECT_EQ(ReadDecimalAsFloat("0.1"), 0.1F);
}

TEST(ReadNumberTest, IgnoresTheProcessLocale)
{
    double value = 0.0;
    long integer = 0;
    {
        const test::CommaDecimalLocale comma;
        ASSERT_TRUE(comma.Active()) << "a locale with a decimal comma is needed (locales-all)";
        value = ReadDecimal(" 4.50");
        integer = ReadInteger(" 1234");
    }
    EXPECT_DOUBLE_EQ(value, 4.5);
    EXPECT_EQ(integer, 1234);
}

} // namespace
} // namespace zvk
