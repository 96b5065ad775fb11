#include "CCleavageAnalysis.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>
#include <fstream>
#include <string>
#include <vector>

namespace
{
// The system's text for an error code, exactly as FormatMessageA gives it.
CString SystemText(DWORD dwError)
{
    char szText[512] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, dwError,
                   MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), szText, sizeof(szText), NULL);
    return szText;
}

// Waits for the engine stand-in to write its arguments file, then returns its lines.
std::vector<std::string> WaitForEngineArguments(const ScratchFolder& scratch)
{
    const CString strPath = scratch.PathOf("arguments.txt");
    for (int nTry = 0; nTry < 200 && GetFileAttributesA(strPath) == INVALID_FILE_ATTRIBUTES; ++nTry)
        Sleep(25);
    std::vector<std::string> lines;
    std::ifstream in(strPath.GetString());
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

void InstallEngine(const ScratchFolder& scratch)
{
    ASSERT_TRUE(CopyFileA(ProgramFolder() + "\\CleavageEngineStub.exe", scratch.PathOf("Cleavage.exe"), FALSE))
        << "cannot copy the engine stand-in: " << GetLastError();
}

class ProcessStarter : public CCleavageAnalysis
{
public:
    using CAnalysisPlugIn::StartProcess;
};
}

TEST(EngineLaunchTest, PathWithBlanksArrivesAsOneQuotedArgument)
{
    ScratchFolder scratch;
    InstallEngine(scratch);
    const CString strParamFile = scratch.PathOf("run 1\\cleavage params.txt");

    CCleavageAnalysis analysis;
    const DWORD dwResult = analysis.RunAnalysis(strParamFile);
    EXPECT_NE(CCleavageAnalysis::kLaunchFailed, dwResult);
    EXPECT_NE(0u, dwResult);
    EXPECT_TRUE(analysis.GetErrorText().IsEmpty());

    const std::vector<std::string> expected = {"/f", strParamFile.GetString()};
    EXPECT_EQ(expected, WaitForEngineArguments(scratch));
}

TEST(EngineLaunchTest, MissingEngineFailsWithPrefixedSystemText)
{
    ScratchFolder scratch;
    CCleavageAnalysis analysis;
    EXPECT_EQ(CCleavageAnalysis::kLaunchFailed, analysis.RunAnalysis("C:\\params.txt"));
    const CString strExpected = CString("Error: 'Cleavage.exe'\n\n") + SystemText(ERROR_FILE_NOT_FOUND);
    EXPECT_STREQ(strExpected, analysis.GetErrorText());
    EXPECT_GT(strExpected.GetLength(), (int)strlen("Error: 'Cleavage.exe'\n\n"));
}

TEST(EngineLaunchTest, ErrorTextLastsUntilTheNextEditorOrLaunchCall)
{
    ScratchFolder scratch;
    CCleavageAnalysis analysis;
    analysis.RunAnalysis("C:\\params.txt");
    EXPECT_FALSE(analysis.GetErrorText().IsEmpty());
    EXPECT_FALSE(analysis.GetErrorText().IsEmpty()) << "reading the text must not clear it";
    analysis.CreateEditor(nullptr);
    EXPECT_TRUE(analysis.GetErrorText().IsEmpty());

    analysis.RunAnalysis("C:\\params.txt");
    analysis.SetReadOnly(nullptr, nullptr, FALSE);
    EXPECT_TRUE(analysis.GetErrorText().IsEmpty());

    analysis.RunAnalysis("C:\\params.txt");
    InstallEngine(scratch);
    EXPECT_NE(CCleavageAnalysis::kLaunchFailed, analysis.RunAnalysis("C:\\params.txt"));
    EXPECT_TRUE(analysis.GetErrorText().IsEmpty());
    WaitForEngineArguments(scratch);
}

TEST(EngineLaunchTest, StartProcessKeepsTheSystemErrorCode)
{
    ScratchFolder scratch;
    ProcessStarter starter;
    SetLastError(0);
    EXPECT_EQ(0xFFFFFFFFu, starter.StartProcess("Cleavage.exe", "/f \"x\""));
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, GetLastError());
}
