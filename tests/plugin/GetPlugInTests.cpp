// The module as the host sees it: loaded by name, asked through its one exported function.
#include "LoadedPlugIn.h"

#include <libsrv.h>

TEST_F(LoadedPlugInTest, MissingOutSlotReturnsOne)
{
    EXPECT_EQ(1u, m_pfnGetPlugIn(0, nullptr));
    EXPECT_EQ(1u, m_pfnGetPlugIn(1, nullptr));
    EXPECT_EQ(1u, m_pfnGetPlugIn(5, nullptr));
}

TEST_F(LoadedPlugInTest, NonZeroNumberLeavesTheSlotAlone)
{
    CAnalysisPlugIn* const pSentinel = reinterpret_cast<CAnalysisPlugIn*>(0x1234);
    CAnalysisPlugIn* pPlugIn = pSentinel;
    EXPECT_EQ(0u, m_pfnGetPlugIn(1, &pPlugIn));
    EXPECT_EQ(pSentinel, pPlugIn);
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
    m_analysis.reset();
    ASSERT_TRUE(FreeLibrary(m_hModule));
    m_hModule = nullptr;
    EXPECT_EQ(nullptr, AfxFindResourceHandle(MAKEINTRESOURCEA(VS_VERSION_INFO), (LPCSTR)RT_VERSION));
}

TEST_F(LoadedPlugInTest, ModuleRegistersTheReagentRecordWhileLoaded)
{
    const PK_RTTI_LINK* pLink = PK_RTTI_LINK::Find("EnzymeDlg");
    ASSERT_NE(nullptr, pLink);
    EXPECT_STREQ("CEnzymeDlg", pLink->m_pRuntimeClass->m_lpszClassName);
    EXPECT_EQ(nullptr, pLink->m_pfnCreate);
    EXPECT_EQ(nullptr, pLink->m_lpszBaseClassName);

    // The host's way in: an object of the module's class, written through the link. A
    // new record is an empty name, efficiencies 100 and 100, and two sides of count 2,
    // begin 0 and no cells.
    CObject* pRecord = pLink->m_pRuntimeClass->CreateObject();
    ASSERT_NE(nullptr, pRecord);
    CMemFile file;
    CPkArchive ar(&file, CPkArchive::store);
    pLink->m_pfnSerialize(pRecord, ar);
    delete pRecord;
    const std::string expected("\0\0\0\0" "\3\0\0\0" "100" "\3\0\0\0" "100"
                               "\2\0\0\0" "\0\0\0\0" "\0\0\0\0" "\2\0\0\0" "\0\0\0\0" "\0\0\0\0",
                               42);
    const ULONGLONG nLength = file.GetLength();
    BYTE* pBytes = file.Detach();
    EXPECT_EQ(expected, std::string((const char*)pBytes, (size_t)nLength));
    free(pBytes);

    m_analysis.reset();
    ASSERT_TRUE(FreeLibrary(m_hModule));
    m_hModule = nullptr;
    EXPECT_EQ(nullptr, PK_RTTI_LINK::Find("EnzymeDlg"));
}
