#include "LoadedPlugIn.h"
#include "PumpUntil.h"
#include "ScratchFolder.h"

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
    PumpUntil([&] { return GetFileAttributesA(strPath) != INVALID_FILE_ATTRIBUTES; });
    std::vector<std::string> lines;
    std::ifstream in(strPath.GetString());
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

const DWORD kLaunchFailed = 0xFFFFFFFF;

typedef LoadedPlugInTest EngineLaunchTest;

void InstallEngine(const ScratchFolder& scratch)
{
    ASSERT_TRUE(CopyFileA(ProgramFolder() + "\\CleavageEngineStub.exe", scratch.PathOf("Cleavage.exe"), FALSE))
        << "cannot copy the engine stand-in: " << GetLastError();
}
}

TEST_F(EngineLaunchTest, PathWithBlanksArrivesAsOneQuotedArgument)
{
    ScratchFolder scratch;
    InstallEngine(scratch);
    const CString strParamFile = scratch.PathOf("run 1\\cleavage params.txt");

    const DWORD dwResult = m_analysis->RunAnalysis(strParamFile);
    EXPECT_NE(kLaunchFailed, dwResult);
    EXPECT_NE(0u, dwResult);
    EXPECT_TRUE(m_analysis->GetErrorText().IsEmpty());

    const std::vector<std::string> expected = {"/f", strParamFile.GetString()};
    EXPECT_EQ(expected, WaitForEngineArguments(scratch));
}

TEST_F(EngineLaunchTest, MissingEngineFailsWithSystemTextThatLastsUntilTheNextEditorOrLaunchCall)
{
    ScratchFolder scratch;
    EXPECT_EQ(kLaunchFailed, m_analysis->RunAnalysis("C:\\params.txt"));
    const CString strExpected = CString("Error: 'Cleavage.exe'\n\n") + SystemText(ERROR_FILE_NOT_FOUND);
    ASSERT_GT(strExpected.GetLength(), (int)strlen("Error: 'Cleavage.exe'\n\n"));
    EXPECT_STREQ(strExpected, m_analysis->GetErrorText());
    EXPECT_STREQ(strExpected, m_analysis->GetErrorText()) << "reading the text must not clear it";
    m_analysis->CreateEditor(nullptr);
    EXPECT_TRUE(m_analysis->GetErrorText().IsEmpty());

    m_analysis->RunAnalysis("C:\\params.txt");
    m_analysis->SetReadOnly(nullptr, nullptr, FALSE);
    EXPECT_TRUE(m_analysis->GetErrorText().IsEmpty());

    m_analysis->RunAnalysis("C:\\params.txt");
    InstallEngine(scratch);
    EXPECT_NE(kLaunchFailed, m_analysis->RunAnalysis("C:\\params.txt"));
    EXPECT_TRUE(m_analysis->GetErrorText().IsEmpty());
    WaitForEngineArguments(scratch);
}
