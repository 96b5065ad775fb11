#include "ParameterFile.h"
#include "EngineError.h"

#include <fstream>
#include <sstream>
#include <vector>

namespace cleavage
{
namespace
{
const char kEnzName[] = "enz_name";
const char kRecognitionEfficiency[] = "recognition_probability";
const char kExceptionEfficiency[] = "exception_probability";
const char kRecognitionBegin[] = "recognition_begining";
const char kExceptionBegin[] = "exception_begining";
const char kRecognitionCount[] = "recognition_count";
const char kExceptionCount[] = "exception_count";
const char kThreshold[] = "analysis_probability";
const char kFragmentLimit[] = "analysis_fragments";
const char kRangeFrom[] = "analysis_from";
const char kRangeTo[] = "analysis_to";
const char kThresholdMode[] = "probability_or_fragments";
const char kSorting[] = "sorting";
const char kRangeOnly[] = "range";
const char kRecognitionList[] = "recognition_list";
const char kExceptionList[] = "exception_list";
const char kMoleculeName[] = "molecule_name";
const char kSequence[] = "sequence";
const char kFasta[] = "fasta";
const char kResultFile[] = "result_file";
const char kMissed[] = "missed";
const char kMinLength[] = "min_length";
const char kMaxLength[] = "max_length";
const char kThreads[] = "threads";

// Pattern positions reach at most this far from the site: far beyond any real
// reagent, and small enough that no arithmetic on them can overflow.
constexpr int kMaxPatternReach = 100000;

struct ValueLine
{
    int line;
    std::string value;
};

// The lines of one file, by key, in file order.
class KeyLines
{
public:
    KeyLines(std::istream& in, const std::string& fileName) : m_fileName(fileName)
    {
        std::string text;
        for (int line = 1; std::getline(in, text); ++line)
        {
            // A file written on Windows may end its lines with CR LF.
            if (!text.empty() && text.back() == '\r')
                text.pop_back();
            if (text.empty() || text[0] == '#')
                continue;
            const std::size_t equals = text.find('=');
            if (equals == std::string::npos || equals == 0)
                throw EngineError(m_fileName + ", line " + std::to_string(line) + ": \"" + text +
                                  "\" is not a key=value line");
            m_lines[text.substr(0, equals)].push_back({line, text.substr(equals + 1)});
        }
    }

    bool Has(const std::string& key) const { return m_lines.count(key) != 0; }

    std::string Where(const std::string& key, int line) const
    {
        return m_fileName + ", line " + std::to_string(line) + ", key '" + key + "'";
    }

    // The one line of a key; a key given twice is an error, not a silent choice.
    const ValueLine* Single(const std::string& key, bool required) const
    {
        const auto it = m_lines.find(key);
        if (it == m_lines.end())
        {
            if (required)
                throw EngineError(m_fileName + ": key '" + key + "' is missing");
            return nullptr;
        }
        if (it->second.size() > 1)
            throw EngineError(Where(key, it->second[1].line) + ": the key was already given on line " +
                              std::to_string(it->second[0].line));
        return &it->second[0];
    }

    const std::vector<ValueLine>& All(const std::string& key) const
    {
        const auto it = m_lines.find(key);
        if (it == m_lines.end())
            throw EngineError(m_fileName + ": key '" + key + "' is missing");
        return it->second;
    }

private:
    std::string m_fileName;
    std::map<std::string, std::vector<ValueLine>> m_lines;
};

class ParameterReader
{
public:
    ParameterReader(const KeyLines& lines, Parameters& parameters) : m_lines(lines), m_parameters(parameters) {}

    void Text(const char* key, std::string& field, bool required)
    {
        if (const ValueLine* line = m_lines.Single(key, required))
        {
            field = line->value;
            Note(key, *line);
        }
    }

    void Integer(const char* key, int& field, long long min, long long max, bool required)
    {
        const ValueLine* line = m_lines.Single(key, required);
        if (!line)
            return;
        const std::string where = m_lines.Where(key, line->line);
        const int value = ParseInteger(line->value, where);
        if (value < min || value > max)
            throw EngineError(where + ": " + line->value + " is outside " + std::to_string(min) + ".." +
                              std::to_string(max));
        field = value;
        Note(key, *line);
    }

    void List(const char* key, std::vector<std::string>& cells)
    {
        const std::vector<ValueLine>& lines = m_lines.All(key);
        cells.clear();
        for (const ValueLine& line : lines)
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

private:
    void Note(const char* key, const ValueLine& line) { m_parameters.origin[key] = m_lines.Where(key, line.line); }

    const KeyLines& m_lines;
    Parameters& m_parameters;
};

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

std::string Parameters::Where(const std::string& key) const
{
    const auto it = origin.find(key);
    return it != origin.end() ? it->second : sourceName + ", key '" + key + "'";
}

int ParseInteger(const std::string& text, const std::string& where)
{
    std::size_t i = (!text.empty() && text[0] == '-') ? 1 : 0;
    if (i == text.size())
        throw EngineError(where + ": \"" + text + "\" is not a number");
    long long value = 0;
    for (; i < text.size(); ++i)
    {
        if (text[i] < '0' || text[i] > '9')
            throw EngineError(where + ": \"" + text + "\" is not a number");
        value = value * 10 + (text[i] - '0');
        if (value > 2147483648LL)
            throw EngineError(where + ": " + text + " does not fit 32 bits");
    }
    value = text[0] == '-' ? -value : value;
    if (value > 2147483647LL)
        throw EngineError(where + ": " + text + " does not fit 32 bits");
    return static_cast<int>(value);
}

std::string EscapeCell(const std::string& cell)
{
    if (cell.empty())
        return "\\e";
    std::string text;
    for (const char ch : cell)
    {
        if (ch == '\\')
            text += "\\\\";
        else if (ch == '\n')
            text += "\\n";
        else if (ch == '\r')
            text += "\\r";
        else
            text += ch;
    }
    return text;
}

std::string UnescapeCell(const std::string& text, const std::string& where)
{
    if (text == "\\e")
        return std::string();
    std::string cell;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] != '\\')
        {
            cell += text[i];
            continue;
        }
        const char next = i + 1 < text.size() ? text[++i] : '\0';
        if (next == '\\')
            cell += '\\';
        else if (next == 'n')
            cell += '\n';
        else if (next == 'r')
            cell += '\r';
        else
            throw EngineError(where + ": \"" + text + "\" holds an unknown escape; a backslash is written \\\\");
    }
    return cell;
}

Parameters ReadParameterFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw EngineError(path + ": cannot open the parameter file");
    const KeyLines lines(in, path);
    if (in.bad())
        throw EngineError(path + ": cannot read the parameter file");

    Parameters parameters;
    parameters.sourceName = path;
    ParameterReader read(lines, parameters);
    ReagentText& reagent = parameters.reagent;
    read.Text(kEnzName, reagent.name, true);
    read.Integer(kRecognitionEfficiency, reagent.recognitionEfficiency, 0, 100, true);
    read.Integer(kExceptionEfficiency, reagent.exceptionEfficiency, 0, 100, true);
    read.Integer(kRecognitionBegin, reagent.recognition.begin, -kMaxPatternReach, kMaxPatternReach, true);
    read.Integer(kExceptionBegin, reagent.exception.begin, -kMaxPatternReach, kMaxPatternReach, true);
    read.Integer(kRecognitionCount, reagent.recognition.count, 0, kMaxPatternReach, true);
    read.Integer(kExceptionCount, reagent.exception.count, 0, kMaxPatternReach, true);
    read.Integer(kThreshold, parameters.probabilityThreshold, 0, 100, true);
    read.Integer(kFragmentLimit, parameters.fragmentLimit, 1, kAllFragments, true);
    read.Integer(kRangeFrom, parameters.rangeFrom, 0, kAllFragments, true);
    read.Integer(kRangeTo, parameters.rangeTo, 0, kAllFragments, true);
    read.Integer(kThresholdMode, parameters.thresholdMode, 0, 1, true);
    read.Integer(kSorting, parameters.sortOrder, 0, 2, true);
    read.Integer(kRangeOnly, parameters.rangeOnly, 0, 1, true);
    read.List(kRecognitionList, reagent.recognition.cells);
    read.List(kExceptionList, reagent.exception.cells);

    // The molecule: one named sequence, or a FASTA file for a batch.
    read.Text(kFasta, parameters.fastaFile, false);
    const bool batch = lines.Has(kFasta);
    if (batch && lines.Has(kSequence))
        throw EngineError(parameters.Where(kFasta) + ": give either 'sequence' or 'fasta', not both");
    read.Text(kMoleculeName, parameters.moleculeName, !batch);
    read.Text(kSequence, parameters.sequence, !batch);
    read.Text(kResultFile, parameters.resultFile, true);

    read.Integer(kMissed, parameters.maxMissed, 0, kAllFragments, false);
    read.Integer(kMinLength, parameters.minLength, 1, kAllFragments, false);
    read.Integer(kMaxLength, parameters.maxLength, 1, kAllFragments, false);
    read.Integer(kThreads, parameters.threads, 1, 1024, false);
    return parameters;
}

void WriteParameterFile(const Parameters& parameters, const std::string& path)
{
    const ReagentText& reagent = parameters.reagent;
    std::ostringstream out;
    WriteText(out, kEnzName, reagent.name);
    out << kRecognitionEfficiency << '=' << reagent.recognitionEfficiency << '\n'
        << kExceptionEfficiency << '=' << reagent.exceptionEfficiency << '\n'
        << kRecognitionBegin << '=' << reagent.recognition.begin << '\n'
        << kExceptionBegin << '=' << reagent.exception.begin << '\n'
        << kRecognitionCount << '=' << reagent.recognition.count << '\n'
        << kExceptionCount << '=' << reagent.exception.count << '\n'
        << kThreshold << '=' << parameters.probabilityThreshold << '\n'
        << kFragmentLimit << '=' << parameters.fragmentLimit << '\n'
        << kRangeFrom << '=' << parameters.rangeFrom << '\n'
        << kRangeTo << '=' << parameters.rangeTo << '\n'
        << kThresholdMode << '=' << parameters.thresholdMode << '\n'
        << kSorting << '=' << parameters.sortOrder << '\n'
        << kRangeOnly << '=' << parameters.rangeOnly << '\n';
    WriteList(out, kRecognitionList, reagent.recognition.cells);
    WriteList(out, kExceptionList, reagent.exception.cells);
    if (parameters.fastaFile.empty())
    {
        WriteText(out, kMoleculeName, parameters.moleculeName);
        WriteText(out, kSequence, parameters.sequence);
    }
    else
        WriteText(out, kFasta, parameters.fastaFile);
    WriteText(out, kResultFile, parameters.resultFile);
    const std::pair<const char*, int> extras[] = {
        {kMissed, parameters.maxMissed}, {kMinLength, parameters.minLength},
        {kMaxLength, parameters.maxLength}, {kThreads, parameters.threads}};
    for (const auto& [key, value] : extras)
        if (value > 0 || (value == 0 && key == std::string(kMissed)))
            out << key << '=' << value << '\n';

    std::ofstream file(path, std::ios::binary);
    file << out.str();
    file.close();
    if (!file)
        throw EngineError(path + ": cannot write the parameter file");
}
}
