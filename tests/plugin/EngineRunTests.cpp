// The whole launch: the plug-in starts the real engine on a real parameter file.
#include "LoadedPlugIn.h"
#include "PumpUntil.h"
#include "SampleRun.h"
#include "ScratchFolder.h"


namespace
{
typedef LoadedPlugInTest EngineRunTest;
}

TEST_F(EngineRunTest, RunAnalysisStartsTheEngineWhichWritesTheResult)
{
    ScratchFolder scratch;
    ASSERT_TRUE(CopyFileA(ProgramFolder() + "\\Cleavage.exe", scratch.PathOf("Cleavage.exe"), FALSE))
        << "cannot copy the engine: " << GetLastError();
    ASSERT_TRUE(CreateDirectoryA(scratch.PathOf("run 1"), NULL)) << GetLastError();
    cleavage::Parameters parameters = SampleParameters();
    parameters.resultFile = scratch.PathOf("run 1\\result.tsv").GetString();
    const CString strParamFile = scratch.PathOf("run 1\\cleavage params.txt");
    cleavage::WriteParameterFile(parameters, strParamFile.GetString());

    ASSERT_NE(0xFFFFFFFFu, m_analysis->RunAnalysis(strParamFile)) << m_analysis->GetErrorText();

    // The engine renames its finished tables into place: once there, they are whole.
    const CString strResult = scratch.PathOf("run 1\\result.tsv");
    const CString strError = scratch.PathOf("run 1\\result.tsv.error");
    PumpUntil([&] {
        return GetFileAttributesA(strResult) != INVALID_FILE_ATTRIBUTES ||
               GetFileAttributesA(strError) != INVALID_FILE_ATTRIBUTES;
    }, 10000);
    EXPECT_EQ("", ReadWholeFile(strError));
    EXPECT_EQ(kSampleResult, ReadWholeFile(strResult));
    EXPECT_EQ(kSampleSites, ReadWholeFile(scratch.PathOf("run 1\\result.sites.tsv")));
}
