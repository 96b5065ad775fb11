// One analysis run as the workbench makes it, with a stand-in analysis: the parameter
// file it writes, a failed launch, and Cancel ending an engine that does not end itself.
#include "AnalysisRun.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>
#include <map>

namespace
{
// An analysis that keeps the parameter file it is given and starts the named program,
// or fails with a launch error when there is none.
class CStandInAnalysis : public CAnalysisPlugIn
{
public:
    explicit CStandInAnalysis(LPCSTR lpszProgram) : m_strProgram(lpszProgram) {}

    bool IsKindAccepted(int) override { return true; }
    int GetAnalysisCode() override { return 0; }
    CString GetErrorText() override { return "Error: 'stand-in'"; }
    CAnalysisData* CreateData(CAnalysisHeaderBase*) override { return NULL; }
    CWnd* CreateEditor(CWnd*) override { return NULL; }
    int ExchangeData(CWnd*, CAnalysisContext*, BOOL) override { return 0; }
    void SetReadOnly(CWnd*, CAnalysisContext*, BOOL) override {}
    int IsAcceptable(CAnalysisHeaderBase*, CAnalysisData*) override { return 1; }
    void SetRange(CWnd*, LPCSTR, int, int, int) override {}
    DWORD RunAnalysis(LPCSTR lpszParamFile) override
    {
        m_strParameters = ReadWholeFile(lpszParamFile);
        const CString strFolder = CString(lpszParamFile).Left(CString(lpszParamFile).ReverseFind('\\') + 1);
        for (const auto& file : m_engineFiles)
        {
            CString strError;
            EXPECT_TRUE(WriteTextFile(strFolder + file.first, file.second, strError)) << strError;
        }
        m_dwProcessId = m_strProgram.IsEmpty() ? 0xFFFFFFFF : StartProcess(m_strProgram, "");
        return m_dwProcessId;
    }

    CString m_strProgram;
    // Files written beside the parameter file, as if by the engine: name and text.
    std::map<CString, CString> m_engineFiles;
    std::string m_strParameters;
    DWORD m_dwProcessId = 0;
};
}

TEST(AnalysisRunTest, TheParameterFileHoldsTheSettingsTheMoleculeAndTheResultFile)
{
    CKeyValueStorage settings;
    settings.SetValue("enz_name", CString("Trypsin"));
    settings.SetValue("sorting", 2);
    CStandInAnalysis analysis("");
    CAnalysisRun run;
    EXPECT_FALSE(run.Run(analysis, settings, "HBB_HUMAN", "VHLTPEEK"));
    EXPECT_EQ("enz_name=Trypsin\n"
              "molecule_name=HBB_HUMAN\n"
              "result_file=result.tsv\n"
              "sequence=VHLTPEEK\n"
              "sorting=2\n",
              analysis.m_strParameters);
    // A failed launch reports the analysis's own error text.
    EXPECT_STREQ("Error: 'stand-in'", run.GetError());
}

TEST(AnalysisRunTest, CancelEndsAnEngineThatRunsOn)
{
    ScratchFolder scratch;
    ASSERT_TRUE(CopyFileA(ProgramFolder() + "\\WineIdle.exe", scratch.PathOf("WineIdle.exe"), FALSE));
    CStandInAnalysis analysis("WineIdle.exe");
    CAnalysisRun run;
    int nCalls = 0;
    EXPECT_FALSE(run.Run(analysis, CKeyValueStorage(), "m", "MK", [&]() { return ++nCalls < 3; }));
    EXPECT_STREQ("The run was cancelled.", run.GetError());
    EXPECT_EQ(3, nCalls);
    HANDLE hProcess = OpenProcess(SYNCHRONIZE, FALSE, analysis.m_dwProcessId);
    if (hProcess != NULL)
    {
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hProcess, 0)) << "the engine still runs";
        CloseHandle(hProcess);
    }
}

// An engine that ends without a table is reported with its message: the result's error
// file, or the parameter file's when it did not know the result.
TEST(AnalysisRunTest, AnEngineThatEndsWithoutATableIsReported)
{
    ScratchFolder scratch;
    ASSERT_TRUE(CopyFileA(ProgramFolder() + "\\CleavageEngineStub.exe", scratch.PathOf("stub.exe"), FALSE));
    const struct
    {
        LPCSTR lpszErrorFile;  // written by the engine, or NULL
        LPCSTR lpszError;      // the run's error
    } cases[] = {
        {NULL, "The engine ended without writing its table or a message."},  // no file: the workbench says so
        {"result.tsv.error", "result.tsv: cannot write"},                  // the result's: its message
        {"parameters.txt.error", "parameters.txt, line 3: no key"},        // no result known: the parameter file's
    };
    for (const auto& c : cases)
    {
        CStandInAnalysis analysis("stub.exe");
        if (c.lpszErrorFile != NULL)
            analysis.m_engineFiles[c.lpszErrorFile] = CString(c.lpszError) + "\r\n";
        CAnalysisRun run;
        EXPECT_FALSE(run.Run(analysis, CKeyValueStorage(), "m", "MK"));
        EXPECT_STREQ(c.lpszError, run.GetError());
    }
}

TEST(AnalysisRunTest, TheSiteTableIsReadBesideTheFragmentTable)
{
    ScratchFolder scratch;
    ASSERT_TRUE(CopyFileA(ProgramFolder() + "\\CleavageEngineStub.exe", scratch.PathOf("stub.exe"), FALSE));
    CStandInAnalysis analysis("stub.exe");
    analysis.m_engineFiles["result.tsv"] = "fragments\n";
    analysis.m_engineFiles["result.sites.tsv"] = "sites\n";
    CAnalysisRun run;
    EXPECT_TRUE(run.Run(analysis, CKeyValueStorage(), "m", "MK")) << run.GetError();
    EXPECT_STREQ("fragments\n", run.GetTable());
    EXPECT_STREQ("sites\n", run.GetSites());

    // The engine writes both or neither: one without the other is not a result.
    analysis.m_engineFiles.erase("result.sites.tsv");
    CAnalysisRun incomplete;
    EXPECT_FALSE(incomplete.Run(analysis, CKeyValueStorage(), "m", "MK"));
    EXPECT_EQ(0, incomplete.GetError().Find("The engine wrote its fragment table but no site table")) << incomplete.GetError();
    EXPECT_STREQ("", incomplete.GetTable());
}
