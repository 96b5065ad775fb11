// The module as the host gets it: loaded by name, its analysis made by GetPlugIn.
#pragma once
#include <TessaroDB.h>

#include <gtest/gtest.h>
#include <memory>

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
        CAnalysisPlugIn* pPlugIn = nullptr;
        ASSERT_EQ(0u, m_pfnGetPlugIn(0, &pPlugIn));
        m_analysis.reset(pPlugIn);
    }
    void TearDown() override
    {
        m_analysis.reset();
        if (m_hModule)
            FreeLibrary(m_hModule);
    }

    HMODULE m_hModule = nullptr;
    GetPlugInFunction m_pfnGetPlugIn = nullptr;
    std::unique_ptr<CAnalysisPlugIn> m_analysis;
};
