#include "ExceptionCause.h"
#include "MessageBoxScript.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

namespace
{
CString SystemText(DWORD dwError)
{
    char szText[512] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, dwError,
                   MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), szText, sizeof(szText), NULL);
    return CString(szText).TrimRight();
}
}

// The exception is made and thrown inside the toolkit DLL and caught here, in another module.
TEST(ExceptionTest, FileExceptionCrossesModuleBoundary)
{
    ScratchFolder scratch;
    const CString strMissing = scratch.PathOf("missing.dat");
    try
    {
        CFile file(strMissing, CFile::modeRead);
        FAIL() << "opening a missing file did not throw";
    }
    catch (CException* e)
    {
        ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(CFileException)));
        CFileException* pFileError = static_cast<CFileException*>(e);
        EXPECT_EQ(CFileException::fileNotFound, pFileError->m_cause);
        EXPECT_EQ(ERROR_FILE_NOT_FOUND, pFileError->m_lOsError);
        EXPECT_STREQ(strMissing, pFileError->m_strFileName);
        e->Delete();
    }
}

TEST(ExceptionTest, ReportErrorShowsFileNameAndSystemTextThroughTheSeam)
{
    MessageBoxScript boxes;
    boxes.Answer(IDOK);
    CFileException error(CFileException::sharingViolation, ERROR_SHARING_VIOLATION, "C:\\AM\\Enzymes.dat");
    EXPECT_EQ(IDOK, error.ReportError());
    ASSERT_EQ(1u, boxes.Calls().size());
    EXPECT_STREQ(CString("C:\\AM\\Enzymes.dat\n") + SystemText(ERROR_SHARING_VIOLATION), boxes.Calls()[0].strText);
    EXPECT_EQ((UINT)MB_OK, boxes.Calls()[0].nType);
}

TEST(ExceptionTest, MessagesWithoutSystemCodeUseTheCauseAndFitTheBuffer)
{
    CArchiveException error(CArchiveException::endOfFile, "lib.dat");
    char szShort[8];
    EXPECT_TRUE(error.GetErrorMessage(szShort, sizeof(szShort)));
    EXPECT_STREQ("lib.dat", szShort);

    CFileException fileError(CFileException::endOfFile);
    char szText[256];
    EXPECT_TRUE(fileError.GetErrorMessage(szText, sizeof(szText)));
    EXPECT_STREQ("An attempt was made to read past the end of the file.", szText);
}

TEST(ExceptionTest, DeleteFreesOnlyHeapExceptions)
{
    // A stack exception made with bAutoDelete FALSE survives Delete(); the test would crash otherwise.
    CException onStack(FALSE);
    onStack.Delete();
    EXPECT_TRUE(onStack.IsKindOf(RUNTIME_CLASS(CException)));

    EXPECT_EQ(CArchiveException::badIndex,
              CauseOf<CArchiveException>([] { AfxThrowArchiveException(CArchiveException::badIndex); }));
}

TEST(AssertTest, FailedAssertionIsReportedThroughTheMessageBoxSeamAndTheProgramGoesOn)
{
#ifndef _DEBUG
    GTEST_SKIP() << "ASSERT is active in debug builds only";
#else
    MessageBoxScript boxes;
    boxes.Answer(IDOK);
    CStringArray texts;
    texts.Add("Trypsin");
    texts.RemoveAt(1);
    ASSERT_EQ(1u, boxes.Calls().size());
    EXPECT_EQ(0, boxes.Calls()[0].strText.Find("Assertion failed"));
    EXPECT_EQ(1, texts.GetSize());
#endif
}
