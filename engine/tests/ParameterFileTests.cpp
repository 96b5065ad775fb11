#include "ParameterFile.h"
#include "ParameterKeys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "SampleRun.h"
#include "TestSupport.h"

using namespace cleavage;

namespace
{
// `text` with every line of `key` replaced by `line` (removed when empty).
std::string WithLine(const std::string& text, const std::string& key, const std::string& line)
{
    std::istringstream in(text);
    std::string result;
    bool replaced = false;
    for (std::string current; std::getline(in, current);)
    {
        const bool ofKey = current.rfind(key + "=", 0) == 0;
        if (!ofKey)
            result += current + "\n";
        else if (!replaced && !line.empty())
            result += line + "\n";
        replaced = replaced || ofKey;
    }
    return result;
}

class ParameterFileTest : public ::testing::Test
{
protected:
    ParameterFileTest()
    {
        WriteParameterFile(SampleParameters(), m_folder.PathOf("sample.txt"));
        m_sample = m_folder.Read("sample.txt");
    }

    std::string WithLine(const std::string& key, const std::string& line) const
    {
        return ::WithLine(m_sample, key, line);
    }

    std::string ReadError(const std::string& text) const
    {
        m_folder.Write("params.txt", text);
        return ErrorOf([&] { ReadParameterFile(m_folder.PathOf("params.txt")); });
    }

    TestFolder m_folder;
    std::string m_sample;
};
}

TEST_F(ParameterFileTest, WrittenFileReadsBackWithEveryCellByteForByte)
{
    Parameters written = SampleParameters();
    written.reagent.name = "Odd \\ name";
    written.reagent.recognition = {-2, 3, {"K\\n", "", "line\nbreak\r", "\\", "{P}", " "}};
    written.reagent.exception = {1, 2, {}};
    written.rangeOnly = written.thresholdMode = 1;
    written.rangeFrom = 2;
    written.rangeTo = 9;
    written.fragmentLimit = kAllFragments;
    written.maxMissed = 0;
    written.minLength = 4;
    written.threads = 3;
    written.maxRows = 0;
    written.maxBytes = 9223372036854775807LL; // max_bytes alone takes 64 bits
    WriteParameterFile(written, m_folder.PathOf("params.txt"));
    // Each cell on its own line, escaped.
    EXPECT_TRUE(Contains(m_folder.Read("params.txt"), "recognition_list=K\\\\n\nrecognition_list=\\e\n"
                                                      "recognition_list=line\\nbreak\\r\nrecognition_list=\\\\\n"));

    // A byte-order mark, CR LF and CR-only line ends, notes and keys of newer hosts read
    // the same.
    std::string text = "\xEF\xBB\xBF";
    for (const char ch : m_folder.Read("params.txt") + "newer_key=x\n# note\n")
        text += ch == '\n' ? std::string(text.size() % 2 ? "\r\n" : "\r") : std::string(1, ch);
    m_folder.Write("params.txt", text);
    const Parameters read = ReadParameterFile(m_folder.PathOf("params.txt"));
    EXPECT_EQ(written.reagent.name, read.reagent.name);
    EXPECT_EQ(written.reagent.recognition.cells, read.reagent.recognition.cells);
    EXPECT_TRUE(read.reagent.exception.cells.empty());
    EXPECT_EQ((std::vector<int>{-2, 1, 1, 2, 9, 1, kAllFragments}),
              (std::vector<int>{read.reagent.recognition.begin, read.reagent.exception.begin, read.rangeOnly,
                                read.rangeFrom, read.rangeTo, read.thresholdMode, read.fragmentLimit}));
    // max_length was not given.
    EXPECT_EQ((std::vector<std::optional<int>>{0, 4, std::nullopt, 3, 0}),
              (std::vector<std::optional<int>>{read.maxMissed, read.minLength, read.maxLength, read.threads,
                                               read.maxRows}));
    EXPECT_EQ(written.maxBytes, read.maxBytes);
    EXPECT_EQ(written.sequence, read.sequence);
    EXPECT_EQ(written.resultFile, read.resultFile);
}

TEST_F(ParameterFileTest, EveryRequiredKeyIsMissedByName)
{
    for (const char* key : {"enz_name", "recognition_probability", "exception_probability", "recognition_begining",
                            "exception_begining", "recognition_count", "exception_count", "analysis_probability",
                            "analysis_fragments", "analysis_from", "analysis_to", "probability_or_fragments",
                            "sorting", "range", "recognition_list", "exception_list", "molecule_name", "sequence",
                            "result_file"})
        EXPECT_EQ(m_folder.PathOf("params.txt") + ": key '" + key + "' is missing", ReadError(WithLine(key, "")));
}

TEST_F(ParameterFileTest, BadValuesNameFileLineAndKey)
{
    // Each line replaces its key's line (line 13 for sorting, 15 for the first cell).
    const std::pair<const char*, const char*> cases[] = {
        {"sorting=3", "line 13, key 'sorting': 3 is outside 0..2"},
        {"sorting=", "line 13, key 'sorting': \"\" is not a number"},
        {"sorting= 1", "line 13, key 'sorting': \" 1\" is not a number"},
        {"sorting=1.5", "line 13, key 'sorting': \"1.5\" is not a number"},
        {"recognition_probability=101", "line 2, key 'recognition_probability': 101 is outside 0..100"},
        {"exception_probability=-1", "line 3, key 'exception_probability': -1 is outside 0..100"},
        {"recognition_count=-2", "line 6, key 'recognition_count': -2 is outside 0..100000"},
        {"analysis_probability=2147483648", "line 8, key 'analysis_probability': 2147483648 does not fit 32 bits"},
        {"sorting=99999999999\x01", "line 13, key 'sorting': 99999999999\\x01 does not fit 32 bits"},
        {"analysis_fragments=0", "line 9, key 'analysis_fragments': 0 is outside 1..2147483647"},
        {"probability_or_fragments=-", "line 12, key 'probability_or_fragments': \"-\" is not a number"},
        {"range=2", "line 14, key 'range': 2 is outside 0..1"},
        {"recognition_list=\\x", "line 15, key 'recognition_list': \"\\x\" holds an unknown escape"},
        {"recognition_list=K\\", "line 15, key 'recognition_list': \"K\\\" holds an unknown escape"},
    };
    for (const auto& [line, message] : cases)
    {
        const std::string key(line, std::string(line).find('='));
        EXPECT_TRUE(Contains(ReadError(WithLine(key, line)), m_folder.PathOf("params.txt") + ", " + message));
    }
}

TEST_F(ParameterFileTest, FileLevelMistakes)
{
    const std::string path = m_folder.PathOf("params.txt");
    EXPECT_EQ(path + ", line 2: \"just words\" is not a key=value line", ReadError("# note\njust words\n" + m_sample));
    // With CR LF line ends a mistake names the same line and text.
    std::string crlf = WithLine("sorting", "sorting=x");
    for (std::size_t at = crlf.find('\n'); at != std::string::npos; at = crlf.find('\n', at + 2))
        crlf.insert(at, "\r");
    EXPECT_TRUE(Contains(ReadError(crlf), path + ", line 13, key 'sorting': \"x\" is not a number"));
    EXPECT_EQ(path + ", line 15, key 'sorting': the key was already given on line 13",
              ReadError(WithLine("range", "range=0\nsorting=1")));
    EXPECT_TRUE(Contains(ReadError(WithLine("exception_list", "exception_list=\nexception_list=K")),
                         "key 'exception_list': an empty value (no cells) among cells"));
    // A list is named by its first line (15), whatever line shows the count is not met.
    EXPECT_EQ(path + ", line 15, key 'recognition_list': 3 cells are not a whole number of patterns of 2 cells "
                     "(recognition_count)",
              ReadError(WithLine("recognition_list", "recognition_list=K\nrecognition_list=P\nrecognition_list=K")));
    EXPECT_TRUE(Contains(ReadError(m_sample + "fasta=p.fasta\n"), "give either 'sequence' or 'fasta', not both"));
    // A batch needs no molecule of its own.
    m_folder.Write("batch.txt", ::WithLine(WithLine("molecule_name", "fasta=p.fasta"), "sequence", ""));
    EXPECT_EQ("p.fasta", ReadParameterFile(m_folder.PathOf("batch.txt")).fastaFile);
}

TEST_F(ParameterFileTest, MassSpectrometryKeysReadBackAndRefuseBadValues)
{
    Parameters written = SampleParameters();
    written.specificity = Specificity::Semi;
    written.alsoReagents = {"Lys-C", "Asp-N"};
    written.fixedMods = {LookUpModification("Carbamidomethyl (C)", "test")};
    for (const char* name : {"Oxidation (M)", "Phospho (STY)"})
        written.variableMods.push_back(LookUpModification(name, "test"));
    written.maxVariableMods = 3;
    written.charges = ChargeRange{2, 4};
    written.minMass = 500000000;
    written.maxMass = 4000123456;
    WriteParameterFile(written, m_folder.PathOf("params.txt"));
    const Parameters read = ReadParameterFile(m_folder.PathOf("params.txt"));
    EXPECT_EQ(written.specificity, read.specificity);
    EXPECT_EQ(written.alsoReagents, read.alsoReagents);
    // The names as typed, and the kinds they stand for.
    for (const auto& [given, back] : {std::make_pair(&written.fixedMods, &read.fixedMods),
                                      std::make_pair(&written.variableMods, &read.variableMods)})
    {
        ASSERT_EQ(given->size(), back->size());
        for (std::size_t i = 0; i < given->size(); ++i)
            EXPECT_TRUE((*given)[i].name == (*back)[i].name && (*given)[i].kinds == (*back)[i].kinds) << i;
    }
    EXPECT_EQ((std::vector<long long>{3, 2, 4, 500000000, 4000123456}),
              (std::vector<long long>{read.maxVariableMods.value_or(-1), read.charges.value_or(ChargeRange()).from,
                                      read.charges.value_or(ChargeRange()).to, read.minMass.value_or(-1),
                                      read.maxMass.value_or(-1)}));

    // Each line follows the sample's last (line 21).
    const std::pair<const char*, const char*> cases[] = {
        {"specificity=Semi", "line 21, key 'specificity': \"Semi\" is neither full nor semi"},
        {"specificity=semi\nspecificity=full", "line 22, key 'specificity': the key was already given on line 21"},
        {"also_reagent=trypsin", "line 21, key 'also_reagent': \"trypsin\" is not a reagent of the shipped list; "
                                 "it holds Trypsin, Trypsin (Keil rules),"},
        {"fixed_mod=Oxidation", "line 21, key 'fixed_mod': \"Oxidation\" is not a modification the engine knows; "
                                "it knows Carbamidomethyl (C), Oxidation (M),"},
        {"variable_mod=Phospho (ST)", "line 21, key 'variable_mod': \"Phospho (ST)\" is not a modification"},
        {"max_variable_mods=9", "line 21, key 'max_variable_mods': 9 is outside 0..8"},
        {"charges=3-2", "line 21, key 'charges': \"3-2\" is not a range of charges A-B with 1 <= A <= B <= 100"},
        {"charges=2", "line 21, key 'charges': \"2\" is not a range of charges"},
        {"charges=1-101", "line 21, key 'charges': \"1-101\" is not a range of charges"},
        {"min_mass=1.1234567", "line 21, key 'min_mass': \"1.1234567\" is not a mass in daltons"},
        {"max_mass=-5", "line 21, key 'max_mass': \"-5\" is not a mass in daltons"},
        {"max_mass=5.", "line 21, key 'max_mass': \"5.\" is not a mass in daltons"},
        {"max_mass=1000000001", "line 21, key 'max_mass': 1000000001 is above 1000000000 daltons"},
        {"max_bytes=9223372036854775808", "line 21, key 'max_bytes': 9223372036854775808 does not fit 64 bits"},
        {"max_bytes=-1", "line 21, key 'max_bytes': -1 is outside 0..9223372036854775807"},
    };
    for (const auto& [line, message] : cases)
        EXPECT_TRUE(Contains(ReadError(m_sample + line + "\n"), m_folder.PathOf("params.txt") + ", " + message));

    // What one value cannot show, checked once every key and option is in.
    const struct
    {
        std::vector<std::pair<std::string, std::string>> keys;
        const char* message;
    } combinations[] = {
        {{{"min_mass", "5"}, {"max_mass", "4.999999"}}, "min_mass 5.000000 is above max_mass 4.999999"},
        {{{"also_reagent", "Lys-C"}, {"also_reagent", "Lys-C"}}, "\"Lys-C\" is given twice"},
        // The sample's own reagent, Trypsin.
        {{{"also_reagent", "Trypsin"}}, "test: \"Trypsin\" is the file's own reagent already"},
        {{{"fixed_mod", "Phospho (S)"}, {"variable_mod", "Phospho (STY)"}},
         "\"Phospho (STY)\" names Phospho (S) a second time"},
        {{{"fixed_mod", "Deamidated (Q)"}, {"fixed_mod", "Gln->pyro-Glu (N-term Q)"}},
         "the fixed modifications Deamidated (Q) and Gln->pyro-Glu (N-term Q) would change the same residue"},
        // Pyro-glutamate forms from the amino group an acetylated N-terminus holds.
        {{{"fixed_mod", "Acetyl (Protein N-term)"}, {"fixed_mod", "Gln->pyro-Glu (N-term Q)"}},
         "test: the fixed modifications Acetyl (Protein N-term) and Gln->pyro-Glu (N-term Q) would change the same"},
        {{{"fixed_mod", "Acetyl (Protein N-term)"}, {"variable_mod", "Gln->pyro-Glu (N-term Q)"}}, "no error"},
        // The two protein termini are two places.
        {{{"fixed_mod", "Acetyl (Protein N-term)"}, {"fixed_mod", "Amidated (Protein C-term)"}}, "no error"},
    };
    for (const auto& c : combinations)
    {
        Parameters parameters = SampleParameters();
        for (const auto& [key, value] : c.keys)
            ASSERT_TRUE(SetBatchKey(parameters, key, value, "test"));
        EXPECT_TRUE(Contains(ErrorOf([&] { CheckTogether(parameters); }), c.message));
    }
}

TEST_F(ParameterFileTest, EveryOptionSetsTheKeyOfItsLine)
{
    // option, value: the line the file holds
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"--fasta", "p.fa", "fasta=p.fa"},
        {"--missed", "2", "missed=2"},
        {"--min-length", "3", "min_length=3"},
        {"--max-length", "30", "max_length=30"},
        {"--threads", "4", "threads=4"},
        {"--max-rows", "0", "max_rows=0"},
        {"--progress", "1", "progress=1"},
        {"--max-bytes", "5000000000", "max_bytes=5000000000"},
        {"--specificity", "semi", "specificity=semi"},
        {"--also-reagent", "Lys-C", "also_reagent=Lys-C"},
        {"--fixed-mod", "Carbamidomethyl (C)", "fixed_mod=Carbamidomethyl (C)"},
        {"--variable-mod", "Oxidation (M)", "variable_mod=Oxidation (M)"},
        {"--max-variable-mods", "3", "max_variable_mods=3"},
        {"--charges", "2-3", "charges=2-3"},
        {"--min-mass", "500.5", "min_mass=500.500000"},
        {"--max-mass", "4000", "max_mass=4000.000000"},
        {"--masses", "m.txt", "masses=m.txt"},
        {"--observed", "mz", "observed=mz"},
        {"--mass-type", "average", "mass_type=average"},
        // Kept as it was written.
        {"--tolerance", "0.50 Da", "tolerance=0.50 Da"},
        {"--background", "0.50", "background_efficiency=0.50"},
    };
    for (const auto& [option, value, line] : cases)
    {
        Parameters parameters = SampleParameters();
        ASSERT_TRUE(SetBatchKey(parameters, KeyOfOption(option), value, "test")) << option;
        EXPECT_EQ(option, OptionOfKey(KeyOfOption(option)));
        WriteParameterFile(parameters, m_folder.PathOf("params.txt"));
        EXPECT_TRUE(Contains(m_folder.Read("params.txt"), std::string("\n") + line + "\n")) << option;
    }
    const std::vector<KeyDescription>& keys = ParameterKeys();
    EXPECT_EQ(std::size(cases), std::count_if(keys.begin(), keys.end(),
                                              [](const KeyDescription& key) { return !key.option.empty(); }));
    // The settings record's keys and the molecule's come from the file alone.
    Parameters parameters = SampleParameters();
    EXPECT_FALSE(SetBatchKey(parameters, "sorting", "1", "test"));
    EXPECT_EQ("", KeyOfOption("--sequence"));
}

TEST_F(ParameterFileTest, SomeKeysAloneAreReadByTheFileRules)
{
    std::vector<const KeyDescription*> keys = {FindKey("charges"), FindKey("variable_mod")};
    // None of the settings record's keys is needed, and a key not asked for is not read.
    m_folder.Write("panel.txt", "charges=2-3\nvariable_mod=Oxidation (M)\nvariable_mod=Phospho (STY)\nsorting=x\n");
    const Parameters read = ParameterLines(m_folder.PathOf("panel.txt")).CheckKeys(keys);
    EXPECT_EQ(3, read.charges.value_or(ChargeRange()).to);
    ASSERT_EQ(2u, read.variableMods.size());
    EXPECT_EQ("Phospho (STY)", read.variableMods[1].name);
    m_folder.Write("panel.txt", "charges=2-3\ncharges=1-2\n");
    EXPECT_EQ(m_folder.PathOf("panel.txt") + ", line 2, key 'charges': the key was already given on line 1",
              ErrorOf([&] { ParameterLines(m_folder.PathOf("panel.txt")).CheckKeys(keys); }));
}
