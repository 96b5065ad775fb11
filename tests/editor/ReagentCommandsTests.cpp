#include "EditorFixture.h"
#include "LibraryFiles.h"
#include "PumpUntil.h"

using Names = std::vector<CString>;

TEST_F(EditorTest, RemoveAnsweredWithCancelChangesNothing)
{
    AddReagents({"Trypsin", "Asp-N"});
    CreateEditor();
    Select("Trypsin");
    MessageBoxScript boxes;
    boxes.Answer(IDCANCEL);
    Click(IDC_REMOVE_REAGENT);
    ASSERT_EQ(1u, boxes.Calls().size());
    EXPECT_STREQ("You are going to delete the enzyme \"Trypsin\"", boxes.Calls()[0].strText);
    EXPECT_EQ((UINT)MB_OKCANCEL, boxes.Calls()[0].nType & MB_TYPEMASK);
    EXPECT_EQ((Names{"Trypsin", "Asp-N"}), LibraryNames());
    EXPECT_STREQ("Trypsin", SelectedName());
    EXPECT_STREQ("Total: 2", Text(IDC_TOTAL));
}

TEST_F(EditorTest, RemoveDropsEveryRecordOfTheNameAndKeepsTheOrder)
{
    AddReagents({"Trypsin", "Lys-C", "Trypsin", "Asp-N", "trypsin"});
    CreateEditor();
    Select("Trypsin");
    MessageBoxScript boxes;
    boxes.Answer(IDOK);
    Click(IDC_REMOVE_REAGENT);
    EXPECT_EQ((Names{"Lys-C", "Asp-N", "trypsin"}), LibraryNames());
    EXPECT_EQ((Names{"Asp-N", "Lys-C", "trypsin"}), ListedNames());
    EXPECT_STREQ("Total: 3", Text(IDC_TOTAL));
    EXPECT_STREQ("Asp-N", SelectedName());
}

TEST_F(EditorTest, RemovingTheOnlyReagentLeavesAnEmptyLibrary)
{
    AddReagents({"Trypsin"});
    CreateEditor();
    MessageBoxScript boxes;
    boxes.Answer(IDOK);
    Click(IDC_REMOVE_REAGENT);
    EXPECT_TRUE(LibraryNames().empty());
    EXPECT_TRUE(ListedNames().empty());
    EXPECT_STREQ("Total: 0", Text(IDC_TOTAL));
    EXPECT_FALSE(Enabled(IDC_EDIT_REAGENT));
    EXPECT_FALSE(Enabled(IDC_REMOVE_REAGENT));
}

TEST_F(EditorTest, RemoveWithTheLibraryHeldElsewhereSaysSo)
{
    AddReagents({"Trypsin", "Asp-N"});
    CreateEditor();
    CFile holder(CReagentLibrary::GetPath(), CFile::modeRead | CFile::shareExclusive);
    MessageBoxScript boxes;
    boxes.Answer(IDOK);
    boxes.Answer(IDOK);
    Click(IDC_REMOVE_REAGENT);
    ASSERT_EQ(2u, boxes.Calls().size());
    EXPECT_STREQ("Cannot open the data file", boxes.Calls()[1].strText);
    holder.Close();
    EXPECT_EQ((Names{"Trypsin", "Asp-N"}), LibraryNames());
    EXPECT_EQ(2u, ListedNames().size());
}

TEST_F(EditorTest, RemoveThatCannotWriteTheLibraryKeepsItsContents)
{
    AddReagents({"Trypsin", "Asp-N"});
    CreateEditor();
    // Readable but not writable: the scan opens the library, the rewrite's open fails.
    ASSERT_TRUE(SetFileAttributesA(CReagentLibrary::GetPath(), FILE_ATTRIBUTE_READONLY));
    CFile probe;
    if (probe.Open(CReagentLibrary::GetPath(), CFile::modeWrite))
    {
        probe.Close();
        SetFileAttributesA(CReagentLibrary::GetPath(), FILE_ATTRIBUTE_NORMAL);
        GTEST_SKIP() << "this system writes read-only files (Wine running as root does)";
    }
    MessageBoxScript boxes;
    boxes.Answer(IDOK);
    boxes.Answer(IDOK);
    Click(IDC_REMOVE_REAGENT);
    ASSERT_TRUE(SetFileAttributesA(CReagentLibrary::GetPath(), FILE_ATTRIBUTE_NORMAL));
    ASSERT_EQ(2u, boxes.Calls().size());
    EXPECT_STREQ("Cannot open the data file", boxes.Calls()[1].strText);
    EXPECT_EQ((Names{"Trypsin", "Asp-N"}), LibraryNames());
    EXPECT_EQ((Names{"Asp-N", "Trypsin"}), ListedNames()) << "the list is not refilled";
}

TEST_F(EditorTest, DeleteKeyAsksOnlyWithASelection)
{
    AddReagents({"Trypsin"});
    CreateEditor();
    CListBox& list = m_pEditor->m_listReagents;
    {
        MessageBoxScript boxes;
        boxes.Answer(IDCANCEL);
        list.SetFocus();
        PostKey(list.m_hWnd, VK_DELETE);
        ASSERT_TRUE(PumpUntil([&] { return !boxes.Calls().empty(); }));
        ASSERT_EQ(1u, boxes.Calls().size());
        EXPECT_STREQ("You are going to delete the enzyme \"Trypsin\"", boxes.Calls()[0].strText);
    }
    list.SetCurSel(-1);
    MessageBoxScript noBoxes;
    m_pEditor->SendMessage(WM_VKEYTOITEM, MAKEWPARAM(VK_DELETE, 0), (LPARAM)list.m_hWnd);
    m_pEditor->SendMessage(WM_VKEYTOITEM, MAKEWPARAM(VK_DOWN, 0), (LPARAM)list.m_hWnd);
    EXPECT_EQ((Names{"Trypsin"}), LibraryNames());
}

// Keys pressed in the focused list move its selection as the list itself does: the form
// leaves every key but Delete to it.
TEST_F(EditorTest, KeysInTheListMoveFromTheSelectionAndFindByFirstLetter)
{
    AddReagents({"Trypsin", "Lys-N", "Arg-C", "Lys-C"});
    CreateEditor();
    struct KeyCase
    {
        LPCSTR lpszFrom;
        std::vector<UINT> keys;
        LPCSTR lpszTo;
    };
    const KeyCase cases[] = {
        {"Lys-C", {VK_DOWN}, "Lys-N"},       // Down: the next one
        {"Lys-N", {VK_UP}, "Lys-C"},         // Up: the one before
        {"Arg-C", {VK_END}, "Trypsin"},      // End: the last one
        {"Lys-N", {VK_HOME}, "Arg-C"},       // Home: the first one
        {"Lys-C", {'L'}, "Lys-N"},           // a first letter: the next name that starts with it
        {"Lys-N", {'T'}, "Trypsin"},         // another letter: its name
    };
    CListBox& list = m_pEditor->m_listReagents;
    for (const KeyCase& keyCase : cases)
    {
        SCOPED_TRACE(keyCase.lpszFrom + CString(" to ") + keyCase.lpszTo);
        Select(keyCase.lpszFrom);
        list.SetFocus();
        ASSERT_EQ(list.m_hWnd, ::GetFocus());
        for (const UINT nKey : keyCase.keys)
            PostKey(list.m_hWnd, nKey);
        EXPECT_TRUE(PumpUntil([&] { return SelectedName() == keyCase.lpszTo; }, 2000)) << (LPCSTR)SelectedName();
    }
    EXPECT_EQ((Names{"Trypsin", "Lys-N", "Arg-C", "Lys-C"}), LibraryNames());
}

TEST_F(EditorTest, UseDefaultsBeforeAnyExchangeShowsTheWholeUnknownMolecule)
{
    AddReagents({"Trypsin", "Asp-N"});
    CreateEditor();
    Select("Trypsin");
    Click(IDC_ABOVE_PROBABILITY);
    Click(IDC_RANGE_ONLY);
    Click(IDC_SORT_POSITION);
    SetText(IDC_FRAGMENTS, "3");
    SetText(IDC_PROBABILITY, "9");
    Click(IDC_USE_DEFAULTS);
    EXPECT_EQ("best sort-probability | from=1(off) to=0(off) fragments=40 probability=75(off)", Options());
    EXPECT_STREQ("Trypsin", SelectedName());
}

TEST_F(EditorTest, UseDefaultsAfterALoadTakesTheMoleculesLength)
{
    CreateEditor();
    CCleavageData record;
    record.m_nAnalysisFrom = 4;
    record.m_nAnalysisTo = 9;
    Exchange(record, FALSE, "Myoglobin", 153);
    Click(IDC_USE_DEFAULTS);
    EXPECT_STREQ("153", Text(IDC_RANGE_TO));
    EXPECT_EQ(9, record.m_nAnalysisTo) << "the record waits for the next save exchange";
}
