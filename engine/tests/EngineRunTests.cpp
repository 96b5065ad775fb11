#include "Engine.h"
#include "ParameterFile.h"

#include <gtest/gtest.h>
#include <sstream>

#include "SampleRun.h"
#include "TestFiles.h"

using namespace cleavage;

namespace
{
struct RunResult
{
    int exitCode;
    std::string errors;
};

RunResult RunWith(const std::vector<std::string>& arguments)
{
    std::ostringstream errors;
    const int exitCode = RunEngine(arguments, errors);
    return {exitCode, errors.str()};
}

RunResult RunSample(const TestFolder& folder, const Parameters& parameters,
                    std::vector<std::string> options = std::vector<std::string>())
{
    WriteParameterFile(parameters, folder.PathOf("params.txt"));
    options.insert(options.begin(), {"/f", folder.PathOf("params.txt")});
    return RunWith(options);
}

// Expects a failed run: exit code 1, the message on stderr and in the error file,
// and no result, site or temporary file.
void ExpectFailure(const TestFolder& folder, const RunResult& run, const std::string& message,
                   const std::string& errorFile = "result.tsv.error")
{
    EXPECT_EQ(kExitFailure, run.exitCode);
    EXPECT_NE(std::string::npos, run.errors.find(message)) << run.errors;
    EXPECT_NE(std::string::npos, folder.Read(errorFile).find(message)) << folder.Read(errorFile);
    for (const char* output : {"result.tsv", "result.sites.tsv", "result.tsv.part", "result.sites.tsv.part"})
        EXPECT_FALSE(folder.Exists(output)) << output;
}

// Three proteins, one with an ambiguous residue.
const char kFasta[] = ">first protein one\nMKWVTRPAKDLGEK\nAAKGG\n\n>second\r\nGGRAAKXAK*\n>third\nkkk\n";
}

TEST(EngineRunTest, WritesTheResultAndSiteTables)
{
    TestFolder folder;
    folder.Write("result.tsv.error", "from an earlier run");
    const RunResult run = RunSample(folder, SampleParameters());
    EXPECT_EQ(0, run.exitCode) << run.errors;
    EXPECT_EQ("", run.errors);
    EXPECT_EQ(kSampleResult, folder.Read("result.tsv"));
    EXPECT_EQ(kSampleSites, folder.Read("result.sites.tsv"));
    EXPECT_EQ("params.txt result.sites.tsv result.tsv ", folder.Listing());

    // Again, started as `cleavage <file>` with a range, a threshold, sorted by weight.
    Parameters parameters = SampleParameters();
    parameters.rangeOnly = 1;
    parameters.rangeFrom = 3;
    parameters.rangeTo = 14;
    parameters.thresholdMode = 1;
    parameters.probabilityThreshold = 10;
    parameters.sortOrder = 1;
    WriteParameterFile(parameters, folder.PathOf("params.txt"));
    EXPECT_EQ(0, RunWith({folder.PathOf("params.txt")}).exitCode);
    EXPECT_EQ("start\tend\tlength\tmissed\tprobability\tmono_mass\taverage_mass\tsequence\n"
              "10\t14\t5\t0\t0.9\t560.280592\t560.5979\tDLGEK\n"
              "3\t9\t7\t0\t0.9\t856.491923\t857.0113\tWVTRPAK\n",
              folder.Read("result.tsv"));
}

TEST(EngineRunTest, MoleculeMistakesFailWithoutResult)
{
    struct Case
    {
        const char* sequence;
        int from, to;
        const char* message;
    };
    const Case cases[] = {
        {"MK1W", 0, 0, "key 'sequence': '1' at position 3 is not a residue"},
        {" ", 0, 0, "key 'sequence': the sequence is empty"},
        {"MKWV", 3, 2, "key 'analysis_from': the range 3..2 is reversed"},
        {"MKWV", 2, 5, "key 'analysis_to': the range 2..5 lies outside the molecule's 4 residues"},
        {"MKWV", 0, 3, "key 'analysis_to': the range 0..3 lies outside the molecule's 4 residues"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.message);
        TestFolder folder;
        Parameters parameters = SampleParameters();
        parameters.sequence = c.sequence;
        parameters.rangeOnly = 1;
        parameters.rangeFrom = c.from;
        parameters.rangeTo = c.to;
        ExpectFailure(folder, RunSample(folder, parameters), c.message);
    }
}

TEST(EngineRunTest, UnreadableParametersAndBadCellsFailLoudly)
{
    TestFolder folder;
    const RunResult missing = RunWith({"/f", folder.PathOf("params.txt")});
    EXPECT_EQ(kExitFailure, missing.exitCode);
    EXPECT_NE(std::string::npos, folder.Read("params.txt.error").find("cannot open the parameter file"));

    TestFolder cells;
    Parameters parameters = SampleParameters();
    parameters.reagent.recognition.cells = {"K", "{P"};
    ExpectFailure(cells, RunSample(cells, parameters),
                  "reagent 'Trypsin', recognition pattern 1, position P1': unclosed brace");

    TestFolder unwritable;
    parameters = SampleParameters();
    parameters.resultFile = "no such folder/result.tsv";
    const RunResult run = RunSample(unwritable, parameters);
    EXPECT_EQ(kExitFailure, run.exitCode);
    EXPECT_NE(std::string::npos, run.errors.find("result.tsv: cannot create the file")) << run.errors;

    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{}, {"/f"}, {"a.txt", "b.txt"}, {"a.txt", "--threads"}})
        EXPECT_EQ(kExitUsage, RunWith(arguments).exitCode);
    const RunResult option = RunSample(folder, SampleParameters(), {"--colour", "red"});
    EXPECT_EQ(kExitFailure, option.exitCode);
    EXPECT_NE(std::string::npos, option.errors.find("unknown option --colour")) << option.errors;
}

TEST(EngineRunTest, FastaBatchNamesProteinsAndIsTheSameOnAnyNumberOfThreads)
{
    TestFolder folder;
    folder.Write("proteins.fasta", kFasta);
    Parameters parameters = SampleParameters();
    parameters.fastaFile = "proteins.fasta";
    parameters.fragmentLimit = kAllFragments;
    ASSERT_EQ(0, RunSample(folder, parameters, {"--threads", "1", "--missed", "1", "--min-length", "2"}).exitCode);
    const std::string oneThread = folder.Read("result.tsv");
    const std::string oneThreadSites = folder.Read("result.sites.tsv");
    ASSERT_EQ(0, RunSample(folder, parameters, {"--threads", "3", "--missed", "1", "--min-length", "2"}).exitCode);
    EXPECT_EQ(oneThread, folder.Read("result.tsv"));
    EXPECT_EQ(oneThreadSites, folder.Read("result.sites.tsv"));

    EXPECT_EQ(0u, oneThread.find("protein\tstart\t"));
    EXPECT_NE(std::string::npos, oneThread.find("\nfirst\t15\t19\t5\t1\t0.09\t402.222684\t"));
    EXPECT_NE(std::string::npos, oneThread.find("\nsecond\t7\t9\t3\t0\t0.9\tNA\tNA\tXAK\n"));
    std::istringstream rows(oneThread.substr(oneThread.find('\n') + 1));
    for (std::string name, start, end, length, missed, rest; rows >> name >> start >> end >> length >> missed;)
    {
        std::getline(rows, rest);
        EXPECT_LE(std::stoi(missed), 1) << name << " " << start << ".." << end;
        EXPECT_GE(std::stoi(length), 2) << name << " " << start << ".." << end;
    }
    EXPECT_NE(std::string::npos, oneThread.find("\nthird\t1\t2\t2\t1\t"));
    EXPECT_NE(std::string::npos, oneThreadSites.find("\nthird\t2\tK\tK\t0.9\n"));

    folder.Write("proteins.fasta", ">good\nMKW\n>bad\nMK?W\n");
    ExpectFailure(folder, RunSample(folder, parameters, {"--threads", "2"}), "proteins.fasta, line 4: '?' at position 3");
}
