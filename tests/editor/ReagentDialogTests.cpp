// The reagent dialog as the form's New and Edit run it: composing, checking and saving.
#include "EditorFixture.h"
#include "LibraryFiles.h"

namespace
{
typedef std::vector<CString> Names;

BOOL CALLBACK FindReagentDialogWindow(HWND hWnd, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL || !pWnd->IsKindOf(RUNTIME_CLASS(CEnzymeDlg)))
        return TRUE;
    *(CEnzymeDlg**)lParam = static_cast<CEnzymeDlg*>(pWnd);
    return FALSE;
}

// The dialog the form opened: a local of its command, found among the thread's windows.
CEnzymeDlg& OpenDialog()
{
    CEnzymeDlg* pDialog = NULL;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindReagentDialogWindow, (LPARAM)&pDialog);
    if (pDialog == NULL)
        throw std::runtime_error("no reagent dialog is open");
    return *pDialog;
}

void Press(CDialog& dialog, int nID)
{
    dialog.GetDlgItem(nID)->SendMessage(BM_CLICK);
}

Names Headings(CPatternListCtrl& table)
{
    Names headings;
    for (int i = 0; i < table.GetColumnCount(); ++i)
        headings.push_back(table.GetColumnHeading(i));
    return headings;
}

Names MessageTexts(const MessageBoxScript& boxes)
{
    Names texts;
    for (const MessageBoxCall& call : boxes.Calls())
        texts.push_back(call.strText);
    return texts;
}

class ReagentDialogTest : public EditorTest
{
protected:
    // Runs the form's command with the dialog driven by action from inside its loop.
    void RunCommand(int nIDButton, std::function<void(CEnzymeDlg&)> action)
    {
        PostTestAction([action] { action(OpenDialog()); });
        RunWithWatchdog([&] { Click(nIDButton); });
        EXPECT_TRUE(m_host.IsWindowEnabled()) << "the host window must work again after the dialog";
    }
};
}

TEST_F(ReagentDialogTest, NewReagentComposedInTheGridIsAppendedFromItsTableAndListed)
{
    AddReagents({"Trypsin", "Pepsin"});
    const std::string before = ReadLibraryBytes();
    CreateEditor();
    CString strCaption;
    Names headings;
    Names labels;
    bool bExceptionEfficiencyDisabled = false;
    int nRows = 0;
    RunCommand(IDC_NEW_REAGENT, [&](CEnzymeDlg& dlg) {
        dlg.GetWindowText(strCaption);
        headings = Headings(dlg.m_ctlRecognitionList);
        bExceptionEfficiencyDisabled = !dlg.GetDlgItem(IDC_EXCEPTION_EFFICIENCY)->IsWindowEnabled();
        dlg.SetDlgItemText(IDC_REAGENT_NAME, "Lys-C");
        dlg.SetDlgItemText(IDC_RECOGNITION_EFFICIENCY, " 50");  // the lower ends of both ranges
        dlg.SetDlgItemText(IDC_EXCEPTION_EFFICIENCY, "0");
        // "+P'" then "+P" widen the grid to P2..P2'.
        Press(dlg, IDC_RECOGNITION_RIGHT);
        Press(dlg, IDC_RECOGNITION_LEFT);
        for (int i = 0; i < dlg.m_wndRecognitionGrid.m_header.GetPositionCount(); ++i)
            labels.push_back(dlg.m_wndRecognitionGrid.m_header.GetLabel(i));
        dlg.m_wndRecognitionGrid.m_header.SetCell(1, "K");
        // The same pattern twice gives two rows.
        Press(dlg, IDC_ADD_RECOGNITION);
        Press(dlg, IDC_ADD_RECOGNITION);
        nRows = dlg.m_ctlRecognitionList.GetRowCount();
        Press(dlg, IDOK);
    });
    EXPECT_STREQ("Add new reagent", strCaption);
    EXPECT_EQ((Names{"P1", "P1'"}), headings);
    EXPECT_EQ((Names{"P2", "P1", "P1'", "P2'"}), labels);
    EXPECT_TRUE(bExceptionEfficiencyDisabled);
    EXPECT_EQ(2, nRows);

    CEnzymeDlg expected;
    expected.m_strName = "Lys-C";
    expected.m_strRecognitionProbability = "50";
    expected.m_strExceptionProbability = "0";
    // Empty positions at the ends are not stored: the pattern is P1 and P1' again.
    for (LPCSTR lpszCell : {"K", "", "K", ""})
        expected.m_recognition.m_lstCells.AddTail(lpszCell);
    EXPECT_EQ(before + BytesOfRecord(expected), ReadLibraryBytes());
    EXPECT_EQ((Names{"Lys-C", "Pepsin", "Trypsin"}), ListedNames());
}

TEST_F(ReagentDialogTest, ChecksRunInOrderRewriteTheFieldsAndKeepTheDialogOpen)
{
    AddReagents({"Trypsin"});
    const std::string before = ReadLibraryBytes();
    CreateEditor();
    MessageBoxScript boxes;
    Names fieldsAfter;
    std::vector<int> focused;
    RunCommand(IDC_NEW_REAGENT, [&](CEnzymeDlg& dlg) {
        // name, recognition, exception efficiency: each line fails one check.
        const LPCSTR entries[][3] = {
            {"", "45abc", "100"},        // only the name is reported
            {"Trypsin", "95", "100"},    // taken
            {"trypsin", "", "100"},      // letter case makes another name
            {"trypsin", "95", ""},
            {"trypsin", "45abc", "100"}, // reads 45 afterwards
            {"trypsin", "abc", "100"},
            {"trypsin", " ", "100"},     // a blank is not empty
            {"trypsin", "101", "100"},
            {"trypsin", "100.5", "-1"},  // 100 passes; the exception is out of range
        };
        for (const auto& entry : entries)
        {
            boxes.Answer(IDOK);
            dlg.SetDlgItemText(IDC_REAGENT_NAME, entry[0]);
            dlg.SetDlgItemText(IDC_RECOGNITION_EFFICIENCY, entry[1]);
            dlg.SetDlgItemText(IDC_EXCEPTION_EFFICIENCY, entry[2]);
            Press(dlg, IDOK);
            CString strField = "(closed)";  // a refused OK leaves the dialog running
            if (dlg.ContinueModal())
                dlg.GetDlgItemText(IDC_RECOGNITION_EFFICIENCY, strField);
            fieldsAfter.push_back(strField);
            // The exception efficiency is disabled: where the focus goes then is the platform's.
            focused.push_back(entry[2][0] == '1' ? ::GetDlgCtrlID(::GetFocus()) : 0);
        }
        Press(dlg, IDCANCEL);
    });
    EXPECT_EQ((Names{"Please enter a name for the enzyme",
                     "This name already exists for an enzyme. Please enter a different name.",
                     "Please enter a value for the recognition probability",
                     "Please enter a value for the exception probability",
                     "Please enter a value between 50 and 100 for the recognition probability",
                     "Please enter a correct value for the recognition probability",
                     "Please enter a correct value for the recognition probability",
                     "Please enter a value between 50 and 100 for the recognition probability",
                     "Please enter a value between 0 and 100 for the exception probability"}),
              MessageTexts(boxes));
    EXPECT_EQ((Names{"45abc", "95", "", "95", "45", "abc", " ", "101", "100"}), fieldsAfter);
    const int kName = IDC_REAGENT_NAME, kRecognition = IDC_RECOGNITION_EFFICIENCY;
    EXPECT_EQ((std::vector<int>{kName, kName, kRecognition, 0, kRecognition, kRecognition, kRecognition, kRecognition, 0}),
              focused);
    EXPECT_EQ(before, ReadLibraryBytes());
}

TEST_F(ReagentDialogTest, EditShowsTheStoredSetsAndRewritesTheRecordInItsPlace)
{
    AddReagents({"Trypsin", "Pepsin", "Thermolysin"});
    CreateEditor();
    Select("Pepsin");
    MessageBoxScript boxes;
    CString strCaption, strNameAfterTakenName;
    Names exceptionHeadings, recognitionHeadings;
    std::vector<int> ends;
    RunCommand(IDC_EDIT_REAGENT, [&](CEnzymeDlg& dlg) {
        dlg.GetWindowText(strCaption);
        exceptionHeadings = Headings(dlg.m_ctlExceptionList);
        recognitionHeadings = Headings(dlg.m_ctlRecognitionList);
        ends = {dlg.m_nRecognitionFirst, dlg.m_nRecognitionLast, dlg.m_nExceptionFirst, dlg.m_nExceptionLast};
        // The library is the dialog's while it is open.
        CFile other;
        EXPECT_FALSE(CReagentLibrary::Open(other, CFile::modeRead));

        boxes.Answer(IDOK);
        dlg.SetDlgItemText(IDC_REAGENT_NAME, "Thermolysin");
        Press(dlg, IDOK);
        dlg.GetDlgItemText(IDC_REAGENT_NAME, strNameAfterTakenName);
        boxes.Answer(IDOK);
        dlg.SetDlgItemText(IDC_RECOGNITION_EFFICIENCY, "");
        Press(dlg, IDOK);
        dlg.SetDlgItemText(IDC_REAGENT_NAME, "Pep");
        dlg.SetDlgItemText(IDC_RECOGNITION_EFFICIENCY, "77");
        Press(dlg, IDOK);
    });
    EXPECT_STREQ("Edit reagent", strCaption);
    EXPECT_EQ((Names{"P1'", "P2'", "P3'"}), exceptionHeadings);
    // A stored set of two positions shows P1 and P1', yet keeps its stored ends.
    EXPECT_EQ((Names{"P1", "P1'"}), recognitionHeadings);
    EXPECT_EQ((std::vector<int>{-1, 0, 1, 3}), ends);
    EXPECT_STREQ("Pepsin", strNameAfterTakenName);
    EXPECT_EQ(2u, boxes.Calls().size());

    Names records;
    CFile file;
    ASSERT_TRUE(CReagentLibrary::Open(file, CFile::modeRead));
    CEnzymeDlg holder;
    CReagentLibrary::ReadRecords(file, holder, [&](IReagentRecord&) {
        records.push_back(holder.m_strName + " " + holder.m_strRecognitionProbability);
        return TRUE;
    });
    EXPECT_EQ((Names{"Trypsin 91", "Pep 77", "Thermolysin 93"}), records);
    EXPECT_EQ((Names{"Pep", "Thermolysin", "Trypsin"}), ListedNames());
}

TEST_F(ReagentDialogTest, CancelledEditLeavesTheLibraryByteForByteAndReleasesIt)
{
    AddReagents({"Trypsin", "Pepsin"});
    const std::string before = ReadLibraryBytes();
    CreateEditor();
    Select("Pepsin");
    RunCommand(IDC_EDIT_REAGENT, [&](CEnzymeDlg& dlg) {
        dlg.SetDlgItemText(IDC_REAGENT_NAME, "Changed");
        dlg.m_wndExceptionGrid.m_header.SetCell(1, "P");
        Press(dlg, IDC_ADD_EXCEPTION);
        Press(dlg, IDCANCEL);
    });
    EXPECT_EQ(before, ReadLibraryBytes());
    CFile file;
    EXPECT_TRUE(CReagentLibrary::Open(file, CFile::modeReadWrite));
    EXPECT_STREQ("Pepsin", SelectedName());
}

TEST_F(ReagentDialogTest, EditedReagentRemovedWhileTheDialogIsOpenIsAppendedAtOk)
{
    AddReagents({"Trypsin"});
    const ULONGLONG nTrypsinBytes = ReadLibraryBytes().size();
    AddReagents({"Pepsin"});
    CreateEditor();
    Select("Pepsin");
    RunCommand(IDC_EDIT_REAGENT, [&](CEnzymeDlg& dlg) {
        dlg.m_file.SetLength(nTrypsinBytes);  // through the dialog's handle: no one else can open it
        Press(dlg, IDOK);
    });
    EXPECT_EQ((Names{"Trypsin", "Pepsin"}), LibraryNames());
}

TEST_F(ReagentDialogTest, NewReagentOnADamagedLibraryGoesBeforeTheUnreadableRest)
{
    AddReagents({"Trypsin", "Pepsin"});
    const std::string good = ReadLibraryBytes();
    const std::string damaged = good.substr(0, 9);  // a record cut short
    WriteLibraryBytes(good + damaged);
    CreateEditor();
    RunCommand(IDC_NEW_REAGENT, [&](CEnzymeDlg& dlg) {
        dlg.SetDlgItemText(IDC_REAGENT_NAME, "Asp-N");
        Press(dlg, IDOK);
    });
    CEnzymeDlg expected;
    expected.m_strName = "Asp-N";
    EXPECT_EQ(good + BytesOfRecord(expected) + damaged, ReadLibraryBytes());
    EXPECT_EQ((Names{"Asp-N", "Pepsin", "Trypsin"}), ListedNames());
}

TEST_F(ReagentDialogTest, EditWithTheLibraryHeldElsewhereSaysSoAndEnds)
{
    AddReagents({"Trypsin"});
    CreateEditor();
    MessageBoxScript boxes;
    boxes.Answer(IDOK);
    CFile held;
    ASSERT_TRUE(CReagentLibrary::Open(held, CFile::modeRead));
    RunWithWatchdog([&] { Click(IDC_EDIT_REAGENT); });
    EXPECT_EQ((Names{"Cannot open the data file"}), MessageTexts(boxes));
    EXPECT_TRUE(m_host.IsWindowEnabled());
}

TEST_F(ReagentDialogTest, SelectingARowGrowsTheGridToItAndEachPlusPWantsTheGridAtItsEnd)
{
    CEnzymeDlg reagent;
    reagent.m_strName = "Asp-N";
    reagent.m_exception.m_nBegin = 1;
    reagent.m_exception.m_nCount = 3;
    for (LPCSTR lpszCell : {"", "", "W"})
        reagent.m_exception.m_lstCells.AddTail(lpszCell);
    WriteLibraryBytes(BytesOfRecord(reagent));
    CreateEditor();
    Select("Asp-N");
    MessageBoxScript boxes;
    Names labels;
    CString strLastCell;
    int nFirstVisible = 0;
    int nPositionsAfterPlusP = 0;
    RunCommand(IDC_EDIT_REAGENT, [&](CEnzymeDlg& dlg) {
        CClvHeader& header = dlg.m_wndExceptionGrid.m_header;
        dlg.m_ctlExceptionList.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
        for (int i = 0; i < header.GetPositionCount(); ++i)
            labels.push_back(header.GetLabel(i));
        strLastCell = header.GetCell(header.GetPositionCount() - 1);
        // At its left end the grid's last column is cut off: it refuses a position at its
        // right. Scrolled one column to the right, it refuses one at its left.
        boxes.Answer(IDOK);
        Press(dlg, IDC_EXCEPTION_RIGHT);
        header.ScrollColumns(SB_LINERIGHT, 0, &header.m_scrollBar);
        nFirstVisible = header.m_nFirstVisible;
        boxes.Answer(IDOK);
        Press(dlg, IDC_EXCEPTION_LEFT);
        nPositionsAfterPlusP = header.GetPositionCount();
        Press(dlg, IDCANCEL);
    });
    EXPECT_EQ((Names{"P1", "P1'", "P2'", "P3'"}), labels);
    EXPECT_STREQ("W", strLastCell);
    ASSERT_EQ(1, nFirstVisible) << "four columns of the loaded row do not fit: the grid scrolls";
    EXPECT_EQ((Names{"The header must be at the most right position", "The header must be at the most left position"}),
              MessageTexts(boxes));
    EXPECT_EQ(4, nPositionsAfterPlusP);
}
