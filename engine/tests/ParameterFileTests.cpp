#include "EngineError.h"
#include "ParameterFile.h"

#include <gtest/gtest.h>
#include <algorithm>

#include "SampleRun.h"
#include "TestFiles.h"

using namespace cleavage;

namespace
{
std::string ReadError(const TestFolder& folder, const std::string& text)
{
    folder.Write("params.txt", text);
    try
    {
        ReadParameterFile(folder.PathOf("params.txt"));
    }
    catch (const EngineError& error)
    {
        return error.what();
    }
    return "no error";
}

std::string SampleText(const TestFolder& folder)
{
    WriteParameterFile(SampleParameters(), folder.PathOf("sample.txt"));
    return folder.Read("sample.txt");
}

// The sample file with the lines of `key` replaced by `line` (or removed when empty).
std::string WithLine(const std::string& text, const std::string& key, const std::string& line)
{
    std::istringstream in(text);
    std::string result;
    bool replaced = false;
    for (std::string current; std::getline(in, current);)
    {
        if (current.rfind(key + "=", 0) != 0)
            result += current + "\n";
        else if (!replaced && !line.empty())
            result += line + "\n";
        replaced = replaced || current.rfind(key + "=", 0) == 0;
    }
    return result;
}
}

TEST(ParameterFileTest, WrittenFileReadsBackWithEveryCellByteForByte)
{
    TestFolder folder;
    Parameters written = SampleParameters();
    written.reagent.name = "Odd \\ name";
    written.reagent.recognition = {-2, 3, {"K\\n", "", "line\nbreak\r", "\\", "{P}", " "}};
    written.reagent.exception = {1, 2, {}};
    written.rangeOnly = 1;
    written.rangeFrom = 2;
    written.rangeTo = 9;
    written.thresholdMode = 1;
    written.fragmentLimit = kAllFragments;
    written.maxMissed = 0;
    written.minLength = 4;
    written.threads = 3;
    WriteParameterFile(written, folder.PathOf("params.txt"));
    const Parameters read = ReadParameterFile(folder.PathOf("params.txt"));

    EXPECT_EQ(written.reagent.name, read.reagent.name);
    EXPECT_EQ(written.reagent.recognition.cells, read.reagent.recognition.cells);
    EXPECT_EQ(written.reagent.recognition.begin, read.reagent.recognition.begin);
    EXPECT_TRUE(read.reagent.exception.cells.empty());
    EXPECT_EQ(1, read.reagent.exception.begin);
    EXPECT_EQ((std::vector<int>{1, 2, 9, 1, kAllFragments, 0, 4, -1, 3}),
              (std::vector<int>{read.rangeOnly, read.rangeFrom, read.rangeTo, read.thresholdMode, read.fragmentLimit,
                                read.maxMissed, read.minLength, read.maxLength, read.threads}));
    EXPECT_EQ(written.sequence, read.sequence);
    EXPECT_EQ(written.resultFile, read.resultFile);
    // Each cell on its own line, escaped; CR LF line ends read the same.
    const std::string text = folder.Read("params.txt");
    EXPECT_NE(std::string::npos, text.find("recognition_list=K\\\\n\nrecognition_list=\\e\n"
                                           "recognition_list=line\\nbreak\\r\nrecognition_list=\\\\\n"));
    std::string crlf;
    for (const char ch : text)
        crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    folder.Write("crlf.txt", crlf + "some_newer_key=whatever\r\n# a note\r\n");
    EXPECT_EQ(written.reagent.recognition.cells, ReadParameterFile(folder.PathOf("crlf.txt")).reagent.recognition.cells);
}

TEST(ParameterFileTest, EveryRequiredKeyIsMissedByName)
{
    TestFolder folder;
    const std::string text = SampleText(folder);
    for (const char* key : {"enz_name", "recognition_probability", "exception_probability", "recognition_begining",
                            "exception_begining", "recognition_count", "exception_count", "analysis_probability",
                            "analysis_fragments", "analysis_from", "analysis_to", "probability_or_fragments",
                            "sorting", "range", "recognition_list", "exception_list", "molecule_name", "sequence",
                            "result_file"})
    {
        EXPECT_EQ(folder.PathOf("params.txt") + ": key '" + key + "' is missing",
                  ReadError(folder, WithLine(text, key, "")));
    }
}

TEST(ParameterFileTest, BadValuesNameFileLineAndKey)
{
    TestFolder folder;
    const std::string text = SampleText(folder);
    struct Case
    {
        const char* key;
        const char* line;
        const char* message; // after "<file>, line <n>, key '<key>': "
    };
    const Case cases[] = {
        {"sorting", "sorting=3", "3 is outside 0..2"},
        {"sorting", "sorting=", "\"\" is not a number"},
        {"sorting", "sorting=1.5", "\"1.5\" is not a number"},
        {"sorting", "sorting= 1", "\" 1\" is not a number"},
        {"recognition_probability", "recognition_probability=101", "101 is outside 0..100"},
        {"exception_probability", "exception_probability=-1", "-1 is outside 0..100"},
        {"analysis_probability", "analysis_probability=2147483648", "2147483648 does not fit 32 bits"},
        {"analysis_fragments", "analysis_fragments=0", "0 is outside 1..2147483647"},
        {"range", "range=2", "2 is outside 0..1"},
        {"probability_or_fragments", "probability_or_fragments=-", "\"-\" is not a number"},
        {"recognition_count", "recognition_count=-2", "-2 is outside 0..100000"},
        {"recognition_list", "recognition_list=\\x", "\"\\x\" holds an unknown escape; a backslash is written \\\\"},
        {"recognition_list", "recognition_list=K\\", "\"K\\\" holds an unknown escape; a backslash is written \\\\"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.line);
        const std::string file = WithLine(text, c.key, c.line);
        const std::size_t line = std::count(file.begin(), file.begin() + file.find(std::string(c.line) + "\n"), '\n') + 1;
        EXPECT_EQ(folder.PathOf("params.txt") + ", line " + std::to_string(line) + ", key '" + c.key + "': " + c.message,
                  ReadError(folder, file));
    }
}

TEST(ParameterFileTest, FileLevelMistakes)
{
    TestFolder folder;
    const std::string text = SampleText(folder);
    const std::string path = folder.PathOf("params.txt");
    EXPECT_EQ(folder.PathOf("none.txt") + ": cannot open the parameter file",
              [&] {
                  try
                  {
                      ReadParameterFile(folder.PathOf("none.txt"));
                  }
                  catch (const EngineError& error)
                  {
                      return std::string(error.what());
                  }
                  return std::string("no error");
              }());
    EXPECT_EQ(path + ", line 2: \"just words\" is not a key=value line",
              ReadError(folder, "# note\njust words\n" + text));
    EXPECT_EQ(path + ", line 15, key 'sorting': the key was already given on line 13",
              ReadError(folder, WithLine(text, "range", "range=0\nsorting=1")));
    EXPECT_NE(std::string::npos,
              ReadError(folder, WithLine(text, "exception_list", "exception_list=\nexception_list=K"))
                  .find("key 'exception_list': an empty value (no cells) among cells; write an empty cell as \\e"));
    EXPECT_NE(std::string::npos, ReadError(folder, text + "fasta=proteome.fasta\n")
                                     .find("key 'fasta': give either 'sequence' or 'fasta', not both"));
    // A batch needs no molecule of its own.
    folder.Write("batch.txt", WithLine(WithLine(text, "molecule_name", ""), "sequence", "fasta=p.fasta"));
    EXPECT_EQ("p.fasta", ReadParameterFile(folder.PathOf("batch.txt")).fastaFile);
}
