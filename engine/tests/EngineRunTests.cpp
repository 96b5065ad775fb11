#include "BatchLog.h"
#include "CleavageVersion.h"
#include "Engine.h"
#include "ResultFormat.h"
#include "TableBound.h"
#include "ParameterFile.h"
#include "ParameterKeys.h"

#include <gtest/gtest.h>
#include <cstring>
#include <random>
#include <set>

#include "SampleRun.h"
#include "TestSupport.h"

using namespace cleavage;

namespace
{
class EngineRunTest : public ::testing::Test
{
protected:
    // Runs the engine on `parameters` as the plug-in starts it; keeps its stderr.
    int Run(const Parameters& parameters, std::vector<std::string> options = {})
    {
        WriteParameterFile(parameters, m_folder.PathOf("params.txt"));
        options.insert(options.begin(), {"/f", m_folder.PathOf("params.txt")});
        return RunWith(options);
    }
    int RunWith(const std::vector<std::string>& arguments)
    {
        std::ostringstream output;
        std::ostringstream errors;
        const int exitCode = RunEngine(arguments, output, errors);
        m_output = output.str();
        m_errors = errors.str();
        return exitCode;
    }

    // A failed run: exit code 1, the message on stderr and in the error file, and
    // no result, site or temporary file (nor one of an earlier run).
    void ExpectFailure(int exitCode, const std::string& message)
    {
        EXPECT_EQ(kExitFailure, exitCode);
        EXPECT_TRUE(Contains(m_errors, message));
        EXPECT_TRUE(Contains(m_folder.Read("result.tsv.error"), message));
        for (const char* output : {"result.tsv", "result.sites.tsv", "result.tsv.part", "result.sites.tsv.part"})
            EXPECT_FALSE(m_folder.Exists(output)) << output;
    }

    TestFolder m_folder;
    std::string m_output;
    std::string m_errors;
};
}

TEST_F(EngineRunTest, WritesTheResultAndSiteTables)
{
    m_folder.Write("result.tsv.error", "from an earlier run");
    m_folder.Write("result.sites.tsv.part", "from an interrupted run");
    EXPECT_EQ(0, Run(SampleParameters())) << m_errors;
    EXPECT_EQ("", m_errors);
    EXPECT_EQ(kSampleResult, m_folder.Read("result.tsv"));
    EXPECT_EQ(kSampleSites, m_folder.Read("result.sites.tsv"));
    EXPECT_FALSE(m_folder.Exists("result.tsv.error") || m_folder.Exists("result.sites.tsv.part"));

    // Started as `cleavage <file>`: a range, a threshold, sorted by weight.
    Parameters parameters = SampleParameters();
    parameters.rangeOnly = parameters.thresholdMode = parameters.sortOrder = 1;
    parameters.rangeFrom = 3;
    parameters.rangeTo = 14;
    parameters.probabilityThreshold = 10;
    WriteParameterFile(parameters, m_folder.PathOf("params.txt"));
    EXPECT_EQ(0, RunWith({m_folder.PathOf("params.txt")}));
    const std::string header = "start\tend\tlength\tmissed\tprobability\tmono_mass\taverage_mass\tsequence\n";
    const std::string dlgek = "10\t14\t5\t0\t0.9\t560.280592\t560.5979\tDLGEK\n";
    const std::string wvtrpak = "3\t9\t7\t0\t0.9\t856.491923\t857.0113\tWVTRPAK\n";
    EXPECT_EQ(header + dlgek + wvtrpak, m_folder.Read("result.tsv"));
    // By position, fragments stream out as they are found, above the same threshold.
    parameters.sortOrder = 2;
    WriteParameterFile(parameters, m_folder.PathOf("params.txt"));
    EXPECT_EQ(0, RunWith({m_folder.PathOf("params.txt")}));
    EXPECT_EQ(header + wvtrpak + dlgek, m_folder.Read("result.tsv"));
}

TEST_F(EngineRunTest, MistakesFailWithoutResult)
{
    const struct
    {
        const char* sequence;
        int from, to;
        const char* message;
    } cases[] = {
        {"MK1W", 0, 0, "key 'sequence': '1' is not a residue letter (character 3)"},
        {" ", 0, 0, "key 'sequence': the sequence is empty"},
        {"MKWV", 3, 2, "key 'analysis_from': the range 3..2 is reversed"},
        {"MKWV", 2, 5, "key 'analysis_to': the range 2..5 lies outside the molecule's 4 residues"},
        {"MKWV", 0, 3, "key 'analysis_to': the range 0..3 lies outside the molecule's 4 residues"},
    };
    for (const auto& c : cases)
    {
        Run(SampleParameters());
        Parameters parameters = SampleParameters();
        parameters.sequence = c.sequence;
        parameters.rangeOnly = 1;
        parameters.rangeFrom = c.from;
        parameters.rangeTo = c.to;
        ExpectFailure(Run(parameters), c.message);
    }
    Parameters parameters = SampleParameters();
    parameters.reagent.recognition.cells = {"K", "{P"};
    ExpectFailure(Run(parameters), "reagent 'Trypsin', recognition pattern 1, position P1': unclosed brace");
    // In a batch the range is checked before any record is read.
    parameters = SampleParameters();
    parameters.fastaFile = "in.fa";
    parameters.rangeOnly = 1;
    parameters.rangeTo = 3;
    ExpectFailure(Run(parameters), "key 'analysis_from': the range 0..3 starts before the first residue (1)");
}

// Every way a run can fail, on a folder that holds the tables of an earlier run and
// the temporary file of an interrupted one: the exit code, the message (on stderr and
// in the one error file left) and the files left. Inputs are never changed.
TEST_F(EngineRunTest, EveryFailureLeavesOnlyItsMessage)
{
    const char kFasta[] = ">one\nMKWVTRPAK\n";
    const char kEarlier[] = "in.fa params.txt result.sites.tsv result.tsv result.tsv.part";
    const struct
    {
        std::pair<const char*, const char*> edit; // text replaced in the sample's parameter file
        const char* fasta;
        std::vector<std::string> arguments;       // after /f params.txt, unless they begin with /f
        int exitCode;
        const char* message;
        const char* left;
    } cases[] = {
        // A value the file cannot hold: the message beside the result it names.
        {{"sorting=2", "sorting=x"}, kFasta, {}, 1, "line 13, key 'sorting': \"x\" is not a number",
         "in.fa params.txt result.tsv.error"},
        // A line that is no key=value line: the result after it is still known.
        {{"sorting=2", "sorting 2"}, kFasta, {}, 1, "line 13: \"sorting 2\" is not a key=value line",
         "in.fa params.txt result.tsv.error"},
        // Control bytes and DEL in a value are shown escaped; so is a cell's line break.
        {{"sorting=2", "sorting=\x01\x7F"}, kFasta, {}, 1, "\"\\x01\\x7F\" is not a number",
         "in.fa params.txt result.tsv.error"},
        {{"=KR", "=K\\n"}, kFasta, {}, 1, "'\\x0A' is neither a residue letter nor a brace in \"K\\x0A\"",
         "in.fa params.txt result.tsv.error"},
        // Three positions a pattern, two cells.
        {{"recognition_count=2", "recognition_count=3"}, kFasta, {}, 1,
         "key 'recognition_list': 2 cells are not a whole number of patterns of 3 cells (recognition_count)",
         "in.fa params.txt result.tsv.error"},
        // No result named: the message beside the parameter file, earlier tables untouched.
        {{"result_file=result.tsv\n", ""}, kFasta, {}, 1, "key 'result_file' is missing",
         "in.fa params.txt params.txt.error result.sites.tsv result.tsv result.tsv.part"},
        // The parameter file as the result, spelt another way.
        {{"result_file=result.tsv", "result_file=./params.txt"}, kFasta, {}, 1,
         "./params.txt: the result would overwrite the parameter file",
         "in.fa params.txt params.txt.error result.sites.tsv result.tsv result.tsv.part"},
        // The FASTA file as the result.
        {{"molecule_name=sample\nsequence=MKWVTRPAKDLGEK\nresult_file=result.tsv", "fasta=in.fa\nresult_file=in.fa"},
         kFasta, {}, 1, "in.fa: the result would overwrite the FASTA file",
         "in.fa in.fa.error params.txt result.sites.tsv result.tsv result.tsv.part"},
        // A FASTA file without records (blank and comment lines only), and a bad residue.
        {{"molecule_name=sample\nsequence=MKWVTRPAKDLGEK", "fasta=in.fa"}, "\n; a note\n", {}, 1,
         "in.fa: not a FASTA file: it holds no record", "in.fa params.txt result.tsv.error"},
        {{"molecule_name=sample\nsequence=MKWVTRPAKDLGEK", "fasta=in.fa"}, ">good\nMKW\n>bad\nMK?W\n", {}, 1,
         "in.fa, line 4: '?' is not a residue letter (character 3)", "in.fa params.txt result.tsv.error"},
        // More fragment rows (5) than the bound.
        {{}, kFasta, {"--max-rows", "4"}, 1, "would write 5 fragment rows, more than the bound of 4",
         "in.fa params.txt result.tsv.error"},
        {{}, kFasta, {"--min-length", "9", "--max-length", "4"}, 1, "min_length 9 is above max_length 4",
         "in.fa params.txt result.tsv.error"},
        // A result in a folder that does not exist: no error file can stand there.
        {{"result_file=result.tsv", "result_file=none/result.tsv"}, kFasta, {}, 1, "cannot create the file: ",
         kEarlier},
        {{}, kFasta, {"/f", "none.txt"}, 1, "none.txt: cannot open the parameter file: ",
         "in.fa none.txt.error params.txt result.sites.tsv result.tsv result.tsv.part"},
        // Command lines the engine cannot read: exit code 2.
        {{}, kFasta, {"--colour", "red"}, 2, "unknown option --colour", "in.fa params.txt result.tsv.error"},
        {{}, kFasta, {"--threads", "abc"}, 2, "option --threads: \"abc\" is not a number",
         "in.fa params.txt result.tsv.error"},
        {{}, kFasta, {"--threads"}, 2, "option --threads needs a value", "in.fa params.txt result.tsv.error"},
        // Matching: keys that cannot go together, and a mass list that is not there.
        {{}, kFasta, {"--background", "0.1", "--specificity", "semi"}, 1,
         "option --specificity: a semi-specific digest with a background efficiency (option --background) is refused",
         "in.fa params.txt result.tsv.error"},
        {{}, kFasta, {"--background", "0.1", "--missed", "1"}, 1,
         "option --missed: a bound on missed sites with a background efficiency", "in.fa params.txt result.tsv.error"},
        {{}, kFasta, {"--tolerance", "5ppm"}, 1, "but no masses are given", "in.fa params.txt result.tsv.error"},
        {{}, kFasta, {"--masses", "none.txt"}, 1, "none.txt: cannot open", "in.fa params.txt result.tsv.error"},
        {{}, kFasta, {"other.txt"}, 2, "more than one parameter file", "in.fa params.txt result.tsv.error"},
    };
    WriteParameterFile(SampleParameters(), m_folder.PathOf("params.txt"));
    const std::string sample = m_folder.Read("params.txt");
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.message);
        std::filesystem::remove_all(m_folder.PathOf(""));
        std::filesystem::create_directories(m_folder.PathOf(""));
        ASSERT_EQ(0, Run(SampleParameters()));
        m_folder.Write("result.tsv.part", "from an interrupted run");
        std::string text = sample;
        if (c.edit.first)
            text.replace(text.find(c.edit.first), std::strlen(c.edit.first), c.edit.second);
        m_folder.Write("params.txt", text);
        m_folder.Write("in.fa", c.fasta);
        std::vector<std::string> arguments = {"/f", "params.txt"};
        if (!c.arguments.empty() && c.arguments[0] == "/f")
            arguments.clear();
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        for (std::string& argument : arguments)
            if (argument.find(".txt") != std::string::npos)
                argument = m_folder.PathOf(argument);

        EXPECT_EQ(c.exitCode, RunWith(arguments));
        EXPECT_TRUE(Contains(m_errors, c.message));
        std::set<std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(m_folder.PathOf("")))
            files.insert(entry.path().filename().string());
        std::string left;
        for (const std::string& file : files)
        {
            left += (left.empty() ? "" : " ") + file;
            if (file.size() > 6 && file.compare(file.size() - 6, 6, ".error") == 0)
            {
                EXPECT_TRUE(Contains(m_folder.Read(file), c.message)) << file;
            }
        }
        EXPECT_EQ(c.left, left);
        EXPECT_EQ(text, m_folder.Read("params.txt"));
        EXPECT_EQ(c.fasta, m_folder.Read("in.fa"));
    }
}

// Alone, --version and --help (-h, /?) describe the program on stdout; beside anything
// else they are read as options, as ever.
TEST_F(EngineRunTest, VersionAndHelpAloneDescribeTheProgram)
{
    const std::string versionLine = "cleavage " CLEAVAGE_VERSION_TEXT "\n";
    // The usage lines, as a command line the engine cannot read ends its message.
    ASSERT_EQ(kExitUsage, RunWith({"--colour", "red"}));
    const std::string usage = m_errors.substr(m_errors.find('\n') + 1);
    ASSERT_EQ(0u, usage.find("usage: cleavage <parameter file> "));
    // Every option of the key table, a list's with its dots, the flag without a value.
    for (const KeyDescription& key : ParameterKeys())
        EXPECT_TRUE(key.option.empty() || Contains(usage, " " + key.Usage())) << key.option;
    EXPECT_TRUE(Contains(usage, " [--also-reagent NAME]...") && Contains(usage, " [--progress] ")) << usage;
    std::istringstream lines(usage);
    for (std::string text; std::getline(lines, text);)
        EXPECT_GE(112u, text.size()) << text;
    const std::string help = versionLine + usage + "The parameter file is described in ParameterFile.md.\n";

    const struct
    {
        std::vector<std::string> arguments;
        int exitCode;
        std::string output;
        const char* message;
    } cases[] = {
        {{"--version"}, 0, versionLine, ""},
        {{"--help"}, 0, help, ""},
        {{"-h"}, 0, help, ""},
        {{"/?"}, 0, help, ""},
        // An option that takes the next argument as its value.
        {{"--version", "--help"}, kExitUsage, "", "unknown option --version"},
        {{"--help", "--version"}, kExitUsage, "", "unknown option --help"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.arguments[0] + (c.arguments.size() > 1 ? " " + c.arguments[1] : ""));
        EXPECT_EQ(c.exitCode, RunWith(c.arguments));
        EXPECT_EQ(c.output, m_output);
        if (*c.message)
            EXPECT_TRUE(Contains(m_errors, c.message));
        else
            EXPECT_EQ("", m_errors);
    }
}

TEST_F(EngineRunTest, FastaBatchNamesProteinsAndIsTheSameOnAnyNumberOfThreads)
{
    // Three proteins, CR LF in one header, an ambiguous residue, a final stop.
    m_folder.Write("proteins.fasta", ">first protein\nMKWVTRPAKDLGEK\nAAKGG\n\n>second\r\nGGRAAKXAK*\n>third\nkkk\n");
    Parameters parameters = SampleParameters();
    parameters.fastaFile = "proteins.fasta";
    parameters.fragmentLimit = kAllFragments;
    ASSERT_EQ(0, Run(parameters, {"--threads", "1", "--missed", "1", "--min-length", "2", "--max-length", "12"}))
        << m_errors;
    const std::string rows = m_folder.Read("result.tsv");
    const std::string sites = m_folder.Read("result.sites.tsv");
    parameters.fastaFile.reset();
    ASSERT_EQ(0, Run(parameters, {"--threads", "3", "--missed", "1", "--min-length", "2", "--max-length", "12",
                                  "--fasta", m_folder.PathOf("proteins.fasta")}));
    EXPECT_EQ(rows, m_folder.Read("result.tsv"));
    EXPECT_EQ(sites, m_folder.Read("result.sites.tsv"));

    // Equal length bounds keep that one length; they are not refused.
    ASSERT_EQ(0, Run(parameters, {"--missed", "1", "--min-length", "5", "--max-length", "5", "--fasta",
                                  m_folder.PathOf("proteins.fasta")}))
        << m_errors;
    EXPECT_TRUE(Contains(m_folder.Read("result.tsv"), "\nfirst\t15\t19\t5\t1\t"));

    // The bounds pass at the same row on any number of threads: a bound of every row (or
    // byte) writes them all; one less fails, saying how many the run would write.
    const std::size_t rowCount = std::count(rows.begin(), rows.end(), '\n') - 1;
    const auto runBounded = [&](const char* option, std::size_t bound) {
        return Run(parameters, {"--threads", "3", option, std::to_string(bound), "--missed", "1", "--min-length", "2",
                                "--max-length", "12", "--fasta", m_folder.PathOf("proteins.fasta")});
    };
    EXPECT_EQ(kExitFailure, runBounded("--max-rows", rowCount - 1));
    EXPECT_TRUE(Contains(m_errors, "would write " + std::to_string(rowCount) + " fragment rows"));
    EXPECT_EQ(kExitFailure, runBounded("--max-bytes", rows.size() - 1));
    EXPECT_TRUE(Contains(m_errors, "would write a fragment table of about " + SizeText(rows.size()) + ", more"));
    EXPECT_EQ(0, runBounded("--max-rows", rowCount)) << m_errors;
    EXPECT_EQ(rows, m_folder.Read("result.tsv"));
    EXPECT_EQ(0, runBounded("--max-bytes", rows.size())) << m_errors;
    EXPECT_EQ(rows, m_folder.Read("result.tsv"));
    EXPECT_EQ(0u, rows.find("protein\tstart\t"));
    EXPECT_TRUE(Contains(rows, "\nfirst\t15\t19\t5\t1\t0.09\t402.222684\t"));
    EXPECT_TRUE(Contains(rows, "\nsecond\t7\t9\t3\t0\t0.9\tNA\tNA\tXAK\n"));
    EXPECT_TRUE(Contains(sites, "\nthird\t2\tK\tK\t0.9\n"));
    std::istringstream in(rows.substr(rows.find('\n') + 1));
    for (std::string name, start, end, length, missed, rest; in >> name >> start >> end >> length >> missed;)
    {
        std::getline(in, rest);
        EXPECT_TRUE(std::stoi(missed) <= 1 && std::stoi(length) >= 2 && std::stoi(length) <= 12) << name << start;
    }
}

// A range in a batch: each record's residues A to B, with the record's own positions and
// protein terminus; a record shorter than B is left out, said on stderr and in the
// warning file beside the tables, and the run ends with exit code 3.
TEST_F(EngineRunTest, ABatchRangeAnalysesResiduesAToBOfEachRecord)
{
    m_folder.Write("proteins.fasta", ">short\nMKWV\n>long\nMKWVTRPAKDLGEKMKR\n");
    Parameters parameters = SampleParameters();
    parameters.fastaFile = "proteins.fasta";
    parameters.fragmentLimit = kAllFragments;
    parameters.sortOrder = 2;
    parameters.rangeOnly = 1;
    parameters.rangeFrom = 3;
    parameters.rangeTo = 16;
    const std::string warning = m_folder.PathOf("proteins.fasta") +
                                ", line 1: the record 'short' has 4 residues, fewer than the range 3..16: left out";
    for (const char* threads : {"1", "3"})
    {
        ASSERT_EQ(kExitWarnings, Run(parameters, {"--threads", threads, "--variable-mod", "Oxidation (M)",
                                                  "--fixed-mod", "Acetyl (Protein N-term)", "--progress"}))
            << m_errors;
        EXPECT_EQ("cleavage: warning: " + warning + "\n", m_errors);
        EXPECT_EQ(warning + "\n", m_folder.Read("result.tsv.warnings"));
        const std::string rows = m_folder.Read("result.tsv");
        EXPECT_FALSE(Contains(rows, "short"));
        // No acetyl on residue 3; the methionine named by its place in the record.
        EXPECT_TRUE(Contains(rows, "\nlong\t3\t9\t7\t0\t0.9\t856.491923\t"));
        EXPECT_TRUE(Contains(rows, "\nlong\t15\t16\t2\t0\t0.9\t293.140928\t293.3831\tMK\tM15:Oxidation\n"));
        EXPECT_TRUE(Contains(m_folder.Read("result.sites.tsv"), "\nlong\t14\tK\tM\t0.9\n"));
    }
    // A run without warnings leaves no warning file of an earlier run.
    parameters.rangeTo = 4;
    ASSERT_EQ(0, Run(parameters)) << m_errors;
    EXPECT_FALSE(m_folder.Exists("result.tsv.warnings"));
}

TEST(BatchLogTest, SaysWarningsAtOnceAndProgressOnlyWhenAsked)
{
    std::ostringstream every, hourly, never;
    BatchLog logs[] = {{every, 3, std::chrono::seconds(0)}, {hourly, 3, std::chrono::hours(1)}, {never, 3, {}}};
    for (BatchLog& log : logs)
    {
        log.Analysed(1);
        log.Warn("left out");
        log.Analysed(2);
    }
    EXPECT_EQ("Analysed 1 of 3 proteins\ncleavage: warning: left out\nAnalysed 3 of 3 proteins\n", every.str());
    EXPECT_EQ("cleavage: warning: left out\n", hourly.str());
    EXPECT_EQ(hourly.str(), never.str());
    EXPECT_EQ(std::vector<std::string>{"left out"}, logs[2].Warnings());
}

// The optional keys for mass spectrometry on the sample (the best five fragments by
// position): the rows and columns each adds; without them the table is as ever.
TEST_F(EngineRunTest, MassSpectrometryKeysAddRowsAndColumns)
{
    const std::string header = "start\tend\tlength\tmissed\tprobability\tmono_mass\taverage_mass\tsequence";
    const std::string mk = "1\t2\t2\t0\t0.9\t277.146013\t277.3837\tMK";
    const std::string mk9 = "1\t9\t9\t1\t0.09\t1115.627371\t1116.3797\tMKWVTRPAK";
    const std::string wvtrpak = "3\t9\t7\t0\t0.81\t856.491923\t857.0113\tWVTRPAK";
    const std::string dlgek = "10\t14\t5\t0\t0.9\t560.280592\t560.5979\tDLGEK";
    const struct
    {
        std::vector<std::string> options;
        int sorting;
        std::string table;
    } cases[] = {
        {{"--specificity", "full"}, 2, kSampleResult},
        // Each form its own row; m/z (M + zH)/z.
        {{"--variable-mod", "Oxidation (M)", "--charges", "2-2"}, 2,
         header + "\tmodifications\tmz_2\n" + mk + "\t\t139.580283\n" +
             "1\t2\t2\t0\t0.9\t293.140928\t293.3831\tMK\tM1:Oxidation\t147.577740\n" + mk9 + "\t\t558.820962\n" +
             "1\t9\t9\t1\t0.09\t1131.622286\t1132.3791\tMKWVTRPAK\tM1:Oxidation\t566.818419\n" + wvtrpak +
             "\t\t429.253238\n" + "3\t14\t12\t1\t0.09\t1398.761950\t1399.5939\tWVTRPAKDLGEK\t\t700.388251\n" +
             dlgek + "\t\t281.147572\n"},
        // The best five among the fragments in the window, its bounds included; fixed
        // modifications change the masses only.
        {{"--min-mass", "560.280592", "--max-mass", "856.491923", "--fixed-mod", "Oxidation (M)", "--charges", "1-1"}, 2,
         header + "\tmz_1\n" + "3\t9\t7\t0\t0.81\t856.491923\t857.0113\tWVTRPAK\t857.499199\n" + dlgek +
             "\t561.287868\n"},
        // Equal bounds keep the fragments of exactly that mass.
        {{"--min-mass", "856.491923", "--max-mass", "856.491923"}, 2, header + "\n" + wvtrpak + "\n"},
        // Semi-specific, the best five fragments by probability (K2 at 0.9 as MK, ties by
        // position) with their forms, by the modified mass.
        {{"--specificity", "semi", "--max-length", "2", "--variable-mod", "Acetyl (Protein N-term)"}, 1,
         header + "\tmodifications\n" + "2\t2\t1\t0\t0.9\t146.105528\t146.1876\tK\t\n" +
             "14\t14\t1\t0\t1\t146.105528\t146.1876\tK\t\n" +
             "1\t1\t1\t0\t1\t149.051050\t149.2114\tM\t\n" + "1\t1\t1\t0\t1\t191.061615\t191.2481\tM\tN-term:Acetyl\n" +
             "13\t14\t2\t0\t1\t275.148121\t275.3016\tEK\t\n" + mk + "\t\n" +
             "1\t2\t2\t0\t0.9\t319.156578\t319.4204\tMK\tN-term:Acetyl\n"},
    };
    for (const auto& c : cases)
    {
        Parameters parameters = SampleParameters();
        parameters.sortOrder = c.sorting;
        EXPECT_EQ(0, Run(parameters, c.options)) << m_errors;
        EXPECT_EQ(c.table, m_folder.Read("result.tsv")) << c.options[0] << " " << c.options[1];
    }

    // Reagents together: the site table says which cut.
    Parameters parameters = SampleParameters();
    parameters.alsoReagents = {"Asp-N"};
    EXPECT_EQ(0, Run(parameters, {"--also-reagent", "Lys-C"})) << m_errors; // the option replaces the key's list
    EXPECT_EQ("position\tleft\tright\tefficiency\treagents\n2\tK\tW\t1\tTrypsin+Lys-C\n9\tK\tD\t1\tTrypsin+Lys-C\n",
              m_folder.Read("result.sites.tsv"));
    parameters.reagent.name.clear();
    EXPECT_EQ(0, Run(parameters, {"--also-reagent", "Lys-C"})) << m_errors;
    EXPECT_NE(std::string::npos, m_folder.Read("result.sites.tsv").find("\t(unnamed)+Lys-C\n"));
    // The row bound counts the forms: of the best five seven rows, of all six nine.
    ExpectFailure(Run(SampleParameters(), {"--variable-mod", "Oxidation (M)", "--max-rows", "6"}),
                  "the run would write 7 fragment rows, more than the bound of 6");
    parameters = SampleParameters();
    parameters.fragmentLimit = kAllFragments;
    ExpectFailure(Run(parameters, {"--variable-mod", "Oxidation (M)", "--max-rows", "8"}),
                  "the run would write 9 fragment rows, more than the bound of 8");
}

TEST_F(EngineRunTest, TheRowBoundItselfPassesAndZeroMeansNoBound)
{
    const std::pair<std::vector<std::string>, std::size_t> cases[] = {
        {{"--max-rows", "5"}, 5},                                     // the sample's five rows at the bound: written
        {{"--max-rows", "0"}, 5},                                     // no bound
        {{"--max-bytes", "0"}, 5},                                    // no bound
        {{"--variable-mod", "Oxidation (M)", "--max-rows", "7"}, 7}, // five fragments, seven forms: written
    };
    for (const auto& [options, rows] : cases)
    {
        SCOPED_TRACE(options[options.size() - 1]);
        EXPECT_EQ(0, Run(SampleParameters(), options)) << m_errors;
        const std::string table = m_folder.Read("result.tsv");
        EXPECT_EQ(rows + 1, static_cast<std::size_t>(std::count(table.begin(), table.end(), '\n')));
    }
}

// The byte bound counts the table as it is written, header, forms and columns included,
// in each way rows are selected and ordered: a bound of its size writes it, one byte
// less writes nothing.
TEST_F(EngineRunTest, TheByteBoundItselfPassesAndOneByteLessRefuses)
{
    const struct
    {
        int fragmentLimit, sorting;
        std::vector<std::string> options;
    } cases[] = {
        {5, 2, {}},                                                            // the sample, best five
        {kAllFragments, 1, {}},                                                // all, by weight
        {kAllFragments, 2, {"--variable-mod", "Oxidation (M)", "--charges", "1-3"}}, // forms, m/z columns
        {5, 0, {"--specificity", "semi", "--max-length", "3"}},                // semi, best five
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.fragmentLimit) + " by " + std::to_string(c.sorting));
        Parameters parameters = SampleParameters();
        parameters.fragmentLimit = c.fragmentLimit;
        parameters.sortOrder = c.sorting;
        ASSERT_EQ(0, Run(parameters, c.options)) << m_errors;
        const std::string table = m_folder.Read("result.tsv");
        const auto runBounded = [&](std::size_t bound) {
            std::vector<std::string> options = c.options;
            options.insert(options.end(), {"--max-bytes", std::to_string(bound)});
            return Run(parameters, options);
        };
        EXPECT_EQ(0, runBounded(table.size())) << m_errors;
        EXPECT_EQ(table, m_folder.Read("result.tsv"));
        ExpectFailure(runBounded(table.size() - 1), "the run would write a fragment table of about " +
                                                        std::to_string(table.size()) + " bytes, more than the bound of " +
                                                        std::to_string(table.size() - 1) + " bytes");
        // Below the header every row is only counted, and counted exactly.
        ASSERT_LT(table.size(), 1000u);
        ExpectFailure(runBounded(1), "a fragment table of about " + std::to_string(table.size()) + " bytes");
    }
}

// 600 pieces of 333 residues cut at 1 %: 180,901 rows, far below the row bound, of some
// 12 GB, refused by the default bound without a row written.
TEST_F(EngineRunTest, RowsOfAProteinItsBytesRefuseAreCountedExactly)
{
    // The first protein's rows fit the row bound of every row, its bytes do not: its
    // rows are counted to the last, so the run passes the byte bound only.
    m_folder.Write("proteins.fasta", ">first\nMKWVTRPAKDLGEK\n>second\nKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK\n");
    Parameters parameters = SampleParameters();
    parameters.fastaFile = "proteins.fasta";
    parameters.fragmentLimit = kAllFragments;
    ASSERT_EQ(0, Run(parameters, {"--min-length", "3"})) << m_errors;
    const std::string rows = m_folder.Read("result.tsv");
    const std::size_t rowCount = std::count(rows.begin(), rows.end(), '\n') - 1;
    EXPECT_EQ(kExitFailure, Run(parameters, {"--min-length", "3", "--max-rows", std::to_string(rowCount),
                                             "--max-bytes", std::to_string(rows.find('\n') + 10)}));
    EXPECT_TRUE(Contains(m_errors, "would write a fragment table of about")) << m_errors;
}

TEST_F(EngineRunTest, TheDefaultByteBoundRefusesATableOfGigabytes)
{
    Parameters parameters = SampleParameters();
    parameters.reagent.recognitionEfficiency = 1;
    parameters.fragmentLimit = kAllFragments;
    parameters.sequence.clear();
    for (int piece = 0; piece < 600; ++piece)
        parameters.sequence += std::string(332, 'A') + "K";
    ExpectFailure(Run(parameters), "the run would write a fragment table of about 12.1 GB, more than the bound of "
                                   "2147483648 bytes (2.1 GB; the default bound); narrow it with --max-length N");
}

TEST(SizeTextTest, SaysTheSizeInDecimalUnitsToATenth)
{
    const std::pair<std::uint64_t, const char*> cases[] = {
        {0, "0 bytes"},          {1, "1 byte"},         {999, "999 bytes"},
        {1000, "1.0 kB"},        {1049, "1.0 kB"},      {1050, "1.1 kB"},
        {999949, "999.9 kB"},    {999950, "1.0 MB"},    {2147483648, "2.1 GB"},
        {16249999999, "16.2 GB"}, {UINT64_MAX, "18.4 EB"}, // the largest count: no unit past exabytes
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(text, SizeText(bytes)) << bytes;
}

// A FASTA file named through a symbolic link is the file the link names: a result
// there is refused and the file left as it was.
TEST_F(EngineRunTest, AResultOnTheFastaFileBehindALinkIsRefused)
{
    m_folder.Write("proteins.fa", ">one\nMKWVTRPAK\n");
    std::filesystem::create_symlink("proteins.fa", m_folder.PathOf("link.fa"));
    Parameters parameters = SampleParameters();
    parameters.fastaFile = "link.fa";
    parameters.resultFile = "proteins.fa";
    EXPECT_EQ(kExitFailure, Run(parameters));
    EXPECT_TRUE(Contains(m_errors, "proteins.fa: the result would overwrite the FASTA file"));
    EXPECT_EQ(">one\nMKWVTRPAK\n", m_folder.Read("proteins.fa"));
}

TEST_F(EngineRunTest, ABatchOfManyChunksIsTheSameOnAnyNumberOfThreads)
{
    // 600 random proteins of 400 residues: several chunks per worker, written in order.
    std::mt19937 random(20261207);
    const std::string residues = "ACDEFGHIKLMNPQRSTVWY";
    std::string fasta;
    for (int protein = 1; protein <= 600; ++protein)
    {
        fasta += ">p" + std::to_string(protein) + "\n";
        for (int i = 0; i < 400; ++i)
            fasta += residues[random() % residues.size()];
        fasta += "\n";
    }
    m_folder.Write("proteins.fasta", fasta);
    Parameters parameters = SampleParameters();
    parameters.fastaFile = "proteins.fasta";
    parameters.fragmentLimit = kAllFragments;
    const std::vector<std::string> options = {"--missed", "2", "--max-length", "30"};
    const auto run = [&](const std::string& threads, std::vector<std::string> more) {
        more.insert(more.end(), options.begin(), options.end());
        more.insert(more.end(), {"--threads", threads});
        return Run(parameters, more);
    };
    ASSERT_EQ(0, run("1", {})) << m_errors;
    const std::string rows = m_folder.Read("result.tsv");
    const std::string sites = m_folder.Read("result.sites.tsv");
    const std::size_t rowCount = std::count(rows.begin(), rows.end(), '\n') - 1;
    for (const char* threads : {"1", "2", "5"})
    {
        ASSERT_EQ(0, run(threads, {})) << m_errors;
        EXPECT_EQ(rows, m_folder.Read("result.tsv")) << threads << " threads";
        EXPECT_EQ(sites, m_folder.Read("result.sites.tsv")) << threads << " threads";
        // Bounds that only the last protein passes: the same count on any number of threads.
        ExpectFailure(run(threads, {"--max-rows", std::to_string(rowCount - 1)}),
                      "would write " + std::to_string(rowCount) + " fragment rows");
        ExpectFailure(run(threads, {"--max-bytes", std::to_string(rows.size() - 1)}),
                      "would write a fragment table of about " + SizeText(rows.size()) + ", more");
    }
    // A mistake in the last record fails the run as on one thread, after the rows before it.
    m_folder.Write("proteins.fasta", fasta + ">last\nMK1\n");
    for (const char* threads : {"1", "2"})
        ExpectFailure(run(threads, {}), "proteins.fasta, line 1202: '1' is not a residue letter (character 3)");
}

// Observed masses beside the tables: every fragment of the digest is a candidate, not
// only those the table selects; a batch gives the same matches on any number of
// threads; a damaged list leaves no table at all.
TEST_F(EngineRunTest, ObservedMassesAreMatchedBesideTheTables)
{
    // [M+H]+ of the whole molecule (0.01, not among the best five), of WVTRPAK, and a
    // value nothing explains.
    m_folder.Write("masses.txt", "# observed\n1658.904674\tfirst\n857.499199\n100.0\n");
    Parameters parameters = SampleParameters();
    parameters.masses = "masses.txt";
    ASSERT_EQ(0, Run(parameters)) << m_errors;
    EXPECT_EQ(kSampleResult, m_folder.Read("result.tsv"));
    EXPECT_EQ("observed\tcharge\tobserved_mass\textra_1\tstart\tend\tsequence\tmodifications\tmass\terror_ppm\t"
              "error_da\tprobability\tshare\trank\n"
              "1658.904674\t\t1657.897398\tfirst\t1\t14\tMKWVTRPAKDLGEK\t\t1657.897398\t0.00\t0.000000\t0.01\t"
              "1.0000\t1\n"
              "857.499199\t\t856.491923\t\t3\t9\tWVTRPAK\t\t856.491923\t0.00\t0.000000\t0.81\t1.0000\t1\n"
              "100.0\t\t98.992724\t\t\t\t\t\t\t\t\t\t\t\n"
              "# matched 2 of 3 observed values; residues covered by the first-ranked candidates: 100 %\n",
              m_folder.Read("result.matches.tsv"));
    EXPECT_TRUE(Contains(m_errors, "cleavage: matched 2 of 3 observed values"));

    // A batch of proteins on one and on several threads.
    std::string fasta;
    for (int protein = 1; protein <= 300; ++protein)
        fasta += ">p" + std::to_string(protein) + "\nMKWVTRPAK" + std::string(protein % 7, 'G') + "DLGEKR\n";
    m_folder.Write("proteins.fasta", fasta);
    parameters.fastaFile = "proteins.fasta";
    parameters.fragmentLimit = 2;
    std::string matches, coverage;
    for (const char* threads : {"1", "3"})
    {
        ASSERT_EQ(0, Run(parameters, {"--threads", threads, "--variable-mod", "Met-loss (Protein N-term M)"}))
            << m_errors;
        if (matches.empty())
        {
            matches = m_folder.Read("result.matches.tsv");
            coverage = m_folder.Read("result.coverage.tsv");
        }
        EXPECT_EQ(matches, m_folder.Read("result.matches.tsv")) << threads << " threads";
        EXPECT_EQ(coverage, m_folder.Read("result.coverage.tsv")) << threads << " threads";
    }
    // WVTRPAK in every protein: 300 candidates sharing the value, the first protein first.
    EXPECT_TRUE(Contains(matches, "857.499199\t\t856.491923\t\tp1\t3\t9\tWVTRPAK\t\t856.491923\t0.00\t0.000000\t"
                                  "0.81\t0.0033\t1\n"));
    EXPECT_TRUE(Contains(matches, "\tp300\t3\t9\tWVTRPAK\t\t856.491923\t0.00\t0.000000\t0.81\t0.0033\t300\n"));
    EXPECT_TRUE(Contains(coverage, "protein\tlength\tcovered\tcoverage\np1\t"));

    m_folder.Write("masses.txt", "857.499199\nabc\n");
    ExpectFailure(Run(parameters), "masses.txt, line 2: ");
    for (const char* table : {"result.matches.tsv", "result.coverage.tsv", "result.matches.tsv.part"})
        EXPECT_FALSE(m_folder.Exists(table)) << table;
}
