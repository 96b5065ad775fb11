#include "Engine.h"
#include "ParameterFile.h"

#include <gtest/gtest.h>

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
        std::ostringstream errors;
        const int exitCode = RunEngine(arguments, errors);
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
    std::string m_errors;
};
}

TEST_F(EngineRunTest, WritesTheResultAndSiteTables)
{
    m_folder.Write("result.tsv.error", "from an earlier run");
    EXPECT_EQ(0, Run(SampleParameters())) << m_errors;
    EXPECT_EQ("", m_errors);
    EXPECT_EQ(kSampleResult, m_folder.Read("result.tsv"));
    EXPECT_EQ(kSampleSites, m_folder.Read("result.sites.tsv"));
    EXPECT_FALSE(m_folder.Exists("result.tsv.error"));

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
        {"MK1W", 0, 0, "key 'sequence': '1' at position 3 is not a residue"},
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
    ExpectFailure(Run(SampleParameters(), {"--colour", "red"}), "unknown option --colour");
    ExpectFailure(Run(SampleParameters(), {"--threads", "0"}), "option --threads: 0 is outside 1..1024");
    ExpectFailure(Run(SampleParameters(), {"--min-length", "x"}), "option --min-length: \"x\" is not a number");
}

TEST_F(EngineRunTest, UnreadableFilesAndCommandLines)
{
    EXPECT_EQ(kExitFailure, RunWith({"/f", m_folder.PathOf("none.txt")}));
    EXPECT_TRUE(Contains(m_folder.Read("none.txt.error"), "none.txt: cannot open the parameter file"));

    Parameters parameters = SampleParameters();
    parameters.resultFile = "no such folder/result.tsv";
    EXPECT_EQ(kExitFailure, Run(parameters));
    EXPECT_TRUE(Contains(m_errors, "result.tsv: cannot create the file"));

    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{}, {"/f"}, {"a.txt", "b.txt"}, {"a.txt", "--threads"}})
        EXPECT_EQ(kExitUsage, RunWith(arguments));
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
    parameters.fastaFile.clear();
    ASSERT_EQ(0, Run(parameters, {"--threads", "3", "--missed", "1", "--min-length", "2", "--max-length", "12",
                                  "--fasta", m_folder.PathOf("proteins.fasta")}));
    EXPECT_EQ(rows, m_folder.Read("result.tsv"));
    EXPECT_EQ(sites, m_folder.Read("result.sites.tsv"));

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

TEST_F(EngineRunTest, FastaMistakesNameTheLine)
{
    const std::pair<const char*, const char*> cases[] = {
        {">good\nMKW\n>bad\nMK?W\n", "proteins.fasta, line 4: '?' at position 3 is not a residue"},
        {"MKW\n>late\nMKW\n", "proteins.fasta, line 1: residues before the first '>' header"},
        {">one\nMKW\n> two\nMKW\n", "proteins.fasta, line 3: a record without a name"},
        {">one\nMKW\n>two\n\n>three\nMK\n", "proteins.fasta, line 3: record 'two' has no residues"},
    };
    Parameters parameters = SampleParameters();
    parameters.fastaFile = "proteins.fasta";
    for (const auto& [fasta, message] : cases)
    {
        m_folder.Write("proteins.fasta", fasta);
        ExpectFailure(Run(parameters, {"--threads", "2"}), message);
    }
    parameters.rangeOnly = 1;
    ExpectFailure(Run(parameters), "key 'range': a range cannot apply to every protein of a FASTA batch");
}
