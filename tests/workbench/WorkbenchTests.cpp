// The workbench as a user starts it: Workbench.exe run as a separate process in a scratch
// installation (the built engine and the shipped reagent library copied in), its exit
// code, its messages and the table it writes.
#include "ScratchFolder.h"
#include <resource.h>
#include <commctrl.h>

#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace
{
// One column of a tab-separated table, header line excluded.
std::vector<std::string> Column(const std::string& table, size_t nColumn)
{
    std::vector<std::string> values;
    std::istringstream lines(table);
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line))
    {
        std::istringstream cells(line);
        std::string cell;
        for (size_t i = 0; i <= nColumn && std::getline(cells, cell, '\t'); ++i)
        {
        }
        values.push_back(cell);
    }
    return values;
}

const size_t kStartColumn = 1;
const size_t kSequenceColumn = 8;

struct WorkbenchResult
{
    DWORD dwExitCode = 0;
    std::string strErrors;  // what it wrote to stderr
    std::string strTable;   // the --out file
};

class WorkbenchTest : public testing::Test
{
protected:
    // The installation: the engine (unless the test removes it) and the shipped library.
    void SetUp() override
    {
        ASSERT_TRUE(CreateDirectoryA(m_scratch.PathOf("AM"), NULL));
        ASSERT_TRUE(CopyFileA(ProgramFolder() + "\\AM\\Enzymes.dat", m_scratch.PathOf("AM\\Enzymes.dat"), FALSE))
            << "the shipped library is missing: " << GetLastError();
        ASSERT_TRUE(CopyFileA(ProgramFolder() + "\\Cleavage.exe", m_scratch.PathOf("Cleavage.exe"), FALSE));
        WriteWholeFile(m_scratch.PathOf("sample.fasta"), ReadWholeFile(SamplePath()));
    }

    static CString SamplePath() { return ProgramFolder() + "\\samples\\hemoglobin.fasta"; }

    // Runs Workbench.exe /batch with the arguments, the FASTA file and --out added.
    WorkbenchResult RunBatch(const CString& strArguments, LPCSTR lpszFasta = "sample.fasta")
    {
        WorkbenchResult result;
        // Files of their own for each run: the engine may still hold a handle of the last.
        CString strRun;
        strRun.Format("%d", ++m_nRuns);
        const CString strOut = m_scratch.PathOf("out" + strRun + ".tsv");
        const CString strErrors = m_scratch.PathOf("errors" + strRun + ".txt");
        SECURITY_ATTRIBUTES inherit = {sizeof(inherit), NULL, TRUE};
        HANDLE hErrors = CreateFileA(strErrors, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS, 0, NULL);
        EXPECT_NE(INVALID_HANDLE_VALUE, hErrors);
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = hErrors;
        startup.hStdError = hErrors;
        CString strCommand = "\"" + ProgramFolder() + "\\Workbench.exe\" /batch --fasta \"" +
                             m_scratch.PathOf(lpszFasta) + "\" " + strArguments + " --out \"" + strOut + "\"";
        PROCESS_INFORMATION process = {};
        std::vector<char> command((LPCSTR)strCommand, (LPCSTR)strCommand + strCommand.GetLength() + 1);
        const BOOL bStarted = CreateProcessA(NULL, command.data(), NULL, NULL, TRUE, CREATE_NO_WINDOW, NULL, NULL,
                                             &startup, &process);
        CloseHandle(hErrors);
        EXPECT_TRUE(bStarted) << GetLastError();
        if (!bStarted)
            return result;
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 60000)) << "the workbench did not end";
        GetExitCodeProcess(process.hProcess, &result.dwExitCode);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        // stderr is a text stream: its lines end with CR LF.
        result.strErrors = ReadWholeFile(strErrors);
        result.strErrors.erase(std::remove(result.strErrors.begin(), result.strErrors.end(), '\r'),
                               result.strErrors.end());
        result.strTable = ReadWholeFile(strOut);
        return result;
    }

    // Starts the workbench's window on the sample; its main window, once it shows the
    // sample's first record, or NULL.
    HWND OpenWindowOnTheSample(PROCESS_INFORMATION& process, const CString& strMoreArguments = "")
    {
        CString strCommand = "\"" + ProgramFolder() + "\\Workbench.exe\" \"" + m_scratch.PathOf("sample.fasta") + "\" " +
                             strMoreArguments;
        std::vector<char> command((LPCSTR)strCommand, (LPCSTR)strCommand + strCommand.GetLength() + 1);
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        EXPECT_TRUE(CreateProcessA(NULL, command.data(), NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process));
        HWND hWindow = NULL;
        for (int nTry = 0; nTry < 200 && hWindow == NULL && process.hProcess != NULL; ++nTry, Sleep(50))
            hWindow = FindWindowA(NULL, "Cleavage Workbench - HBB_HUMAN");
        return hWindow;
    }

    ScratchFolder m_scratch;
    int m_nRuns = 0;
};

std::vector<std::string> ReagentNamesOfTheList()
{
    std::vector<std::string> names;
    std::istringstream lines(ReadWholeFile(ProgramFolder() + "\\samples\\Reagents.txt"));
    std::string line;
    while (std::getline(lines, line))
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] != '#' && line[0] != ' ')
            names.push_back(line.substr(0, line.find(" = ")));
    }
    return names;
}
}

TEST_F(WorkbenchTest, BatchDigestsEveryRecordWithTheChosenReagent)
{
    const WorkbenchResult trypsin = RunBatch("--reagent Trypsin");
    ASSERT_EQ(0u, trypsin.dwExitCode) << trypsin.strErrors;
    EXPECT_EQ(0u, trypsin.strTable.find("protein\tstart\tend\tlength\tmissed\tprobability\tmono_mass\taverage_mass\t"
                                        "sequence\n"));
    const std::vector<std::string> proteins = Column(trypsin.strTable, 0);
    EXPECT_EQ(15, std::count(proteins.begin(), proteins.end(), "HBB_HUMAN"));
    EXPECT_EQ(14, std::count(proteins.begin(), proteins.end(), "HBA_HUMAN"));
    const std::vector<std::string> sequences = Column(trypsin.strTable, kSequenceColumn);
    ASSERT_GE(sequences.size(), 4u);
    EXPECT_EQ((std::vector<std::string>{"VHLTPEEK", "SAVTALWGK", "VNVDEVGGEALGR", "LLVVYPWTQR"}),
              std::vector<std::string>(sequences.begin(), sequences.begin() + 4));
    EXPECT_NE(trypsin.strTable.find("HBB_HUMAN\t1\t8\t8\t0\t1\t951.502547\t952.0627\tVHLTPEEK\n"), std::string::npos);

    // Lys-C's patterns come from the library too: it does not cut after R.
    const WorkbenchResult lysC = RunBatch("--reagent Lys-C");
    ASSERT_EQ(0u, lysC.dwExitCode) << lysC.strErrors;
    const std::vector<std::string> lysCSequences = Column(lysC.strTable, kSequenceColumn);
    ASSERT_GE(lysCSequences.size(), 3u);
    EXPECT_EQ("VNVDEVGGEALGRLLVVYPWTQRFFESFGDLSTPDAVMGNPK", lysCSequences[2]);
}

TEST_F(WorkbenchTest, BatchOptionsReachTheEngineThroughTheForm)
{
    const WorkbenchResult result = RunBatch("--reagent Trypsin --best 3 --sort position --range 10-60");
    ASSERT_EQ(0u, result.dwExitCode) << result.strErrors;
    EXPECT_EQ((std::vector<std::string>{"10", "18", "31", "10", "12", "17"}), Column(result.strTable, kStartColumn));

    const WorkbenchResult byWeight = RunBatch("--reagent Trypsin --above 50 --sort weight");
    ASSERT_EQ(0u, byWeight.dwExitCode) << byWeight.strErrors;
    const std::vector<std::string> sequences = Column(byWeight.strTable, kSequenceColumn);
    ASSERT_EQ(29u, sequences.size());
    EXPECT_EQ("K", sequences[0]);
    EXPECT_EQ("VK", sequences[1]);
}

TEST_F(WorkbenchTest, WrongOptionsAreRefusedWithTheirMessage)
{
    const WorkbenchResult unknown = RunBatch("--reagent Nope");
    EXPECT_EQ(1u, unknown.dwExitCode);
    EXPECT_NE(unknown.strErrors.find("Unknown reagent 'Nope'"), std::string::npos) << unknown.strErrors;
    EXPECT_NE(unknown.strErrors.find("\n  Trypsin\n"), std::string::npos) << unknown.strErrors;
    EXPECT_TRUE(unknown.strTable.empty());

    const WorkbenchResult both = RunBatch("--reagent Trypsin --best 3 --above 10");
    EXPECT_EQ(2u, both.dwExitCode);
    EXPECT_NE(both.strErrors.find("not both"), std::string::npos) << both.strErrors;

    const WorkbenchResult badRange = RunBatch("--reagent Trypsin --range 9-3");
    EXPECT_EQ(2u, badRange.dwExitCode);
    EXPECT_NE(badRange.strErrors.find("--range"), std::string::npos) << badRange.strErrors;

    // A value out of bounds stops the batch with the engine's message.
    const WorkbenchResult refused = RunBatch("--reagent Trypsin --above 300");
    EXPECT_EQ(1u, refused.dwExitCode);
    EXPECT_NE(refused.strErrors.find("HBB_HUMAN: "), std::string::npos) << refused.strErrors;
    EXPECT_NE(refused.strErrors.find("'analysis_probability': 300 is outside 0..100"), std::string::npos)
        << refused.strErrors;
    EXPECT_TRUE(refused.strTable.empty());
}

TEST_F(WorkbenchTest, BadFastaFilesGetTheirMessageNamingTheLine)
{
    WriteWholeFile(m_scratch.PathOf("plain.txt"), "\nMKWVTR\n");
    WriteWholeFile(m_scratch.PathOf("digit.fasta"), ">one\nMKWV\nMK1V\n");
    WriteWholeFile(m_scratch.PathOf("empty.fasta"), ">one\nMKWV\n>two\n\n>three\nMK\n");
    const struct
    {
        LPCSTR lpszFile;
        LPCSTR lpszMessage;
    } cases[] = {
        {"plain.txt", "line 2: not a FASTA file"},
        {"digit.fasta", "line 3: '1' is not a residue letter"},
        {"empty.fasta", "line 3: the record 'two' has no residues"},
        {"missing.fasta", "cannot open the file"},
    };
    for (const auto& bad : cases)
    {
        const WorkbenchResult result = RunBatch("--reagent Trypsin", bad.lpszFile);
        EXPECT_EQ(1u, result.dwExitCode) << bad.lpszFile;
        EXPECT_NE(result.strErrors.find(bad.lpszMessage), std::string::npos) << result.strErrors;
        EXPECT_TRUE(result.strTable.empty()) << bad.lpszFile;
    }
}

TEST_F(WorkbenchTest, AFailedLaunchShowsTheLaunchError)
{
    ASSERT_TRUE(DeleteFileA(m_scratch.PathOf("Cleavage.exe")));
    const WorkbenchResult result = RunBatch("--reagent Trypsin");
    EXPECT_EQ(1u, result.dwExitCode);
    EXPECT_NE(result.strErrors.find("HBB_HUMAN: Error: 'Cleavage.exe'"), std::string::npos) << result.strErrors;
    EXPECT_TRUE(result.strTable.empty());
}

TEST_F(WorkbenchTest, TheShippedLibraryHoldsEveryReagentOfTheListAndEachRuns)
{
    const std::vector<std::string> names = ReagentNamesOfTheList();
    ASSERT_GE(names.size(), 35u);
    const WorkbenchResult listing = RunBatch("--reagent Nope");
    for (const std::string& name : names)
    {
        EXPECT_NE(listing.strErrors.find("\n  " + name + "\n"), std::string::npos) << name;
        const WorkbenchResult run = RunBatch(("--reagent \"" + name + "\"").c_str());
        EXPECT_EQ(0u, run.dwExitCode) << name << ": " << run.strErrors;
        EXPECT_FALSE(Column(run.strTable, kSequenceColumn).empty()) << name;
    }
}

// The window: opened on the sample with the sample settings, Run (the menu command F5
// sends) fills the table with the engine's fragments, and closing the window ends the
// program.
TEST_F(WorkbenchTest, TheWindowRunsTheAnalysisOnTheOpenedMolecule)
{
    const UINT kRunCommand = 102;
    const int kResultList = 201;
    PROCESS_INFORMATION process = {};
    const HWND hWindow = OpenWindowOnTheSample(process, "/settings \"" + ProgramFolder() + "\\samples\\trypsin.settings\"");
    ASSERT_NE((HWND)NULL, hWindow) << "no window for the sample's first record";
    PostMessageA(hWindow, WM_COMMAND, kRunCommand, 0);
    // Trypsin cuts HBB_HUMAN into 15 fragments, all of them among the best 40.
    LRESULT nRows = 0;
    for (int nTry = 0; nTry < 200 && nRows == 0; ++nTry, Sleep(50))
        nRows = SendMessageA(GetDlgItem(hWindow, kResultList), LVM_GETITEMCOUNT, 0, 0);
    EXPECT_EQ(15, nRows);
    PostMessageA(hWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 10000));
    DWORD dwExitCode = 1;
    GetExitCodeProcess(process.hProcess, &dwExitCode);
    EXPECT_EQ(0u, dwExitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
}
