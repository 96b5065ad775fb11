#include "MassList.h"
#include "EngineError.h"
#include "FixedPoint.h"
#include "LineReader.h"

#include <algorithm>
#include <cctype>

namespace cleavage
{
namespace
{
// Values are read to the nano-dalton (further decimals rounded): the m/z of a highly
// charged ion is multiplied by its charge before it is a mass.
constexpr std::uint64_t kNanoPerMicro = 1000;
constexpr int kValueDecimals = 9;
// Far above any protein, and small enough that a charge times a value fits 64 bits.
constexpr std::uint64_t kMostValueNanoDaltons = 10000000ULL * 1000000000ULL;
constexpr int kMostCharge = 100;

const char kValueExpected[] =
    "expected a value such as 1045.53, then optionally a charge such as 2+ or 1- and further columns";

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return text;
}

std::string Trim(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string> SplitBlanks(const std::string& line)
{
    std::vector<std::string> fields;
    for (std::size_t at = line.find_first_not_of(" \t"); at != std::string::npos;)
    {
        const std::size_t end = line.find_first_of(" \t", at);
        fields.push_back(line.substr(at, end == std::string::npos ? std::string::npos : end - at));
        at = end == std::string::npos ? end : line.find_first_not_of(" \t", end);
    }
    return fields;
}

// A CSV line's fields, trimmed; a field in double quotes may hold commas, and "" stands
// for a quote. False when a quote is left open or text follows a closing one.
bool SplitCsv(const std::string& line, std::vector<std::string>& fields)
{
    fields.clear();
    std::size_t at = 0;
    while (true)
    {
        const std::size_t start = line.find_first_not_of(" \t", at);
        std::string field;
        if (start != std::string::npos && line[start] == '"')
        {
            std::size_t i = start + 1;
            for (;; ++i)
            {
                if (i >= line.size())
                    return false;
                if (line[i] == '"' && i + 1 < line.size() && line[i + 1] == '"')
                    field += line[i++];
                else if (line[i] == '"')
                    break;
                else
                    field += line[i];
            }
            at = line.find_first_not_of(" \t", i + 1);
            if (at != std::string::npos && line[at] != ',')
                return false;
        }
        else
        {
            at = line.find(',', at);
            field = Trim(line.substr(start == std::string::npos ? line.size() : start,
                                     at == std::string::npos ? std::string::npos : at - start));
        }
        fields.push_back(field);
        if (at == std::string::npos)
            return true;
        ++at;
    }
}

// "m/z", "mz" or "mass", without case, alone or followed by a unit in parentheses or
// brackets: "m/z (Da)", "Mass [Da]".
bool NamesMassColumn(const std::string& name)
{
    const std::string lower = Lower(name);
    for (const char* word : {"m/z", "mz", "mass"})
    {
        const std::string prefix(word);
        if (lower.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string unit = Trim(lower.substr(prefix.size()));
        if (unit.empty() || (unit.size() >= 2 && ((unit.front() == '(' && unit.back() == ')') ||
                                                  (unit.front() == '[' && unit.back() == ']'))))
            return true;
    }
    return false;
}

bool NamesChargeColumn(const std::string& name)
{
    const std::string lower = Lower(name);
    return lower == "charge" || lower == "z";
}

// "2+" or "1-" (a CSV's charge column also takes "2"), or 0 when `text` is not written
// as a charge; a charge beyond 1..kMostCharge throws.
int ReadCharge(const std::string& text, bool signRequired, const std::string& where)
{
    const bool signed_ = !text.empty() && (text.back() == '+' || text.back() == '-');
    const std::string magnitude = signed_ ? text.substr(0, text.size() - 1) : text;
    std::uint64_t value = 0;
    if ((signRequired && !signed_) || ReadFixedPoint(magnitude, 0, false, 1000, value) != FixedPointRead::Read ||
        magnitude.find('.') != std::string::npos)
        return 0;
    if (value < 1 || value > static_cast<std::uint64_t>(kMostCharge))
        throw EngineError(where + ": charge " + Printable(text) + " is not 1 to " + std::to_string(kMostCharge));
    return (signed_ && text.back() == '-') ? -static_cast<int>(value) : static_cast<int>(value);
}

// The neutral mass `text` stands for, read as `kind` says, with the line's charge.
MicroDalton NeutralMass(const std::string& text, int charge, ObservedKind kind, const std::string& where)
{
    std::uint64_t nano = 0;
    switch (ReadFixedPoint(text, kValueDecimals, true, kMostValueNanoDaltons, nano))
    {
    case FixedPointRead::Read:
        break;
    case FixedPointRead::TooLarge:
        throw EngineError(where + ": " + Printable(text) + " is above " +
                          std::to_string(kMostValueNanoDaltons / 1000000000ULL) + " daltons");
    default:
        throw EngineError(where + ": \"" + Printable(text) + "\" is not a number; " + kValueExpected);
    }
    long long neutralNano = static_cast<long long>(nano);
    if (kind == ObservedKind::Protonated)
    {
        // A value with another charge is an m/z: reading it as [M+H]+ would quietly
        // miss its fragments.
        if (charge != 0 && charge != 1)
            throw EngineError(where + ": " + Printable(text) + " has charge " + ChargeText(charge) +
                              ", so it is an m/z, not a singly protonated mass: read the list with observed=mz");
        neutralNano -= kProtonNanoDaltons;
    }
    else if (kind == ObservedKind::MassToCharge)
    {
        if (charge == 0)
            throw EngineError(where + ": an m/z needs its charge, such as 2+ or 1-, after the value (observed=mz)");
        // z protons added, or |z| taken away from an anion.
        neutralNano = std::abs(charge) * neutralNano - charge * kProtonNanoDaltons;
    }
    if (neutralNano <= 0)
        throw EngineError(where + ": " + Printable(text) + " stands for no positive neutral mass");
    return static_cast<MicroDalton>((static_cast<std::uint64_t>(neutralNano) + kNanoPerMicro / 2) / kNanoPerMicro);
}

// The lines of a CSV mass list, after its header.
class CsvColumns
{
public:
    CsvColumns(const std::vector<std::string>& header, const std::string& where)
    {
        for (std::size_t i = 0; i < header.size(); ++i)
        {
            const bool mass = NamesMassColumn(header[i]);
            if (!mass && !NamesChargeColumn(header[i]))
                continue;
            std::size_t& column = mass ? m_mass : m_charge;
            if (column != kNone)
                throw EngineError(where + ": the header names two " + (mass ? "mass" : "charge") + " columns, \"" +
                                  Printable(header[column]) + "\" and \"" + Printable(header[i]) + "\"");
            column = i;
        }
        if (m_mass == kNone)
            throw EngineError(where + ": the CSV header names no mass column; expected one named m/z, mz or mass");
        m_count = header.size();
        for (std::size_t i = 0; i < header.size(); ++i)
            if (i != m_mass && i != m_charge)
                m_kept.push_back(i);
    }

    std::vector<std::string> KeptNames(const std::vector<std::string>& header) const
    {
        std::vector<std::string> names;
        for (const std::size_t i : m_kept)
            names.push_back(header[i]);
        return names;
    }

    ObservedValue Read(const std::vector<std::string>& fields, ObservedKind kind, const std::string& where) const
    {
        if (fields.size() != m_count)
            throw EngineError(where + ": " + std::to_string(fields.size()) + " fields, but the header names " +
                              std::to_string(m_count));
        ObservedValue value;
        value.text = fields[m_mass];
        value.charge = 0;
        if (m_charge != kNone && !fields[m_charge].empty())
        {
            value.charge = ReadCharge(fields[m_charge], false, where);
            if (value.charge == 0)
                throw EngineError(where + ": \"" + Printable(fields[m_charge]) +
                                  "\" is not a charge; expected one such as 2, 2+ or 1-");
        }
        value.neutral = NeutralMass(value.text, value.charge, kind, where);
        for (const std::size_t i : m_kept)
        {
            // The matches table separates its fields by tabs.
            if (fields[i].find('\t') != std::string::npos)
                throw EngineError(where + ": field " + std::to_string(i + 1) +
                                  " holds a tab, which the tab-separated matches table cannot show");
            value.kept.push_back(fields[i]);
        }
        return value;
    }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::size_t m_mass = kNone;
    std::size_t m_charge = kNone;
    std::size_t m_count = 0;
    std::vector<std::size_t> m_kept;
};

// A line of values separated by tabs or blanks.
ObservedValue ReadBlankSeparated(const std::vector<std::string>& fields, ObservedKind kind, const std::string& where)
{
    ObservedValue value;
    value.text = fields[0];
    // A second column with a sign is the charge; without, it is the first kept one (an
    // intensity, as peak lists write it).
    value.charge = fields.size() > 1 ? ReadCharge(fields[1], true, where) : 0;
    value.neutral = NeutralMass(value.text, value.charge, kind, where);
    value.kept.assign(fields.begin() + (value.charge != 0 ? 2 : 1), fields.end());
    return value;
}
}

ObservedKind ParseObservedKind(const std::string& text, const std::string& where)
{
    if (text == "M")
        return ObservedKind::Neutral;
    if (text == "MH+")
        return ObservedKind::Protonated;
    if (text == "mz")
        return ObservedKind::MassToCharge;
    throw EngineError(where + ": \"" + Printable(text) + "\" is none of M, MH+ and mz");
}

std::string ChargeText(int charge)
{
    if (charge == 0)
        return std::string();
    return std::to_string(std::abs(charge)) + (charge > 0 ? "+" : "-");
}

MassList ReadMassList(const std::string& path, ObservedKind kind)
{
    LineReader in(path, "mass list");
    MassList list;
    std::vector<CsvColumns> csv; // the header's columns, once the first line named them
    std::vector<std::string> fields;
    bool first = true;
    std::string line;
    while (in.Next(line))
    {
        const std::string text = Trim(line);
        if (text.empty() || text[0] == '#')
            continue;
        const std::string where = in.ShownPath() + ", line " + std::to_string(in.LineNumber());
        // A CSV header names its mass column; a list of one column may have one too.
        if (first && (text.find(',') != std::string::npos || NamesMassColumn(text)))
        {
            if (!SplitCsv(text, fields))
                throw EngineError(where + ": an unclosed quote in the CSV header");
            csv.emplace_back(fields, where);
            list.keptNames = csv[0].KeptNames(fields);
        }
        else if (!csv.empty())
        {
            if (!SplitCsv(text, fields))
                throw EngineError(where + ": an unclosed quote or text after a closing quote in a CSV line");
            list.values.push_back(csv[0].Read(fields, kind, where));
        }
        else
            list.values.push_back(ReadBlankSeparated(SplitBlanks(text), kind, where));
        first = false;
    }
    if (list.values.empty())
        throw EngineError(in.ShownPath() + ": the mass list holds no value");
    // Lines with fewer further columns than the widest leave the rest empty.
    if (csv.empty())
    {
        std::size_t widest = 0;
        for (const ObservedValue& value : list.values)
            widest = std::max(widest, value.kept.size());
        for (std::size_t i = 1; i <= widest; ++i)
            list.keptNames.push_back("extra_" + std::to_string(i));
        for (ObservedValue& value : list.values)
            value.kept.resize(widest);
    }
    return list;
}
}
