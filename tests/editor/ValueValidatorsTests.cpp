#include <ValueValidators.h>

#include <gtest/gtest.h>
#include <initializer_list>

namespace
{
typedef CString (*Validator)(const CStringArray& texts);

CString Check(Validator pfnValidate, std::initializer_list<LPCSTR> texts)
{
    CStringArray array;
    for (LPCSTR lpszText : texts)
        array.Add(lpszText);
    return pfnValidate(array);
}
}

TEST(ValueValidatorsTest, BoundsAreInclusiveAndMessagesShowTheConvertedNumbers)
{
    EXPECT_STREQ("", Check(ValidatePercent, {"0"}));
    EXPECT_STREQ("", Check(ValidatePercent, {"100"}));
    EXPECT_STREQ("Value -1 must be more or equal then 0", Check(ValidatePercent, {"-1"}));
    EXPECT_STREQ("Value 150 must be less or equal then 100", Check(ValidatePercent, {" +0150 "}));
    EXPECT_STREQ("", Check(ValidateCount, {"2147483647"}));
    EXPECT_STREQ("Value -5 must be more or equal then 0", Check(ValidateCount, {"-5"}));
}

TEST(ValueValidatorsTest, RangeFieldsCheckEachOtherBothWays)
{
    // From 30 and To 20: each field's own check fails; equal values pass both.
    EXPECT_STREQ("Value 30 must be less or equal then 20", Check(ValidateNotAbove, {"30", " 020"}));
    EXPECT_STREQ("Value 20 must be more or equal then 30", Check(ValidateNotBelow, {"20", "30"}));
    EXPECT_STREQ("", Check(ValidateNotAbove, {"25", "25"}));
    EXPECT_STREQ("", Check(ValidateNotBelow, {"25", "25"}));
}

TEST(ValueValidatorsTest, ConversionMessageNamesTheFirstTextThatDoesNotConvert)
{
    EXPECT_STREQ("Can not convert value 12a to integer", Check(ValidateInteger, {"12a"}));
    EXPECT_STREQ("Can not convert value All to integer", Check(ValidateCount, {"All"}));
    EXPECT_STREQ("Can not convert value x to integer", Check(ValidateNotAbove, {"5", "x"}));
    EXPECT_STREQ("Can not convert value y to integer", Check(ValidateNotBelow, {"y", "x"}));
}

TEST(ValueValidatorsTest, WrongNumberOfTextsIsNotJudged)
{
    for (Validator pfnValidate : {ValidateInteger, ValidatePercent, ValidateCount})
    {
        EXPECT_STREQ("", Check(pfnValidate, {}));
        EXPECT_STREQ("", Check(pfnValidate, {"x", "-1"}));
    }
    for (Validator pfnValidate : {ValidateNotAbove, ValidateNotBelow})
    {
        EXPECT_STREQ("", Check(pfnValidate, {"x"}));
        EXPECT_STREQ("", Check(pfnValidate, {"3", "2", "1"}));
    }
}
