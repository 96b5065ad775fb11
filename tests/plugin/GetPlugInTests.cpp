// The module as the host sees it: loaded by name, asked through its one exported function.
#include <TessaroDB.h>

#include <gtest/gtest.h>
#include <memory>

namespace
{
typedef DWORD (*GetPlugInFunction)(DWORD dwNumber, CAnalysisPlugIn** ppPlugIn);

class LoadedPlugInTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_hModule = LoadLibraryA("CleavagePlugin.tsplugin");
        ASSERT_NE(nullptr, m_hModule) << "LoadLibrary failed with " << GetLastError();
        m_pfnGetPlugIn = (GetPlugInFunction)(void*)GetProcAddress(m_hModule, "GetPlugIn");
        ASSERT_NE(nullptr, m_pfnGetPlugIn);
    }
    void TearDown() override
    {
        if (m_hModule)
            FreeLibrary(m_hModule);
    }

    HMODULE m_hModule = nullptr;
    GetPlugInFunction m_pfnGetPlugIn = nullptr;
};
}

TEST_F(LoadedPlugInTest, MissingOutSlotReturnsOne)
{
    EXPECT_EQ(1u, m_pfnGetPlugIn(0, nullptr));
    EXPECT_EQ(1u, m_pfnGetPlugIn(5, nullptr));
}

TEST_F(LoadedPlugInTest, NonZeroNumberLeavesTheSlotAlone)
{
    CAnalysisPlugIn* const pSentinel = reinterpret_cast<CAnalysisPlugIn*>(0x1234);
    CAnalysisPlugIn* pPlugIn = pSentinel;
    EXPECT_EQ(0u, m_pfnGetPlugIn(5, &pPlugIn));
    EXPECT_EQ(pSentinel, pPlugIn);
}

TEST_F(LoadedPlugInTest, NumberZeroMakesAFreshAnalysisEachTime)
{
    CAnalysisPlugIn* pFirst = nullptr;
    CAnalysisPlugIn* pSecond = nullptr;
    ASSERT_EQ(0u, m_pfnGetPlugIn(0, &pFirst));
    ASSERT_EQ(0u, m_pfnGetPlugIn(0, &pSecond));
    std::unique_ptr<CAnalysisPlugIn> first(pFirst), second(pSecond);
    ASSERT_NE(nullptr, pFirst);
    EXPECT_NE(pFirst, pSecond);
    EXPECT_STREQ("CleavageAnalysis", pFirst->GetAnalysisName());
    EXPECT_STREQ("The search of proteolytic cleavage of a target protein", pFirst->GetAnalysisDescription());
    EXPECT_EQ(33, pSecond->GetAnalysisCode());
}

TEST_F(LoadedPlugInTest, RecordsComeFromTheModuleAndCloneThere)
{
    CAnalysisPlugIn* pPlugIn = nullptr;
    ASSERT_EQ(0u, m_pfnGetPlugIn(0, &pPlugIn));
    std::unique_ptr<CAnalysisPlugIn> plugIn(pPlugIn);
    std::unique_ptr<CAnalysisData> data(pPlugIn->CreateData(nullptr));
    ASSERT_NE(nullptr, data);
    EXPECT_TRUE(data->IsKindOf(RUNTIME_CLASS(CAnalysisData)));
    data->StoreSettings();
    std::unique_ptr<CAnalysisData> clone(data->Clone());
    ASSERT_NE(nullptr, clone);
    int nFragments = 0;
    EXPECT_TRUE(clone->m_Storage.GetValue("analysis_fragments", nFragments));
    EXPECT_EQ(40, nFragments);
}

TEST_F(LoadedPlugInTest, ModuleResourcesAreFoundOnlyWhileLoaded)
{
    EXPECT_EQ(m_hModule, AfxFindResourceHandle(MAKEINTRESOURCEA(VS_VERSION_INFO), (LPCSTR)RT_VERSION));
    ASSERT_TRUE(FreeLibrary(m_hModule));
    m_hModule = nullptr;
    EXPECT_EQ(nullptr, AfxFindResourceHandle(MAKEINTRESOURCEA(VS_VERSION_INFO), (LPCSTR)RT_VERSION));
}
