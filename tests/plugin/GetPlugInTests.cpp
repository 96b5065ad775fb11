// The module as the host sees it: loaded by name, asked through its one exported function.
#include "LoadedPlugIn.h"

#include <libsrv.h>
#include <resource.h>

TEST_F(LoadedPlugInTest, OnlyNumberZeroFillsTheSlotAndAMissingSlotReturnsOne)
{
    CAnalysisPlugIn* const pSentinel = reinterpret_cast<CAnalysisPlugIn*>(0x1234);
    for (DWORD dwNumber : {0u, 1u, 5u})
        EXPECT_EQ(1u, m_pfnGetPlugIn(dwNumber, nullptr)) << dwNumber;
    for (DWORD dwNumber : {1u, 5u})
    {
        CAnalysisPlugIn* pPlugIn = pSentinel;
        EXPECT_EQ(0u, m_pfnGetPlugIn(dwNumber, &pPlugIn));
        EXPECT_EQ(pSentinel, pPlugIn) << dwNumber;
    }
}

TEST_F(LoadedPlugInTest, NumberZeroMakesAFreshAnalysisEachTime)
{
    CAnalysisPlugIn* pSecond = nullptr;
    ASSERT_EQ(0u, m_pfnGetPlugIn(0, &pSecond));
    std::unique_ptr<CAnalysisPlugIn> second(pSecond);
    EXPECT_NE(m_analysis.get(), pSecond);
    EXPECT_STREQ("CleavageAnalysis", pSecond->GetAnalysisName());
    EXPECT_STREQ("The search of proteolytic cleavage of a target protein", pSecond->GetAnalysisDescription());
    EXPECT_EQ(33, pSecond->GetAnalysisCode());
    EXPECT_TRUE(pSecond->GetErrorText().IsEmpty());
    // No run-time class of its own: the toolkit's root class answers.
    EXPECT_EQ(RUNTIME_CLASS(CObject), pSecond->GetRuntimeClass());
}

TEST_F(LoadedPlugInTest, RecordsComeFromTheModuleWithDefaultsAndCloneThere)
{
    std::unique_ptr<CAnalysisData> data(m_analysis->CreateData(nullptr));
    ASSERT_NE(nullptr, data);
    // The module's record answers with the host's class, across the module boundary.
    EXPECT_EQ(RUNTIME_CLASS(CAnalysisData), data->GetRuntimeClass());
    data->StoreSettings();
    std::unique_ptr<CAnalysisData> clone(data->Clone());
    ASSERT_NE(nullptr, clone);
    int nFragments = 0;
    EXPECT_TRUE(clone->m_Storage.GetValue("analysis_fragments", nFragments));
    EXPECT_EQ(40, nFragments);
}

TEST_F(LoadedPlugInTest, ModuleResourcesAndReagentRecordAreFoundOnlyWhileLoaded)
{
    EXPECT_EQ(m_hModule, AfxFindResourceHandle(MAKEINTRESOURCEA(IDD_CLEAVAGE_EDITOR), (LPCSTR)RT_DIALOG));
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
    EXPECT_EQ(nullptr, AfxFindResourceHandle(MAKEINTRESOURCEA(IDD_CLEAVAGE_EDITOR), (LPCSTR)RT_DIALOG));
    EXPECT_EQ(nullptr, PK_RTTI_LINK::Find("EnzymeDlg"));
}
