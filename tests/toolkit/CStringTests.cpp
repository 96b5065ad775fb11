#include <afx.h>
#include <gtest/gtest.h>

TEST(CStringTest, FormatHandlesLongOutputAndMarkers)
{
    CString s;
    s.Format("P%d'", 2147483647);
    EXPECT_STREQ("P2147483647'", s);

    // Longer than any small fixed buffer.
    CString strLong(CString('x', 5000));
    s.Format("[%s]", (LPCSTR)strLong);
    EXPECT_EQ(5002, s.GetLength());
    EXPECT_EQ('x', s[4999]);
}

TEST(CStringTest, SubstringsClampOutOfRangeArguments)
{
    const CString s("Trypsin");
    EXPECT_STREQ("psin", s.Mid(3));
    EXPECT_STREQ("yp", s.Mid(2, 2));
    EXPECT_STREQ("", s.Mid(7));
    EXPECT_STREQ("", s.Mid(20, 3));
    EXPECT_STREQ("Tr", s.Mid(-3, 2));
    EXPECT_STREQ("Trypsin", s.Left(100));
    EXPECT_STREQ("", s.Left(-1));
    EXPECT_STREQ("sin", s.Right(3));
    EXPECT_STREQ("Trypsin", s.Right(50));
}

TEST(CStringTest, FindFromStartAndReverse)
{
    const CString s("P2x'P2'");
    EXPECT_EQ(3, s.Find('\''));
    EXPECT_EQ(6, s.Find('\'', 4));
    EXPECT_EQ(-1, s.Find('\'', 7));
    EXPECT_EQ(4, s.Find("P2", 1));
    EXPECT_EQ(-1, s.Find("Q"));
    EXPECT_EQ(6, s.ReverseFind('\''));
}

TEST(CStringTest, ComparisonIsExactAndNoCaseFoldsLetters)
{
    const CString s("Trypsin");
    EXPECT_TRUE(s == "Trypsin");
    EXPECT_FALSE(s == "trypsin");
    EXPECT_NE(0, s.Compare("trypsin"));
    EXPECT_EQ(0, s.CompareNoCase("TRYPSIN"));
    EXPECT_LT(CString("Lys-C").Compare("Lys-N"), 0);
    EXPECT_LT(s.CompareNoCase("TRYPSIN-P"), 0);
}

TEST(CStringTest, BufferAccessTakesLengthFromTerminator)
{
    CString s("abc");
    char* p = s.GetBuffer(10);
    lstrcpyA(p, "longer text");
    s.ReleaseBuffer();
    EXPECT_STREQ("longer text", s);

    p = s.GetBuffer(0);
    p[2] = '\0';
    s.ReleaseBuffer();
    EXPECT_EQ(2, s.GetLength());

    p = s.GetBufferSetLength(5);
    memcpy(p, "12345", 5);
    s.ReleaseBuffer(3);
    EXPECT_STREQ("123", s);
}
