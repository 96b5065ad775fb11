#include "LoadedPlugIn.h"

TEST_F(LoadedPlugInTest, AcceptsProteinsOnly)
{
    EXPECT_FALSE(m_analysis->IsKindAccepted(1));
    EXPECT_TRUE(m_analysis->IsKindAccepted(2));
    EXPECT_FALSE(m_analysis->IsKindAccepted(3));
    EXPECT_EQ(1, m_analysis->IsAcceptable(nullptr, nullptr));
}

TEST_F(LoadedPlugInTest, FreshObjectAnswers)
{
    EXPECT_EQ(33, m_analysis->GetAnalysisCode());
    EXPECT_EQ(33, m_analysis->GetAnalysisCode());
    EXPECT_TRUE(m_analysis->GetErrorText().IsEmpty());
    // No run-time class of its own: the toolkit's root class answers.
    EXPECT_EQ(RUNTIME_CLASS(CObject), m_analysis->GetRuntimeClass());
}

TEST_F(LoadedPlugInTest, CreateDataMakesARecordWithDefaults)
{
    std::unique_ptr<CAnalysisData> record = MakeStoredRecord();
    ASSERT_NE(nullptr, record);
    // The module's record answers with the host's class, across the module boundary.
    EXPECT_EQ(RUNTIME_CLASS(CAnalysisData), record->GetRuntimeClass());
    EXPECT_TRUE(record->IsKindOf(RUNTIME_CLASS(CAnalysisData)));
    int nFragments = 0;
    EXPECT_TRUE(record->m_Storage.GetValue("analysis_fragments", nFragments));
    EXPECT_EQ(40, nFragments);
}

TEST_F(LoadedPlugInTest, EditorOperationsIgnoreWindowsThatAreNotEditors)
{
    std::unique_ptr<CAnalysisData> record(m_analysis->CreateData(nullptr));
    ASSERT_NE(nullptr, record);
    CAnalysisContext context(nullptr, record.get());
    CWnd notAnEditor;
    ASSERT_TRUE(notAnEditor.CreateEx(0, "STATIC", "", WS_POPUP, CRect(0, 0, 10, 10), NULL, 0));
    EXPECT_EQ(nullptr, m_analysis->CreateEditor(nullptr));
    EXPECT_EQ(0, m_analysis->ExchangeData(&notAnEditor, &context, TRUE));
    EXPECT_EQ(0, m_analysis->ExchangeData(nullptr, &context, TRUE));
    m_analysis->SetReadOnly(&notAnEditor, &context, TRUE);
    m_analysis->SetRange(&notAnEditor, "Lysozyme", 2, 10, 20);
    record->StoreSettings();
    int nFragments = 0;
    EXPECT_TRUE(record->m_Storage.GetValue("analysis_fragments", nFragments));
    EXPECT_EQ(40, nFragments);
    EXPECT_TRUE(m_analysis->GetErrorText().IsEmpty());
}
