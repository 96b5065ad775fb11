#include "CCleavageAnalysis.h"
#include "CCleavageData.h"

#include <gtest/gtest.h>
#include <memory>

TEST(CleavageAnalysisTest, AcceptsProteinsOnly)
{
    CCleavageAnalysis analysis;
    EXPECT_FALSE(analysis.IsKindAccepted(1));
    EXPECT_TRUE(analysis.IsKindAccepted(2));
    EXPECT_FALSE(analysis.IsKindAccepted(3));
    EXPECT_EQ(1, analysis.IsAcceptable(nullptr, nullptr));
}

TEST(CleavageAnalysisTest, FreshObjectAnswers)
{
    CCleavageAnalysis analysis;
    EXPECT_EQ(33, analysis.GetAnalysisCode());
    EXPECT_EQ(33, analysis.GetAnalysisCode());
    EXPECT_TRUE(analysis.GetErrorText().IsEmpty());
    // No run-time class of its own: the toolkit's root class answers.
    EXPECT_EQ(RUNTIME_CLASS(CObject), analysis.GetRuntimeClass());
}

TEST(CleavageAnalysisTest, CreateDataMakesARecordWithDefaults)
{
    CCleavageAnalysis analysis;
    std::unique_ptr<CAnalysisData> data(analysis.CreateData(nullptr));
    CCleavageData* pRecord = dynamic_cast<CCleavageData*>(data.get());
    ASSERT_NE(nullptr, pRecord);
    EXPECT_EQ(RUNTIME_CLASS(CAnalysisData), pRecord->GetRuntimeClass());
    EXPECT_EQ(40, pRecord->m_nAnalysisFragments);
}

TEST(CleavageAnalysisTest, EditorOperationsIgnoreWindowsThatAreNotEditors)
{
    CCleavageAnalysis analysis;
    CCleavageData record;
    CAnalysisContext context(nullptr, &record);
    EXPECT_EQ(nullptr, analysis.CreateEditor(nullptr));
    EXPECT_EQ(0, analysis.ExchangeData(nullptr, &context, TRUE));
    analysis.SetReadOnly(nullptr, &context, TRUE);
    analysis.SetRange(nullptr, "Lysozyme", 2, 10, 20);
    EXPECT_EQ(40, record.m_nAnalysisFragments);
    EXPECT_TRUE(analysis.GetErrorText().IsEmpty());
}
