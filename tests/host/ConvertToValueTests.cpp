#include <ConvertToValue.h>

#include <gtest/gtest.h>
#include <limits>

TEST(ConvertToValueTest, AcceptsASignedDecimalWithSurroundingBlanks)
{
    const struct
    {
        LPCSTR lpszText;
        int nExpected;
    } cases[] = {
        {"0", 0},
        {"+7", 7},
        {"-15", -15},
        {" \t42  ", 42},
        {"007", 7},
        {"2147483647", std::numeric_limits<int>::max()},
        {"-2147483648", std::numeric_limits<int>::min()},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.lpszText);
        int nValue = 1;
        EXPECT_TRUE(ConvertToValue(nValue, c.lpszText));
        EXPECT_EQ(c.nExpected, nValue);
    }
}

TEST(ConvertToValueTest, RefusesEverythingElseAndKeepsTheValue)
{
    // Overflow on either side, signs and blanks without digits, anything after the digits.
    for (LPCSTR lpszText : {"", "  ", "-", "+", "+-1", "12a", "All", "1 2", "1.5", "0x10", "2147483648",
                            "-2147483649", "99999999999999999999"})
    {
        SCOPED_TRACE(lpszText);
        int nValue = 1234;
        EXPECT_FALSE(ConvertToValue(nValue, lpszText));
        EXPECT_EQ(1234, nValue);
    }
}
