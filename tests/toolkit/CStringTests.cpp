#include <afx.h>
#include <climits>
#include <gtest/gtest.h>

namespace
{
CString N(int nValue)
{
    CString s;
    s.Format("%d", nValue);
    return s;
}
}

TEST(CStringTest, OperationsGiveTheirTextsPositionsAndOrderAndClampOutOfRangeArguments)
{
    const CString s("Trypsin");
    const CString strMarks("P2x'P2'");
    const CString strLong('x', 5000);  // longer than any small fixed buffer
    CString strFormattedLong;
    strFormattedLong.Format("[%s]", (LPCSTR)strLong);
    // What an operation gives, then what is expected.
    const std::pair<CString, CString> cases[] = {
        {N(INT_MAX) + "'", "2147483647'"},
        {strFormattedLong, "[" + strLong + "]"},
        {s.Mid(3), "psin"},
        {s.Mid(2, 2), "yp"},
        {s.Mid(7), ""},            // from the end
        {s.Mid(20, 3), ""},        // from past the end
        {s.Mid(-3, 2), "Tr"},      // a negative start is 0
        {s.Left(100), "Trypsin"},  // a count past the end takes the rest
        {s.Left(-1), ""},
        {s.Right(3), "sin"},
        {s.Right(50), "Trypsin"},
        {N(strMarks.Find('\'')), "3"},
        {N(strMarks.Find('\'', 4)), "6"},   // from a start
        {N(strMarks.Find('\'', 7)), "-1"},  // from the end
        {N(strMarks.Find("P2", 1)), "4"},
        {N(strMarks.Find("Q")), "-1"},
        {N(strMarks.ReverseFind('\'')), "6"},
        {N(s == "Trypsin"), "1"},
        {N(s == "trypsin"), "0"},                  // exact: the letter case counts
        {N(s.Compare("trypsin") < 0), "1"},        // byte-wise: 'T' before 't'
        {N(s.CompareNoCase("TRYPSIN")), "0"},
        {N(CString("Lys-C").Compare("Lys-N") < 0), "1"},
        {N(s.CompareNoCase("TRYPSIN-P") < 0), "1"},  // a prefix comes first
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
        EXPECT_STREQ(cases[i].second, cases[i].first) << "row " << i;
}

TEST(CStringTest, BufferAccessTakesLengthFromTerminator)
{
    CString s("abc");
    lstrcpyA(s.GetBuffer(20), "longer text");
    s.ReleaseBuffer();
    EXPECT_STREQ("longer text", s);
    s.GetBuffer(0)[2] = '\0';
    s.ReleaseBuffer();
    EXPECT_EQ(2, s.GetLength());
    memcpy(s.GetBufferSetLength(5), "12345", 5);
    s.ReleaseBuffer(3);
    EXPECT_STREQ("123", s);
}
