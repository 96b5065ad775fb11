#include "LoadedPlugIn.h"

TEST_F(LoadedPlugInTest, AcceptsProteinsOnly)
{
    EXPECT_FALSE(m_analysis->IsKindAccepted(1));
    EXPECT_TRUE(m_analysis->IsKindAccepted(2));
    EXPECT_FALSE(m_analysis->IsKindAccepted(3));
    EXPECT_EQ(1, m_analysis->IsAcceptable(nullptr, nullptr));
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
