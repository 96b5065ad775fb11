#include "EditorFixture.h"
#include "ListContents.h"
#include "EditorTopics.h"

using Names = std::vector<CString>;

TEST_F(EditorTest, InitialUpdateListsTheLibraryAndShowsTheDefaults)
{
    AddReagents({"Trypsin", "Asp-N", "Chymotrypsin", "Trypsin"});
    MessageBoxScript noBoxes;
    CreateEditor();
    EXPECT_EQ((Names{"Asp-N", "Chymotrypsin", "Trypsin", "Trypsin"}), ListedNames());
    EXPECT_EQ((Names{"Trypsin", "Asp-N", "Chymotrypsin", "Trypsin"}), ListContents(m_pEditor->m_lstReagentNames));
    EXPECT_STREQ("Asp-N", SelectedName());
    EXPECT_STREQ("Total: 4", Text(IDC_TOTAL));
    EXPECT_TRUE(Enabled(IDC_EDIT_REAGENT));
    EXPECT_TRUE(Enabled(IDC_REMOVE_REAGENT));
    EXPECT_EQ("best sort-probability | from=(off) to=(off) fragments=40 probability=75(off)", Options());
    EXPECT_TRUE(m_analysis.GetErrorText().IsEmpty());
}

TEST_F(EditorTest, MissingLibraryIsSilentAndLeavesTheDefaultsUnset)
{
    MessageBoxScript noBoxes;
    CreateEditor();
    EXPECT_TRUE(ListedNames().empty());
    EXPECT_STREQ("", Text(IDC_TOTAL)) << "the first exchange wrote the empty total over the template's text";
    EXPECT_FALSE(Enabled(IDC_EDIT_REAGENT));
    EXPECT_FALSE(Enabled(IDC_REMOVE_REAGENT));
    // The initial defaults were not applied.
    EXPECT_EQ("best sort-probability | from= to= fragments= probability=", Options());
}

TEST_F(EditorTest, UnopenableLibraryIsReportedWithTheFileError)
{
    AddReagents({"Trypsin"});
    CFile holder(CReagentLibrary::GetPath(), CFile::modeRead | CFile::shareExclusive);
    MessageBoxScript boxes;
    boxes.Answer(IDOK);
    CreateEditor();
    ASSERT_EQ(1u, boxes.Calls().size());
    CFileException expected(CFileException::sharingViolation, ERROR_SHARING_VIOLATION, CReagentLibrary::GetPath());
    char szExpected[512];
    expected.GetErrorMessage(szExpected, sizeof(szExpected));
    EXPECT_STREQ(szExpected, boxes.Calls()[0].strText);
    EXPECT_TRUE(ListedNames().empty());
    EXPECT_FALSE(Enabled(IDC_EDIT_REAGENT));
}

TEST_F(EditorTest, DamagedRecordEndsTheListWithTheRecordsBeforeIt)
{
    AddReagents({"Trypsin", "Asp-N", "Lys-C"});
    {
        // Cut the last record short.
        CFile file(CReagentLibrary::GetPath(), CFile::modeReadWrite | CFile::shareExclusive);
        file.SetLength(file.GetLength() - 3);
    }
    CreateEditor();
    EXPECT_EQ((Names{"Asp-N", "Trypsin"}), ListedNames());
    EXPECT_STREQ("Total: 2", Text(IDC_TOTAL));
}

TEST_F(EditorTest, LoadShowsMoleculeRangeLimitsAndModes)
{
    AddReagents({"Trypsin"});
    CreateEditor();
    CCleavageData record;
    record.m_nAnalysisFragments = CCleavageData::kAllFragments;
    record.m_nAnalysisProbability = 60;
    record.m_nProbabilityOrFragments = 5;
    record.m_nSorting = 1;
    Exchange(record, FALSE, "Lysozyme", 350);
    EXPECT_STREQ("Lysozyme", Text(IDC_MOL_NAME));
    EXPECT_EQ(350, m_pEditor->m_nMolLength);
    // From 0 and To 0: the whole molecule. Any non-zero mode is "Only above this probability".
    EXPECT_EQ("above sort-weight | from=1(off) to=350(off) fragments=All(off) probability=60", Options());
    EXPECT_EQ(0, m_pEditor->m_nResultMode);

    record.m_nAnalysisFrom = 10;
    record.m_nAnalysisTo = 0;
    record.m_nRange = 1;
    record.m_nAnalysisFragments = 12;
    Exchange(record, FALSE);
    EXPECT_EQ("above sort-weight range | from=10 to=0 fragments=12(off) probability=60", Options());
}

TEST_F(EditorTest, UnknownSortOrderLeavesTheButtonsAsTheMemberExchangeSetThem)
{
    CreateEditor();
    CCleavageData record;
    record.m_nSorting = 2;
    Exchange(record, FALSE);
    EXPECT_TRUE(Checked(IDC_SORT_POSITION));
    record.m_nSorting = 7;
    Exchange(record, FALSE);
    EXPECT_EQ(7, m_pEditor->m_nSortOrder);
    EXPECT_TRUE(Checked(IDC_SORT_POSITION)) << "the member exchange showed the previous order 2";
}

TEST_F(EditorTest, LoadSelectsTheReagentByItsExactNameOrElseTheFirstItem)
{
    AddReagents({"trypsin", "Trypsin", "Asp-N", "Lys-C-P"});
    CreateEditor();
    CCleavageData record;
    // Both spellings: whichever the list holds first, the other must still be found.
    for (LPCSTR lpszName : {"Trypsin", "trypsin"})
    {
        record.m_strEnzName = lpszName;
        Exchange(record, FALSE);
        EXPECT_STREQ(lpszName, SelectedName());
    }

    // An empty name leaves the selection alone.
    Select("Asp-N");
    record.m_strEnzName.Empty();
    Exchange(record, FALSE);
    EXPECT_STREQ("Asp-N", SelectedName());

    // Found only as the start of another name.
    Select("trypsin");
    record.m_strEnzName = "Lys-C";
    Exchange(record, FALSE);
    EXPECT_STREQ("Asp-N", SelectedName());
}

TEST_F(EditorTest, SaveCopiesTheLastRecordOfTheSelectedNameWithTheFormsValues)
{
    AddReagents({"Trypsin", "Asp-N", "Trypsin"});
    CreateEditor();
    Select("Trypsin");
    SetText(IDC_FRAGMENTS, "All");
    SetText(IDC_PROBABILITY, "33");
    SetText(IDC_RANGE_FROM, "5");
    SetText(IDC_RANGE_TO, "60");
    Click(IDC_RANGE_ONLY);
    Click(IDC_SORT_WEIGHT);
    CCleavageData record;
    Exchange(record, TRUE);
    EXPECT_STREQ("Trypsin", record.m_strEnzName);
    EXPECT_EQ(93, record.m_nRecognitionProbability) << "the third record, not the first";
    EXPECT_EQ(80, record.m_nExceptionProbability);
    EXPECT_EQ(-1, record.m_nRecognitionBegin);
    EXPECT_EQ(2, record.m_nRecognitionCount);
    EXPECT_EQ(1, record.m_nExceptionBegin);
    EXPECT_EQ(3, record.m_nExceptionCount);
    EXPECT_EQ((Names{"K", "Trypsin3"}), ListContents(record.m_lstRecognition));
    EXPECT_EQ((Names{"{P}"}), ListContents(record.m_lstException));
    EXPECT_EQ(CCleavageData::kAllFragments, record.m_nAnalysisFragments);
    EXPECT_EQ(33, record.m_nAnalysisProbability);
    EXPECT_EQ(5, record.m_nAnalysisFrom);
    EXPECT_EQ(60, record.m_nAnalysisTo);
    EXPECT_EQ(1, record.m_nRange);
    EXPECT_EQ(1, record.m_nSorting);
    EXPECT_EQ(0, record.m_nProbabilityOrFragments);

    // Only the exact word: "all" is not every fragment.
    SetText(IDC_FRAGMENTS, "all");
    Exchange(record, TRUE);
    EXPECT_NE(CCleavageData::kAllFragments, record.m_nAnalysisFragments);
}

TEST_F(EditorTest, SaveWithoutAMatchingReagentChangesNothing)
{
    AddReagents({"Trypsin"});
    CreateEditor();
    m_pEditor->m_listReagents.SetCurSel(-1);
    SetText(IDC_FRAGMENTS, "7");
    CCleavageData record;
    record.m_strEnzName = "Old";
    record.m_nAnalysisFrom = 3;
    Exchange(record, TRUE);
    EXPECT_STREQ("Old", record.m_strEnzName);
    EXPECT_EQ(40, record.m_nAnalysisFragments);
    EXPECT_EQ(3, record.m_nAnalysisFrom);
}

TEST_F(EditorTest, SaveWithTheLibraryHeldElsewhereSaysSoAndChangesNothing)
{
    AddReagents({"Trypsin"});
    CreateEditor();
    CFile holder(CReagentLibrary::GetPath(), CFile::modeRead | CFile::shareExclusive);
    MessageBoxScript boxes;
    boxes.Answer(IDOK);
    CCleavageData record;
    Exchange(record, TRUE);
    ASSERT_EQ(1u, boxes.Calls().size());
    EXPECT_STREQ("Cannot open the data file", boxes.Calls()[0].strText);
    EXPECT_EQ((UINT)MB_OK, boxes.Calls()[0].nType & MB_TYPEMASK);
    EXPECT_TRUE(record.m_strEnzName.IsEmpty());
}

TEST_F(EditorTest, ExchangeWithAnotherWindowTouchesNothing)
{
    CreateEditor();
    CCleavageData record;
    CAnalysisContext context(nullptr, &record);
    EXPECT_EQ(0, m_analysis.ExchangeData(&m_host, &context, TRUE));
    EXPECT_EQ(0, m_analysis.ExchangeData(nullptr, &context, FALSE));
    m_analysis.SetReadOnly(&m_host, nullptr, TRUE);
    m_analysis.SetRange(&m_host, "Lysozyme", 2, 1, 2);
    EXPECT_TRUE(Enabled(IDC_NEW_REAGENT));
}

TEST_F(EditorTest, LockDisablesEverythingAndUnlockRestoresTheStates)
{
    AddReagents({"Trypsin"});
    CreateEditor();
    m_analysis.SetReadOnly(m_pEditor, nullptr, TRUE);
    EXPECT_TRUE(m_pEditor->m_bReadOnly);
    for (int nID : {IDC_EDIT_REAGENT, IDC_REMOVE_REAGENT, IDC_NEW_REAGENT, IDC_USE_DEFAULTS, IDC_REAGENT_LIST,
                    IDC_ABOVE_PROBABILITY, IDC_BEST_FRAGMENTS, IDC_SORT_PROBABILITY, IDC_SORT_WEIGHT,
                    IDC_SORT_POSITION, IDC_RANGE_ONLY, IDC_RANGE_FROM, IDC_RANGE_TO, IDC_PROBABILITY, IDC_FRAGMENTS})
        EXPECT_FALSE(Enabled(nID)) << nID;
    EXPECT_TRUE(Enabled(IDC_MOL_NAME));

    m_analysis.SetReadOnly(m_pEditor, nullptr, FALSE);
    EXPECT_EQ("best sort-probability | from=(off) to=(off) fragments=40 probability=75(off)", Options());
    EXPECT_TRUE(Enabled(IDC_EDIT_REAGENT));
    EXPECT_TRUE(Enabled(IDC_NEW_REAGENT));
}

TEST_F(EditorTest, SetRangeNeedsTheShownMoleculeProteinsAndAnUnlockedForm)
{
    CreateEditor();
    CCleavageData record;
    Exchange(record, FALSE, "Lysozyme", 350);
    m_analysis.SetRange(m_pEditor, "lysozyme", 1, 10, 20);
    EXPECT_STREQ("1", Text(IDC_RANGE_FROM));
    m_analysis.SetRange(m_pEditor, "Myoglobin", 2, 10, 20);
    EXPECT_STREQ("1", Text(IDC_RANGE_FROM));
    m_analysis.SetReadOnly(m_pEditor, nullptr, TRUE);
    m_analysis.SetRange(m_pEditor, "Lysozyme", 2, 10, 20);
    EXPECT_STREQ("1", Text(IDC_RANGE_FROM));
    m_analysis.SetReadOnly(m_pEditor, nullptr, FALSE);

    m_analysis.SetRange(m_pEditor, "LYSOZYME", 2, 5, 60);
    // Range Only stays as it was: the range waits for the user to check it.
    EXPECT_EQ("best sort-probability | from=5(off) to=60(off) fragments=40 probability=75(off)", Options());
}

TEST_F(EditorTest, ModeAndRangeClicksKeepTheFieldsInStep)
{
    AddReagents({"Trypsin"});
    CreateEditor();
    Click(IDC_ABOVE_PROBABILITY);
    EXPECT_EQ(0, m_pEditor->m_nResultMode);
    EXPECT_EQ("above sort-probability | from=(off) to=(off) fragments=40(off) probability=75", Options());
    Click(IDC_BEST_FRAGMENTS);
    Click(IDC_RANGE_ONLY);
    EXPECT_TRUE(m_pEditor->m_bRangeOnly);
    EXPECT_EQ("best sort-probability range | from= to= fragments=40 probability=75(off)", Options());
}

TEST_F(EditorTest, NumericFieldsCarryTheirValidators)
{
    CreateEditor();
    SetText(IDC_PROBABILITY, "101");
    EXPECT_STREQ("Value 101 must be less or equal then 100", m_pEditor->m_editProbability.Validate());
    SetText(IDC_FRAGMENTS, "12a");
    EXPECT_STREQ("Can not convert value 12a to integer", m_pEditor->m_editFragments.Validate());
    SetText(IDC_RANGE_FROM, "30");
    SetText(IDC_RANGE_TO, "20");
    EXPECT_STREQ("Value 30 must be less or equal then 20", m_pEditor->m_editFrom.Validate());
    EXPECT_STREQ("Value 20 must be more or equal then 30", m_pEditor->m_editTo.Validate());
    SetText(IDC_RANGE_TO, "30");
    EXPECT_STREQ("", m_pEditor->m_editFrom.Validate());
}

TEST_F(EditorTest, FormCarriesTheEightHelpTopics)
{
    CreateEditor();
    ASSERT_EQ(8, m_pEditor->m_topics.GetCount());
    EXPECT_NE(nullptr, m_pEditor->m_topics.FindTopic(IDC_SORT_POSITION));
}
