#include "ParameterFile.h"
#include "EngineError.h"
#include "LineReader.h"
#include "ParameterKeys.h"

#include <fstream>
#include <sstream>
#include <vector>

namespace cleavage
{
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

Parameters ParameterLines::Read(const std::vector<const KeyDescription*>& keys, bool required) const
{
    if (!m_firstMistake.empty())
        throw EngineError(m_firstMistake);
    Parameters parameters;
    parameters.sourceName = m_path;
    // A batch needs no molecule of its own.
    const bool batch = m_lines.count("fasta") != 0;
    for (const KeyDescription* key : keys)
    {
        const auto found = m_lines.find(key->key);
        if (found == m_lines.end())
        {
            if (required && (key->presence == KeyPresence::Required ||
                             (key->presence == KeyPresence::Molecule && !batch)))
                throw EngineError(m_path + ": key '" + key->key + "' is missing");
            continue;
        }
        const std::vector<ValueLine>& lines = found->second;
        if (!key->repeatable && lines.size() > 1)
            throw EngineError(Where(key->key, lines[1].line) + ": the key was already given on line " +
                              std::to_string(lines[0].line));
        for (const ValueLine& line : lines)
        {
            const std::string where = Where(key->key, line.line);
            // An empty value stands for a list without cells and must stand alone.
            if (key->cells && line.value.empty())
            {
                if (lines.size() > 1)
                    throw EngineError(where + ": an empty value (no cells) among cells; write an empty cell as \\e");
                continue;
            }
            key->set(parameters, line.value, where);
        }
        // A list of cells is named by its first line; any other key by its last.
        parameters.origin[key->key] = Where(key->key, (key->cells ? lines.front() : lines.back()).line);
        if (key->finish)
            key->finish(parameters);
    }
    return parameters;
}

Parameters ParameterLines::Check() const
{
    std::vector<const KeyDescription*> keys;
    for (const KeyDescription& key : ParameterKeys())
        keys.push_back(&key);
    return Read(keys, true);
}

Parameters ParameterLines::CheckKeys(const std::vector<const KeyDescription*>& keys) const
{
    return Read(keys, false);
}

Parameters ReadParameterFile(const std::string& path)
{
    return ParameterLines(path).Check();
}

void WriteParameterFile(const Parameters& parameters, const std::string& path)
{
    std::ostringstream out;
    for (const KeyDescription& key : ParameterKeys())
        key.write(parameters, out);

    std::ofstream file(path, std::ios::binary);
    file << out.str();
    file.close();
    if (!file)
        throw EngineError(path + ": cannot write the parameter file");
}
}
