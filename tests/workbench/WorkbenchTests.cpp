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
const size_t kMissedColumn = 4;
const size_t kSequenceColumn = 8;

struct WorkbenchResult
{
    DWORD dwExitCode = 0;
    std::string strErrors;  // what it wrote to stderr
    std::string strTable;   // the --out file
};

// A program started in the scratch folder, its standard streams going to a file.
struct StartedProgram
{
    PROCESS_INFORMATION process = {};
    CString strStreams;  // the file of its standard streams
    CString strOut;      // the file it writes its table to
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

    StartedProgram Start(const CString& strCommand, const CString& strOut)
    {
        StartedProgram program;
        // Files of their own for each run: the engine may still hold a handle of the last.
        program.strStreams.Format("%s\\streams%d.txt", (LPCSTR)m_scratch.GetPath(), ++m_nRuns);
        program.strOut = strOut;
        SECURITY_ATTRIBUTES inherit = {sizeof(inherit), NULL, TRUE};
        HANDLE hStreams = CreateFileA(program.strStreams, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                      CREATE_ALWAYS, 0, NULL);
        EXPECT_NE(INVALID_HANDLE_VALUE, hStreams);
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = hStreams;
        startup.hStdError = hStreams;
        std::vector<char> command((LPCSTR)strCommand, (LPCSTR)strCommand + strCommand.GetLength() + 1);
        EXPECT_TRUE(CreateProcessA(NULL, command.data(), NULL, NULL, TRUE, CREATE_NO_WINDOW, NULL, m_scratch.GetPath(),
                                   &startup, &program.process))
            << GetLastError();
        CloseHandle(hStreams);
        return program;
    }

    WorkbenchResult Finish(StartedProgram& program)
    {
        WorkbenchResult result;
        if (program.process.hProcess == NULL)
            return result;
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(program.process.hProcess, 60000)) << "the program did not end";
        GetExitCodeProcess(program.process.hProcess, &result.dwExitCode);
        CloseHandle(program.process.hProcess);
        CloseHandle(program.process.hThread);
        // stderr is a text stream: its lines end with CR LF.
        result.strErrors = ReadWholeFile(program.strStreams);
        result.strErrors.erase(std::remove(result.strErrors.begin(), result.strErrors.end(), '\r'),
                               result.strErrors.end());
        result.strTable = ReadWholeFile(program.strOut);
        return result;
    }

    // Starts Workbench.exe /batch with the arguments, the FASTA file and --out (in the
    // scratch folder) added.
    StartedProgram StartBatch(const CString& strArguments, LPCSTR lpszFasta = "sample.fasta",
                              LPCSTR lpszOut = NULL)
    {
        CString strOut;
        strOut.Format("%s\\out%d.tsv", (LPCSTR)m_scratch.GetPath(), m_nRuns + 1);
        if (lpszOut != NULL)
            strOut = m_scratch.PathOf(lpszOut);
        return Start("\"" + ProgramFolder() + "\\Workbench.exe\" /batch --fasta \"" + m_scratch.PathOf(lpszFasta) +
                         "\" " + strArguments + " --out \"" + strOut + "\"",
                     strOut);
    }

    WorkbenchResult RunBatch(const CString& strArguments, LPCSTR lpszFasta = "sample.fasta", LPCSTR lpszOut = NULL)
    {
        StartedProgram batch = StartBatch(strArguments, lpszFasta, lpszOut);
        return Finish(batch);
    }

    // Starts the workbench's window on the sample; its main window, once it shows the
    // sample's first record, or NULL.
    HWND OpenWindowOnTheSample(StartedProgram& program, const CString& strMoreArguments = "")
    {
        program = Start("\"" + ProgramFolder() + "\\Workbench.exe\" \"" + m_scratch.PathOf("sample.fasta") + "\" " +
                            strMoreArguments,
                        "");
        HWND hWindow = NULL;
        for (int nTry = 0; nTry < 200 && hWindow == NULL && program.process.hProcess != NULL; ++nTry, Sleep(50))
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

// The sample settings (Trypsin) as the engine's parameter file for a batch of the sample.
std::string SampleBatchParameters(const std::string& strMoreKeys)
{
    std::string parameters = ReadWholeFile(ProgramFolder() + "\\samples\\trypsin.settings");
    const std::string best = "analysis_fragments=40\n";
    parameters.replace(parameters.find(best), best.size(), "analysis_fragments=2147483647\n");
    return parameters + "fasta=sample.fasta\n" + strMoreKeys;
}
}

// One engine run for the whole file: the table is the engine's own, byte for byte, for
// the same settings and filters.
TEST_F(WorkbenchTest, TheBatchTableIsTheEnginesOwnForTheSameSettings)
{
    const struct
    {
        const char* keys;      // the engine's
        const char* arguments; // the batch's
        const char* row;       // a row the table holds
    } cases[] = {
        {"min_length=3\nmax_length=10\n", "--min-length 3 --max-length 10", "HBA_HUMAN\t1\t7\t7\t0\t1\t"},
        // Two modifications of one place: their forms in the order given.
        {"specificity=semi\nvariable_mod=Deamidated (Q)\nvariable_mod=Gln->pyro-Glu (N-term Q)\nmax_length=6\n",
         "--specificity semi --variable-mod \"Deamidated (Q)\" --variable-mod \"Gln->pyro-Glu (N-term Q)\" "
         "--max-length 6",
         "HBB_HUMAN\t39\t40\t2\t0\t1\t303.154270\t303.3150\tQR\tQ39:Deamidated\n"
         "HBB_HUMAN\t39\t40\t2\t0\t1\t285.143705\t285.2997\tQR\tQ39:Gln->pyro-Glu\n"},
        // The keys for mass spectrometry, each option once (a list key twice).
        {"specificity=semi\nalso_reagent=Lys-C\nalso_reagent=Asp-N\nfixed_mod=Carbamidomethyl (C)\n"
         "variable_mod=Oxidation (M)\nmax_variable_mods=1\ncharges=1-2\nmin_mass=400\nmax_mass=700.5\n"
         "max_length=6\n",
         "--specificity semi --also-reagent Lys-C --also-reagent Asp-N --fixed-mod \"Carbamidomethyl (C)\" "
         "--variable-mod \"Oxidation (M)\" --max-variable-mods 1 --charges 1-2 --min-mass 400 --max-mass 700.5 "
         "--max-length 6",
         "HBB_HUMAN\t52\t55\t4\t0\t1\t450.178436\t450.5072\tDAVM\tM55:Oxidation\t451.185712\t226.096494\n"},
    };
    for (const auto& c : cases)
    {
        WriteWholeFile(m_scratch.PathOf("engine.txt"),
                       SampleBatchParameters(std::string("result_file=engine.tsv\n") + c.keys));
        StartedProgram engine = Start("Cleavage.exe /f \"" + m_scratch.PathOf("engine.txt") + "\"",
                                      m_scratch.PathOf("engine.tsv"));
        const WorkbenchResult byEngine = Finish(engine);
        ASSERT_EQ(0u, byEngine.dwExitCode) << byEngine.strErrors;
        const WorkbenchResult batch = RunBatch(CString("--reagent Trypsin --sort position ") + c.arguments);
        ASSERT_EQ(0u, batch.dwExitCode) << batch.strErrors;
        EXPECT_EQ(byEngine.strTable, batch.strTable);
        EXPECT_NE(std::string::npos, batch.strTable.find(c.row)) << batch.strTable;
    }
}

TEST_F(WorkbenchTest, BatchOptionsReachTheEngineThroughTheForm)
{
    // Every fragment above 0 unless asked otherwise: Proteinase K cuts HBB_HUMAN into more
    // than the form's usual best 40.
    const WorkbenchResult all = RunBatch("--reagent \"Proteinase K\"");
    ASSERT_EQ(0u, all.dwExitCode) << all.strErrors;
    const std::vector<std::string> proteins = Column(all.strTable, 0);
    EXPECT_GT(std::count(proteins.begin(), proteins.end(), "HBB_HUMAN"), 40);

    // A range: positions stay the molecule's.
    const WorkbenchResult result = RunBatch("--reagent Trypsin --best 3 --sort position --range 10-60");
    ASSERT_EQ(0u, result.dwExitCode) << result.strErrors;
    EXPECT_EQ((std::vector<std::string>{"10", "18", "31", "10", "12", "17"}), Column(result.strTable, kStartColumn));
    // So do the places of modifications, and a protein terminus is the molecule's own:
    // residue 20 carries no acetyl, and M55 is named M55.
    const WorkbenchResult modified = RunBatch("--reagent Trypsin --range 20-120 --variable-mod \"Oxidation (M)\" "
                                              "--fixed-mod \"Acetyl (Protein N-term)\"");
    ASSERT_EQ(0u, modified.dwExitCode) << modified.strErrors;
    EXPECT_NE(std::string::npos, modified.strTable.find("HBB_HUMAN\t20\t30\t11\t0\t1\t1100.546203\t"));
    EXPECT_NE(std::string::npos, modified.strTable.find("\tFFESFGDLSTPDAVMGNPK\tM55:Oxidation\n"));
    // A protein as long as the range is analysed whole: HBA_HUMAN has 141 residues.
    const WorkbenchResult whole = RunBatch("--reagent Trypsin --range 1-141");
    EXPECT_EQ(0u, whole.dwExitCode) << whole.strErrors;
    EXPECT_NE(std::string::npos, whole.strTable.find("HBA_HUMAN\t140\t141\t2\t0\t1\t")) << whole.strTable;
    // One residue is a range too: each protein gives that residue alone.
    const WorkbenchResult one = RunBatch("--reagent Trypsin --range 9-9");
    ASSERT_EQ(0u, one.dwExitCode) << one.strErrors;
    EXPECT_EQ((std::vector<std::string>{"S", "N"}), Column(one.strTable, kSequenceColumn));

    const WorkbenchResult byWeight = RunBatch("--reagent Trypsin --above 50 --sort weight");
    ASSERT_EQ(0u, byWeight.dwExitCode) << byWeight.strErrors;
    const std::vector<std::string> sequences = Column(byWeight.strTable, kSequenceColumn);
    ASSERT_EQ(29u, sequences.size());
    EXPECT_EQ("K", sequences[0]);
    EXPECT_EQ("VK", sequences[1]);

    // A protein shorter than the range is left out with a warning; the others are analysed.
    WriteWholeFile(m_scratch.PathOf("short.fasta"), ">short\nMKWVTR\n" + ReadWholeFile(SamplePath()));
    const WorkbenchResult shortOne = RunBatch("--reagent Trypsin --range 3-10", "short.fasta");
    EXPECT_EQ(3u, shortOne.dwExitCode) << shortOne.strErrors;
    EXPECT_EQ("cleavage: warning: " + std::string(m_scratch.PathOf("short.fasta")) +
                  ", line 1: the record 'short' has 6 residues, fewer than the range 3..10: left out\n",
              shortOne.strErrors);
    const std::vector<std::string> analysed = Column(shortOne.strTable, 0);
    EXPECT_EQ(0, std::count(analysed.begin(), analysed.end(), "short"));
    EXPECT_GT(std::count(analysed.begin(), analysed.end(), "HBA_HUMAN"), 0);
}

// Observed masses go to the engine with the settings, and their matches table to --matches.
TEST_F(WorkbenchTest, TheBatchMatchesObservedMasses)
{
    WriteWholeFile(m_scratch.PathOf("peaks.txt"), "1274.7256\t2810\n952.5098\t1520\n");
    const WorkbenchResult result = RunBatch("--reagent Trypsin --best 3 --masses \"" +
                                            m_scratch.PathOf("peaks.txt") + "\" --matches \"" +
                                            m_scratch.PathOf("matches.tsv") + "\"");
    ASSERT_EQ(0u, result.dwExitCode) << result.strErrors;
    const std::string matches = ReadWholeFile(m_scratch.PathOf("matches.tsv"));
    EXPECT_NE(std::string::npos, matches.find("1274.7256\t\t1273.718324\t2810\tHBB_HUMAN\t31\t40\tLLVVYPWTQR\t"))
        << matches;
    EXPECT_NE(std::string::npos, matches.find("952.5098\t\t951.502524\t1520\tHBB_HUMAN\t1\t8\tVHLTPEEK\t"));
    EXPECT_NE(std::string::npos, result.strErrors.find("cleavage: matched 2 of 2 observed values")) << result.strErrors;
}

// The keys the batch gives the engine beside the form's: the range through the form, its
// progress asked for, the user's own FASTA file.
TEST_F(WorkbenchTest, TheBatchGivesTheEngineTheRangeAndAsksForProgress)
{
    ASSERT_TRUE(CopyFileA(ProgramFolder() + "\\CleavageEngineStub.exe", m_scratch.PathOf("Cleavage.exe"), FALSE));
    const WorkbenchResult batch = RunBatch("--reagent Trypsin --range 20-120");
    EXPECT_EQ(1u, batch.dwExitCode) << "the stub writes no table";
    const std::string parameters = "\n" + ReadWholeFile(m_scratch.PathOf("parameters.txt"));
    const std::string fasta = "fasta=" + std::string(m_scratch.PathOf("sample.fasta"));
    for (const std::string& key : {std::string("range=1"), std::string("analysis_from=20"),
                                   std::string("analysis_to=120"), std::string("progress=1"), fasta})
        EXPECT_NE(std::string::npos, parameters.find("\n" + key + "\n")) << key << " in\n" << parameters;
}

// In a partial digest (Trypsin at 90 %) fragments with missed sites are above 0: --missed 0
// leaves the full digest's 29.
TEST_F(WorkbenchTest, MissedZeroKeepsTheFragmentsWithoutAMissedSite)
{
    WriteWholeFile(m_scratch.PathOf("partial.txt"), "Trypsin = 90 / 100\n  recognition P1: KR {P}\n");
    StartedProgram make = Start("\"" + ProgramFolder() + "\\MakeReagentLibrary.exe\" partial.txt AM\\Enzymes.dat", "");
    ASSERT_EQ(0u, Finish(make).dwExitCode);
    const WorkbenchResult partial = RunBatch("--reagent Trypsin");
    ASSERT_EQ(0u, partial.dwExitCode) << partial.strErrors;
    EXPECT_GT(Column(partial.strTable, kMissedColumn).size(), 29u);
    const WorkbenchResult none = RunBatch("--reagent Trypsin --missed 0");
    ASSERT_EQ(0u, none.dwExitCode) << none.strErrors;
    EXPECT_EQ(std::vector<std::string>(29, "0"), Column(none.strTable, kMissedColumn));
}

// Each option is checked before any work, and its message names the option and the text
// typed, never a file or key of the engine's.
TEST_F(WorkbenchTest, WrongOptionsAreRefusedFirstWithTheirMessage)
{
    const struct
    {
        LPCSTR lpszArguments;
        LPCSTR lpszOut;  // NULL: a file in the scratch folder
        LPCSTR lpszMessage;
    } cases[] = {
        // An unknown reagent: the names of the library
        {"--reagent trypsin", NULL, "Unknown reagent 'trypsin' (letter case counts). The reagents are:\n"},
        {"--reagent Trypsin --best 3 --above 10", NULL, "--best and --above: give one of them, not both\n"},
        {"--reagent Trypsin --best abc", NULL, "--best abc: not a whole number\n"},
        {"--reagent Trypsin --best 99999999999", NULL, "--best 99999999999: a whole number of fragments from 1 to"},
        {"--reagent Trypsin --best 0", NULL, "--best 0: a whole number of fragments from 1 to 2147483647\n"},
        {"--reagent Trypsin --above 50.5", NULL, "--above 50.5: a whole percent from 0 to 100\n"},
        {"--reagent Trypsin --above 300", NULL, "--above 300: a whole percent from 0 to 100\n"},
        {"--reagent Trypsin --missed -1", NULL, "--missed -1: a whole number of sites from 0 to 2147483647\n"},
        {"--reagent Trypsin --min-length x", NULL, "--min-length x: not a whole number\n"},
        {"--reagent Trypsin --range 9-3", NULL, "--range 9-3: two positions A-B with 1 <= A <= B\n"},
        {"--reagent Trypsin --range 3", NULL, "--range 3: two positions A-B with 1 <= A <= B\n"},
        {"--reagent Trypsin --sort size", NULL, "--sort size: probability, weight or position\n"},
        {"--reagent Trypsin --bets 3", NULL, "--bets: not an option of the batch\n"},
        // Then the options, the engine's keys of matching inside the mass list's brackets
        {"--reagent Trypsin --bets 3", NULL,
         "\nUsage: Workbench.exe /batch --fasta FILE --reagent NAME [--best N | --above P]"
         " [--sort probability|weight|position] [--range A-B] [--missed N] [--min-length N] [--max-length N]"
         " [--specificity full|semi] [--also-reagent NAME]... [--fixed-mod NAME]... [--variable-mod NAME]..."
         " [--max-variable-mods N] [--charges A-B] [--min-mass DA] [--max-mass DA]"
         " [--masses FILE [--observed M|MH+|mz] [--mass-type mono|average] [--tolerance 20ppm|0.5Da|0.1%]"
         " --matches FILE] [--background P] --out FILE\n"},
        // The engine's keys, by the engine's own checks
        {"--reagent Trypsin --specificity half", NULL, "--specificity: \"half\" is neither full nor semi\n"},
        {"--reagent Trypsin --also-reagent lys-c", NULL,
         "--also-reagent: \"lys-c\" is not a reagent of the shipped list; it holds Trypsin,"},
        {"--reagent Trypsin --variable-mod Oxidation", NULL,
         "--variable-mod: \"Oxidation\" is not a modification the engine knows; it knows"},
        {"--reagent Trypsin --charges 4-2", NULL, "--charges: \"4-2\" is not a range of charges A-B"},
        {"--reagent Trypsin --max-variable-mods 9", NULL, "--max-variable-mods: 9 is outside 0..8\n"},
        {"--reagent Trypsin --min-mass 9 --max-mass 8.5", NULL,
         "--min-mass: min_mass 9.000000 is above max_mass 8.500000 (--max-mass)\n"},
        // Observed masses: both files, and the engine's checks of how they are matched
        {"--reagent Trypsin --masses m.txt", NULL, "--masses and --matches: give both"},
        {"--reagent Trypsin --tolerance 5ppm", NULL, "--tolerance: tolerance says how to match observed masses, but"},
        {"--reagent Trypsin --background 101", NULL, "--background: "},
        // The output's folder, before the proteins are analysed
        {"--reagent Trypsin", "missing\\out.tsv", "missing\\out.tsv: the folder "},
    };
    for (const auto& wrong : cases)
    {
        const WorkbenchResult result = RunBatch(wrong.lpszArguments, "sample.fasta", wrong.lpszOut);
        EXPECT_EQ(2u, result.dwExitCode) << wrong.lpszArguments;
        EXPECT_NE(std::string::npos, result.strErrors.find(wrong.lpszMessage)) << result.strErrors;
        EXPECT_EQ(std::string::npos, result.strErrors.find("parameters")) << result.strErrors;
        EXPECT_TRUE(result.strTable.empty()) << wrong.lpszArguments;
    }
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
        {"plain.txt", "plain.txt, line 2: "},
        {"digit.fasta", "digit.fasta, line 3: '1'"},
        {"empty.fasta", "empty.fasta, line 3: "},
        {"missing.fasta", "missing.fasta: cannot open the FASTA file"},
    };
    for (const auto& bad : cases)
    {
        const WorkbenchResult result = RunBatch("--reagent Trypsin", bad.lpszFile);
        EXPECT_EQ(1u, result.dwExitCode) << bad.lpszFile;
        // Said once, by the engine.
        const size_t nSaid = result.strErrors.find(bad.lpszMessage);
        EXPECT_NE(nSaid, std::string::npos) << result.strErrors;
        EXPECT_EQ(result.strErrors.rfind(bad.lpszMessage), nSaid) << result.strErrors;
        EXPECT_TRUE(result.strTable.empty()) << bad.lpszFile;
    }
}

TEST_F(WorkbenchTest, AFailedLaunchShowsTheLaunchError)
{
    ASSERT_TRUE(DeleteFileA(m_scratch.PathOf("Cleavage.exe")));
    const WorkbenchResult result = RunBatch("--reagent Trypsin");
    EXPECT_EQ(1u, result.dwExitCode);
    EXPECT_NE(result.strErrors.find("Error: 'Cleavage.exe'"), std::string::npos) << result.strErrors;
    EXPECT_TRUE(result.strTable.empty());
}

// The library holds every reagent of the reviewed list; the engine's own tests run each
// of them, so here a reagent other than Trypsin shows its patterns come from the library:
// Lys-C does not cut after R.
TEST_F(WorkbenchTest, TheShippedLibraryHoldsEveryReagentOfTheList)
{
    const std::vector<std::string> names = ReagentNamesOfTheList();
    ASSERT_GE(names.size(), 35u);
    // In the form's list order: as the system compares names, letter case ignored.
    std::vector<std::string> sorted = names;
    std::stable_sort(sorted.begin(), sorted.end(), [](const std::string& a, const std::string& b) {
        return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_LESS_THAN;
    });
    std::string strListed;
    for (const std::string& name : sorted)
        strListed += "\n  " + name;
    const WorkbenchResult listing = RunBatch("--reagent Nope");
    EXPECT_NE(std::string::npos, listing.strErrors.find(strListed + "\n")) << listing.strErrors;
    const WorkbenchResult lysC = RunBatch("--reagent Lys-C");
    ASSERT_EQ(0u, lysC.dwExitCode) << lysC.strErrors;
    const std::vector<std::string> sequences = Column(lysC.strTable, kSequenceColumn);
    ASSERT_GE(sequences.size(), 3u);
    EXPECT_EQ("VNVDEVGGEALGRLLVVYPWTQRFFESFGDLSTPDAVMGNPK", sequences[2]);
}

// Two batches at once from one installation, while another program reads the library for
// a moment: both wait for it and both write the whole table. One that never gets the
// library says which file and why.
TEST_F(WorkbenchTest, BatchesAtOnceWaitForTheLibrary)
{
    HANDLE hLibrary = CreateFileA(m_scratch.PathOf("AM\\Enzymes.dat"), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hLibrary);
    StartedProgram first = StartBatch("--reagent Trypsin");
    StartedProgram second = StartBatch("--reagent Trypsin");
    // The scenario: the other reader keeps the library for a second.
    Sleep(1000);
    CloseHandle(hLibrary);
    const WorkbenchResult firstResult = Finish(first);
    const WorkbenchResult secondResult = Finish(second);
    EXPECT_EQ(0u, firstResult.dwExitCode) << firstResult.strErrors;
    EXPECT_EQ(0u, secondResult.dwExitCode) << secondResult.strErrors;
    EXPECT_EQ(29u, Column(firstResult.strTable, 0).size());
    EXPECT_EQ(firstResult.strTable, secondResult.strTable);

    hLibrary = CreateFileA(m_scratch.PathOf("AM\\Enzymes.dat"), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    const WorkbenchResult held = RunBatch("--reagent Trypsin");
    CloseHandle(hLibrary);
    EXPECT_EQ(1u, held.dwExitCode);
    EXPECT_NE(std::string::npos, held.strErrors.find("\\AM\\Enzymes.dat is held by another program")) << held.strErrors;
    EXPECT_TRUE(held.strTable.empty());
}

// The window: opened on the sample with the sample settings, Run (the menu command F5
// sends) fills the table with the engine's fragments, and closing the window ends the
// program.
TEST_F(WorkbenchTest, TheWindowRunsTheAnalysisOnTheOpenedMolecule)
{
    const UINT kRunCommand = 102;
    const int kResultList = 201;
    StartedProgram program;
    const HWND hWindow = OpenWindowOnTheSample(program, "/settings \"" + ProgramFolder() + "\\samples\\trypsin.settings\"");
    ASSERT_NE((HWND)NULL, hWindow) << "no window for the sample's first record";
    PostMessageA(hWindow, WM_COMMAND, kRunCommand, 0);
    // Trypsin cuts HBB_HUMAN into 15 fragments, all of them among the best 40.
    LRESULT nRows = 0;
    for (int nTry = 0; nTry < 200 && nRows == 0; ++nTry, Sleep(50))
        nRows = SendMessageA(GetDlgItem(hWindow, kResultList), LVM_GETITEMCOUNT, 0, 0);
    EXPECT_EQ(15, nRows);
    PostMessageA(hWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, Finish(program).dwExitCode);
}
