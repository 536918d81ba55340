#include <bit>
#include <charconv>
#include <cstdint>
#include <random>
#include <string>
#include <type_traits>

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
    EXPECT_EQ(ReadInteger("99999999999999999999999"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(ReadInteger("-99999999999999999999999"), std::numeric_limits<std::int64_t>::min());
    // Past 32 bits on every system, Windows (whose long has 32) too: a 32-bit field
    // clamps such a value itself.
    EXPECT_EQ(ReadInteger("4294967296"), std::int64_t{4294967296});
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

// The plain reading that the quick one stands in for: the number at the start of
// the text, read by from_chars.
template <typename T> T PlainDecimal(std::string_view text)
{
    std::string_view prefix = DecimalPrefix(text);
    const bool negative = !prefix.empty() && prefix[0] == '-';
    if (!prefix.empty() && (prefix[0] == '-' || prefix[0] == '+'))
        prefix.remove_prefix(1);
    T value = T(0);
    std::from_chars(prefix.data(), prefix.data() + prefix.size(), value);
    return negative ? -value : value;
}

// Bit for bit: a value that differs in its last bit prints differently in some sum.
template <typename T> void ExpectSameBits(T quick, T plain, const std::string& text)
{
    using Bits = std::conditional_t<sizeof(T) == 8, std::uint64_t, std::uint32_t>;
    EXPECT_EQ(std::bit_cast<Bits>(quick), std::bit_cast<Bits>(plain)) << text;
}

void ExpectQuickAsPlain(const std::string& text)
{
    ExpectSameBits(ReadDecimal(text), PlainDecimal<double>(text), text);
    ExpectSameBits(ReadDecimalAsFloat(text), PlainDecimal<float>(text), text);
}

// Every value that the decimal fields of a list can hold, as the handheld pads them.
TEST(ReadNumberTest, EveryFieldValueReadsQuicklyAsPlainly)
{
    struct Shape
    {
        int width;
        int decimals;
    };
    for (const Shape shape : {Shape{4, 1}, Shape{4, 2}, Shape{5, 2}, Shape{5, 3}, Shape{6, 2}}) {
        int limit = 1;
        for (int i = 0; i < shape.width - 1; ++i)
            limit *= 10;
        for (int n = 0; n < limit; ++n) {
            std::string digits = std::to_string(n);
            if (digits.size() <= static_cast<std::size_t>(shape.decimals))
                digits.insert(0, static_cast<std::size_t>(shape.decimals) + 1 - digits.size(), '0');
            digits.insert(digits.size() - static_cast<std::size_t>(shape.decimals), ".");
            digits.insert(0, static_cast<std::size_t>(shape.width) - digits.size(), ' ');
            ExpectQuickAsPlain(digits);
        }
    }
}

TEST(ReadNumberTest, EdgeFormsReadQuicklyAsPlainly)
{
    for (const char* text :
         {"0", "-0.00", "+0.5", ".5", "5.", "  \t 12.345KO", "-12.34-5", "1.2.3", "007.50",
          // Around the digits that the significands hold exactly.
          "16777216", "16777217", "1677721.7", "9007199254740992", "9007199254740993",
          "900719925474099.3", "18446744073709551615", "18446744073709551616",
          "1234567890123456789", "12345678901234567890", "0.1234567890123456789",
          // Around the exact powers of ten.
          "1.0000000001", "1.00000000001", "0.0000000000000000000001", "0.00000000000000000000001",
          "3.14159265358979323846264", "1e5", "2.5E-3", "7e", "7e+"})
        ExpectQuickAsPlain(text);
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
