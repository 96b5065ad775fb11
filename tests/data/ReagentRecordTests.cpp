#include "ReagentLibraryFixture.h"
#include "ListContents.h"
#include <libsrv.h>

TEST(ReagentRecordTest, HolderWritesTheLibraryFieldOrderAndRewritesWhatItRead)
{
    CEnzymeDlg written;
    MakeReagent(written, "Trypsin");
    written.m_strRecognitionProbability = "95";
    written.m_strExceptionProbability = "80";
    written.m_recognition.m_nBegin = -2;
    CMemFile file;
    CPkArchive arStore(&file, CPkArchive::store);
    written.SerializeReagent(arStore);

    // Name, recognition efficiency, exception efficiency, then count and begin of each side
    // before its cells.
    file.SeekToBegin();
    CPkArchive ar(&file, CPkArchive::load);
    CString strTexts[3];
    int nValues[4] = {};
    CStringList lstRecognition, lstException;
    ar(strTexts[0])(strTexts[1])(strTexts[2])(nValues[0])(nValues[1])(lstRecognition)(nValues[2])(nValues[3])(
        lstException);
    EXPECT_EQ((Texts{"Trypsin", "95", "80"}), Texts(strTexts, strTexts + 3));
    EXPECT_EQ((std::vector<int>{3, -2, 2, 0}), std::vector<int>(nValues, nValues + 4));

    file.SeekToBegin();
    CEnzymeDlg read;
    read.SerializeReagent(ar);
    EXPECT_EQ(BytesOf(file), BytesOfRecord(read));
}

TEST(ReagentRecordTest, OpenDialogWritesItsPatternTablesAndAWindowlessRecordItsFields)
{
    CMemPatternTable recognition({"P3", "P2", "P1", "P1'", "P2'"}, {{"a", "b", "c", "d", "e"}, {"f", "", " ", "i", "j"}});
    CMemPatternTable exception({"P1'", "P2'"});
    CEnzymeDlg dialog;
    MakeReagent(dialog, "Field", 1);
    dialog.m_pRecognitionTable = &recognition;
    dialog.m_pExceptionTable = &exception;
    const HWND hWnd = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(hWnd != NULL && dialog.Attach(hWnd));
    CMemFile file;
    CPkArchive arStore(&file, CPkArchive::store);
    dialog.SerializeReagent(arStore);
    DestroyWindow(dialog.Detach());
    dialog.SerializeReagent(arStore);
    // The dialog keeps the begins it wrote, not the counts.
    EXPECT_EQ((std::vector<int>{-2, 3, 1, 2}), (std::vector<int>{dialog.m_recognition.m_nBegin, dialog.m_recognition.m_nCount,
                                                              dialog.m_exception.m_nBegin, dialog.m_exception.m_nCount}));

    file.SeekToBegin();
    CPkArchive ar(&file, CPkArchive::load);
    CEnzymeDlg fromTables, fromFields;
    fromTables.SerializeReagent(ar);
    fromFields.SerializeReagent(ar);
    EXPECT_EQ(5, fromTables.m_recognition.m_nCount);
    EXPECT_EQ((Texts{"a", "b", "c", "d", "e", "f", "", " ", "i", "j"}), ListContents(fromTables.m_recognition.m_lstCells));
    EXPECT_EQ(1, fromTables.m_exception.m_nBegin);
    EXPECT_EQ((Texts{"Fielda"}), ListContents(fromFields.m_recognition.m_lstCells));
}
