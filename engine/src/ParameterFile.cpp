#include "ParameterFile.h"
#include "EngineError.h"
#include "FeatureKeys.h"
#include "LineReader.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

namespace cleavage
{
namespace
{
const char kEnzName[] = "enz_name";
const char kRecognitionList[] = "recognition_list";
const char kExceptionList[] = "exception_list";
const char kMoleculeName[] = "molecule_name";
const char kSequence[] = "sequence";
const char kFasta[] = "fasta";
const char kResultFile[] = "result_file";

// How a list cell's special characters stand on its line.
struct Escape
{
    char character;
    char letter; // after a backslash
};
const Escape kEscapes[] = {{'\\', '\\'}, {'\n', 'n'}, {'\r', 'r'}};
// The whole value of a cell that is empty (an empty value means a list without cells).
const char kEmptyCell[] = "\\e";

// Pattern positions reach at most this far from the site: far beyond any real
// reagent, and small enough that no arithmetic on them can overflow.
constexpr int kMaxPatternReach = 100000;

// An integer key, the field it fills and its allowed values.
template <class Field>
struct IntegerKey
{
    const char* key;
    Field& (*field)(Parameters&);
    long long min;
    long long max;
};

// The settings record's integers, in the record's order; all required.
const IntegerKey<int> kSettingsIntegers[] = {
    {"recognition_probability", [](Parameters& p) -> int& { return p.reagent.recognitionEfficiency; }, 0, 100},
    {"exception_probability", [](Parameters& p) -> int& { return p.reagent.exceptionEfficiency; }, 0, 100},
    {"recognition_begining", [](Parameters& p) -> int& { return p.reagent.recognition.begin; }, -kMaxPatternReach,
     kMaxPatternReach},
    {"exception_begining", [](Parameters& p) -> int& { return p.reagent.exception.begin; }, -kMaxPatternReach,
     kMaxPatternReach},
    {"recognition_count", [](Parameters& p) -> int& { return p.reagent.recognition.count; }, 0, kMaxPatternReach},
    {"exception_count", [](Parameters& p) -> int& { return p.reagent.exception.count; }, 0, kMaxPatternReach},
    {"analysis_probability", [](Parameters& p) -> int& { return p.probabilityThreshold; }, 0, 100},
    {"analysis_fragments", [](Parameters& p) -> int& { return p.fragmentLimit; }, 1, kAllFragments},
    {"analysis_from", [](Parameters& p) -> int& { return p.rangeFrom; }, 0, kAllFragments},
    {"analysis_to", [](Parameters& p) -> int& { return p.rangeTo; }, 0, kAllFragments},
    {"probability_or_fragments", [](Parameters& p) -> int& { return p.thresholdMode; }, 0, 1},
    {"sorting", [](Parameters& p) -> int& { return p.sortOrder; }, 0, 2},
    {"range", [](Parameters& p) -> int& { return p.rangeOnly; }, 0, 1},
};

// Keys for batch work, optional: a field below its minimum was not given.
const IntegerKey<int> kBatchIntegers[] = {
    {"missed", [](Parameters& p) -> int& { return p.maxMissed; }, 0, kAllFragments},
    {"min_length", [](Parameters& p) -> int& { return p.minLength; }, 1, kAllFragments},
    {"max_length", [](Parameters& p) -> int& { return p.maxLength; }, 1, kAllFragments},
    {"threads", [](Parameters& p) -> int& { return p.threads; }, 1, 1024},
    {"max_rows", [](Parameters& p) -> int& { return p.maxRows; }, 0, kAllFragments},
    {"progress", [](Parameters& p) -> int& { return p.progress; }, 0, 1},
};
// A table's bytes pass 32 bits: this key alone takes 64.
const IntegerKey<long long> kMaxBytes = {"max_bytes", [](Parameters& p) -> long long& { return p.maxBytes; }, 0,
                                         LLONG_MAX};

// The value of an integer key, checked against the key's limits.
template <class Field>
Field CheckedInteger(const IntegerKey<Field>& key, const std::string& value, const std::string& where)
{
    const long long parsed = ParseWideInteger(value, where, static_cast<int>(sizeof(Field) * CHAR_BIT));
    if (parsed < key.min || parsed > key.max)
        throw EngineError(where + ": " + value + " is outside " + std::to_string(key.min) + ".." +
                          std::to_string(key.max));
    return static_cast<Field>(parsed);
}

// An optional key's line, when its field is given.
template <class Field>
void WriteOptional(std::ostream& out, const IntegerKey<Field>& key, Parameters& values)
{
    if (key.field(values) >= key.min)
        out << key.key << '=' << key.field(values) << '\n';
}

void WriteText(std::ostream& out, const char* key, const std::string& value)
{
    if (value.find_first_of("\r\n") != std::string::npos)
        throw EngineError(std::string("key '") + key + "': a line break cannot stand in this value");
    out << key << '=' << value << '\n';
}

void WriteList(std::ostream& out, const char* key, const std::vector<std::string>& cells)
{
    if (cells.empty())
        out << key << "=\n";
    for (const std::string& cell : cells)
        out << key << '=' << EscapeCell(cell) << '\n';
}
}

// Fills the parameters from a file's lines, noting where each key was read.
class ParameterReader
{
public:
    ParameterReader(const ParameterLines& lines, Parameters& parameters) : m_lines(lines), m_parameters(parameters) {}

    void Text(const char* key, std::string& field, bool required)
    {
        if (const ParameterLines::ValueLine* line = m_lines.Single(key, required))
        {
            field = line->value;
            Note(key, *line);
        }
    }

    template <class Field>
    void Integer(const IntegerKey<Field>& key, bool required)
    {
        const ParameterLines::ValueLine* line = m_lines.Single(key.key, required);
        if (!line)
            return;
        key.field(m_parameters) = CheckedInteger(key, line->value, m_lines.Where(key.key, line->line));
        Note(key.key, *line);
    }

    void List(const char* key, std::vector<std::string>& cells)
    {
        const std::vector<ParameterLines::ValueLine>& lines = m_lines.All(key);
        cells.clear();
        for (const ParameterLines::ValueLine& line : lines)
        {
            const std::string where = m_lines.Where(key, line.line);
            // An empty value stands for a list without cells and must stand alone.
            if (line.value.empty())
            {
                if (lines.size() > 1)
                    throw EngineError(where + ": an empty value (no cells) among cells; write an empty cell as \\e");
                continue;
            }
            cells.push_back(UnescapeCell(line.value, where));
        }
        Note(key, lines.front());
    }

    // The cells of a side are whole patterns of its count.
    void WholePatterns(const char* listKey, const char* countKey, const PatternSet& set)
    {
        CheckWholePatterns(set, m_parameters.Where(listKey), countKey);
    }

private:
    void Note(const char* key, const ParameterLines::ValueLine& line)
    {
        m_parameters.origin[key] = m_lines.Where(key, line.line);
    }

    const ParameterLines& m_lines;
    Parameters& m_parameters;
};

ParameterLines::ParameterLines(const std::string& path) : m_path(Printable(path))
{
    LineReader in(path, "parameter file");
    for (std::string text; in.Next(text);)
    {
        if (text.empty() || text[0] == '#')
            continue;
        const std::size_t equals = text.find('=');
        if (equals == std::string::npos || equals == 0)
        {
            // Reported by Check: the lines after it may still name the result file.
            if (m_firstMistake.empty())
                m_firstMistake = m_path + ", line " + std::to_string(in.LineNumber()) + ": \"" + Printable(text) +
                                 "\" is not a key=value line";
            continue;
        }
        m_lines[text.substr(0, equals)].push_back({in.LineNumber(), text.substr(equals + 1)});
    }
}

std::string ParameterLines::Value(const std::string& key) const
{
    const auto it = m_lines.find(key);
    return it != m_lines.end() && it->second.size() == 1 ? it->second[0].value : std::string();
}

std::vector<std::string> ParameterLines::Values(const std::string& key) const
{
    std::vector<std::string> values;
    const auto it = m_lines.find(key);
    if (it != m_lines.end())
        for (const ValueLine& line : it->second)
            values.push_back(line.value);
    return values;
}

std::string ParameterLines::Where(const std::string& key, int line) const
{
    return m_path + ", line " + std::to_string(line) + ", key '" + key + "'";
}

const ParameterLines::ValueLine* ParameterLines::Single(const std::string& key, bool required) const
{
    const auto it = m_lines.find(key);
    if (it == m_lines.end())
    {
        if (required)
            throw EngineError(m_path + ": key '" + key + "' is missing");
        return nullptr;
    }
    if (it->second.size() > 1)
        throw EngineError(Where(key, it->second[1].line) + ": the key was already given on line " +
                          std::to_string(it->second[0].line));
    return &it->second[0];
}

const std::vector<ParameterLines::ValueLine>& ParameterLines::All(const std::string& key) const
{
    const auto it = m_lines.find(key);
    if (it == m_lines.end())
        throw EngineError(m_path + ": key '" + key + "' is missing");
    return it->second;
}

std::string Parameters::Where(const std::string& key) const
{
    const auto it = origin.find(key);
    return it != origin.end() ? it->second : sourceName + ", key '" + key + "'";
}

long long ParseWideInteger(const std::string& text, const std::string& where, int bits)
{
    const std::string notANumber = where + ": \"" + Printable(text) + "\" is not a number";
    const std::string tooWide = where + ": " + Printable(text) + " does not fit " + std::to_string(bits) + " bits";
    const bool negative = !text.empty() && text[0] == '-';
    std::size_t i = negative ? 1 : 0;
    if (i == text.size())
        throw EngineError(notANumber);
    // The magnitude of the most negative value; the most positive is one less.
    const unsigned long long most = 1ULL << (bits - 1);
    unsigned long long value = 0;
    for (; i < text.size(); ++i)
    {
        if (text[i] < '0' || text[i] > '9')
            throw EngineError(notANumber);
        const unsigned digit = static_cast<unsigned>(text[i] - '0');
        if (value > (most - digit) / 10)
            throw EngineError(tooWide);
        value = value * 10 + digit;
    }
    if (!negative && value == most)
        throw EngineError(tooWide);
    return negative ? -static_cast<long long>(value - 1) - 1 : static_cast<long long>(value);
}

int ParseInteger(const std::string& text, const std::string& where)
{
    return static_cast<int>(ParseWideInteger(text, where, 32));
}

std::string EscapeCell(const std::string& cell)
{
    if (cell.empty())
        return kEmptyCell;
    std::string text;
    for (const char ch : cell)
    {
        const auto escape = std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                         [ch](const Escape& e) { return e.character == ch; });
        if (escape == std::end(kEscapes))
            text += ch;
        else
            text.append({'\\', escape->letter});
    }
    return text;
}

std::string UnescapeCell(const std::string& text, const std::string& where)
{
    if (text == kEmptyCell)
        return std::string();
    std::string cell;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] != '\\')
        {
            cell += text[i];
            continue;
        }
        const char letter = i + 1 < text.size() ? text[++i] : '\0';
        const auto escape = std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                         [letter](const Escape& e) { return e.letter == letter; });
        if (escape == std::end(kEscapes))
            throw EngineError(where + ": \"" + Printable(text) +
                              "\" holds an unknown escape; a backslash is written \\\\");
        cell += escape->character;
    }
    return cell;
}

bool SetBatchKey(Parameters& parameters, const std::string& key, const std::string& value, const std::string& where)
{
    if (key == kFasta)
        parameters.fastaFile = value;
    else
    {
        const auto batchKey = std::find_if(std::begin(kBatchIntegers), std::end(kBatchIntegers),
                                           [&key](const IntegerKey<int>& k) { return key == k.key; });
        if (key == kMaxBytes.key)
            kMaxBytes.field(parameters) = CheckedInteger(kMaxBytes, value, where);
        else if (batchKey == std::end(kBatchIntegers))
            return SetFeatureKey(parameters, key, value, where);
        else
            batchKey->field(parameters) = CheckedInteger(*batchKey, value, where);
    }
    parameters.origin[key] = where;
    return true;
}

Parameters ParameterLines::Check() const
{
    if (!m_firstMistake.empty())
        throw EngineError(m_firstMistake);
    Parameters parameters;
    parameters.sourceName = m_path;
    ParameterReader read(*this, parameters);
    ReagentText& reagent = parameters.reagent;
    read.Text(kEnzName, reagent.name, true);
    for (const IntegerKey<int>& key : kSettingsIntegers)
        read.Integer(key, true);
    read.List(kRecognitionList, reagent.recognition.cells);
    read.List(kExceptionList, reagent.exception.cells);
    read.WholePatterns(kRecognitionList, "recognition_count", reagent.recognition);
    read.WholePatterns(kExceptionList, "exception_count", reagent.exception);

    // The molecule: one named sequence, or a FASTA file for a batch.
    read.Text(kFasta, parameters.fastaFile, false);
    const bool batch = m_lines.count(kFasta) != 0;
    if (batch && m_lines.count(kSequence) != 0)
        throw EngineError(parameters.Where(kFasta) + ": give either 'sequence' or 'fasta', not both");
    read.Text(kMoleculeName, parameters.moleculeName, !batch);
    read.Text(kSequence, parameters.sequence, !batch);
    read.Text(kResultFile, parameters.resultFile, true);

    for (const IntegerKey<int>& key : kBatchIntegers)
        read.Integer(key, false);
    read.Integer(kMaxBytes, false);
    for (const FeatureKey& key : FeatureKeys())
    {
        const auto lines = m_lines.find(key.key);
        if (lines == m_lines.end())
            continue;
        if (!key.list)
            Single(key.key, false);
        for (const ValueLine& line : lines->second)
            SetFeatureKey(parameters, key.key, line.value, Where(key.key, line.line));
    }
    return parameters;
}

Parameters ReadParameterFile(const std::string& path)
{
    return ParameterLines(path).Check();
}

void CheckLengths(const Parameters& parameters)
{
    if (parameters.minLength > 0 && parameters.maxLength > 0 && parameters.minLength > parameters.maxLength)
        throw EngineError(parameters.Where("min_length") + ": min_length " + std::to_string(parameters.minLength) +
                          " is above max_length " + std::to_string(parameters.maxLength) + " (" +
                          parameters.Where("max_length") + ")");
}

void WriteParameterFile(const Parameters& parameters, const std::string& path)
{
    // The table's fields are reached through a copy: they are not const.
    Parameters values = parameters;
    std::ostringstream out;
    WriteText(out, kEnzName, values.reagent.name);
    for (const IntegerKey<int>& key : kSettingsIntegers)
        out << key.key << '=' << key.field(values) << '\n';
    WriteList(out, kRecognitionList, values.reagent.recognition.cells);
    WriteList(out, kExceptionList, values.reagent.exception.cells);
    if (values.fastaFile.empty())
    {
        WriteText(out, kMoleculeName, values.moleculeName);
        WriteText(out, kSequence, values.sequence);
    }
    else
        WriteText(out, kFasta, values.fastaFile);
    WriteText(out, kResultFile, values.resultFile);
    for (const IntegerKey<int>& key : kBatchIntegers)
        WriteOptional(out, key, values);
    WriteOptional(out, kMaxBytes, values);
    WriteFeatureKeys(out, values);

    std::ofstream file(path, std::ios::binary);
    file << out.str();
    file.close();
    if (!file)
        throw EngineError(path + ": cannot write the parameter file");
}
}
