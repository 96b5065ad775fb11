#include "ParameterKeys.h"
#include "Background.h"
#include "EngineError.h"
#include "IntegerText.h"
#include "Modifications.h"
#include "ShippedReagents.h"

#include <algorithm>
#include <climits>
#include <iterator>

namespace cleavage
{
namespace
{
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
// Forms grow as the number of places to the power of this; more is no analysis.
constexpr int kMostVariableMods = 8;
constexpr int kMostCharge = 100;
// A mass key's largest value, in daltons: beyond any molecule.
constexpr long long kMostDaltons = 1000000000;
// The values of specificity, in the order of Specificity.
const char* const kSpecificityNames[] = {"full", "semi"};

using Setter = std::function<void(Parameters&, const std::string& value, const std::string& where)>;
using Writer = std::function<void(const Parameters&, std::ostream&)>;

KeyDescription Described(const char* key, KeyGroup group, KeyPresence presence, Setter set, Writer write)
{
    KeyDescription description;
    description.key = key;
    description.group = group;
    description.presence = presence;
    description.set = std::move(set);
    description.write = std::move(write);
    return description;
}

// The same key with its command-line option.
KeyDescription WithOption(KeyDescription description, const char* option, const std::string& placeholder)
{
    description.option = option;
    description.placeholder = placeholder;
    return description;
}

void WriteText(std::ostream& out, const std::string& key, const std::string& value)
{
    if (value.find_first_of("\r\n") != std::string::npos)
        throw EngineError("key '" + key + "': a line break cannot stand in this value");
    out << key << '=' << value << '\n';
}

// A text key of the settings record or the molecule. `field` takes the values, const or
// not, and gives the key's member of them.
template <class Field>
KeyDescription TextKey(const char* key, KeyPresence presence, Field field, bool (*written)(const Parameters&))
{
    return Described(
        key, KeyGroup::Settings, presence,
        [field](Parameters& p, const std::string& value, const std::string&) { field(p) = value; },
        [key, field, written](const Parameters& p, std::ostream& out) {
            if (written(p))
                WriteText(out, key, field(p));
        });
}

bool Always(const Parameters&)
{
    return true;
}

bool ForAMolecule(const Parameters& p)
{
    return !p.fastaFile;
}

// The sequence key, which a file naming a FASTA file must not hold.
KeyDescription OneMolecule(KeyDescription sequence)
{
    sequence.finish = [](const Parameters& p) {
        if (p.fastaFile)
            throw EngineError(p.Where("fasta") + ": give either 'sequence' or 'fasta', not both");
    };
    return sequence;
}

// A file the run reads, when one is given; `unnamed`: the message for an empty name,
// or nullptr when the file's opening refuses it.
KeyDescription OptionalPath(const char* key, KeyGroup group, std::optional<std::string> Parameters::*field,
                            const char* option, const char* unnamed)
{
    return WithOption(Described(
                          key, group, KeyPresence::Optional,
                          [field, unnamed](Parameters& p, const std::string& value, const std::string& where) {
                              if (unnamed && value.empty())
                                  throw EngineError(where + ": " + unnamed);
                              p.*field = value;
                          },
                          [key, field](const Parameters& p, std::ostream& out) {
                              if (p.*field)
                                  WriteText(out, key, *(p.*field));
                          }),
                      option, "FILE");
}

// A whole number within the key's bounds, of at most `bits` bits.
long long CheckedInteger(long long min, long long max, int bits, const std::string& value, const std::string& where)
{
    const long long parsed = ParseWideInteger(value, where, bits);
    if (parsed < min || parsed > max)
        throw EngineError(where + ": " + value + " is outside " + std::to_string(min) + ".." + std::to_string(max));
    return parsed;
}

// An integer of the settings record, always written; `field` as TextKey's.
template <class Field>
KeyDescription SettingsInteger(const char* key, Field field, long long min, long long max)
{
    KeyDescription description = Described(
        key, KeyGroup::Settings, KeyPresence::Required,
        [field, min, max](Parameters& p, const std::string& value, const std::string& where) {
            field(p) = static_cast<int>(CheckedInteger(min, max, 32, value, where));
        },
        [key, field](const Parameters& p, std::ostream& out) {
            out << key << '=' << field(p) << '\n';
        });
    description.min = min;
    description.max = max;
    return description;
}

// An optional whole number; max_bytes alone takes 64 bits, as a table's bytes pass 32.
template <class Value>
KeyDescription OptionalInteger(const char* key, KeyGroup group, std::optional<Value> Parameters::*field,
                               long long min, long long max, const char* option, const char* placeholder)
{
    const int bits = sizeof(Value) > sizeof(int) ? 64 : 32;
    KeyDescription description = WithOption(
        Described(
            key, group, KeyPresence::Optional,
            [field, min, max, bits](Parameters& p, const std::string& value, const std::string& where) {
                p.*field = static_cast<Value>(CheckedInteger(min, max, bits, value, where));
            },
            [key, field](const Parameters& p, std::ostream& out) {
                if (p.*field)
                    out << key << '=' << static_cast<long long>(*(p.*field)) << '\n';
            }),
        option, placeholder);
    description.min = min;
    description.max = max;
    return description;
}

// A list of the settings record's pattern cells, one a line.
KeyDescription CellList(const char* key, PatternSet ReagentText::*side, const char* countKey)
{
    KeyDescription description = Described(
        key, KeyGroup::Settings, KeyPresence::Required,
        [side](Parameters& p, const std::string& value, const std::string& where) {
            (p.reagent.*side).cells.push_back(UnescapeCell(value, where));
        },
        [key, side](const Parameters& p, std::ostream& out) {
            const std::vector<std::string>& cells = (p.reagent.*side).cells;
            if (cells.empty())
                out << key << "=\n";
            for (const std::string& cell : cells)
                out << key << '=' << EscapeCell(cell) << '\n';
        });
    description.repeatable = true;
    description.cells = true;
    description.finish = [key, side, countKey](const Parameters& p) {
        CheckWholePatterns(p.reagent.*side, p.Where(key), countKey);
    };
    description.clear = [side](Parameters& p) { (p.reagent.*side).cells.clear(); };
    return description;
}

// A list of names for mass spectrometry, each looked up by `lookUp`; `nameOf` gives
// the name back as it was typed.
template <class Item>
KeyDescription NameList(const char* key, std::vector<Item> Parameters::*list,
                        Item (*lookUp)(const std::string& name, const std::string& where),
                        const std::string& (*nameOf)(const Item& item), const char* option)
{
    KeyDescription description = WithOption(
        Described(
            key, KeyGroup::MassSpectrometry, KeyPresence::Optional,
            [list, lookUp](Parameters& p, const std::string& value, const std::string& where) {
                (p.*list).push_back(lookUp(value, where));
            },
            [key, list, nameOf](const Parameters& p, std::ostream& out) {
                for (const Item& item : p.*list)
                    out << key << '=' << nameOf(item) << '\n';
            }),
        option, "NAME");
    description.repeatable = true;
    description.clear = [list](Parameters& p) { (p.*list).clear(); };
    return description;
}

// A key for mass spectrometry whose value is read into `Value` and written from it.
template <class Value>
KeyDescription TypedKey(const char* key, std::optional<Value> Parameters::*field,
                        Value (*parse)(const std::string& text, const std::string& where),
                        std::string (*format)(const Value& value), const char* option, const std::string& placeholder)
{
    return WithOption(Described(
                          key, KeyGroup::MassSpectrometry, KeyPresence::Optional,
                          [field, parse](Parameters& p, const std::string& value, const std::string& where) {
                              p.*field = parse(value, where);
                          },
                          [key, field, format](const Parameters& p, std::ostream& out) {
                              if (p.*field)
                                  out << key << '=' << format(*(p.*field)) << '\n';
                          }),
                      option, placeholder);
}

// A key of matching, kept as it was written beside its value.
template <class Value>
KeyDescription WrittenKey(const char* key, std::optional<AsWritten<Value>> Parameters::*field,
                          Value (*parse)(const std::string& text, const std::string& where), const char* option,
                          const char* placeholder)
{
    return WithOption(Described(
                          key, KeyGroup::MassSpectrometry, KeyPresence::Optional,
                          [field, parse](Parameters& p, const std::string& value, const std::string& where) {
                              p.*field = AsWritten<Value>{parse(value, where), value};
                          },
                          [key, field](const Parameters& p, std::ostream& out) {
                              if (p.*field)
                                  out << key << '=' << (p.*field)->text << '\n';
                          }),
                      option, placeholder);
}

// A whole number of digits only, within 1..kMostCharge, or -1.
int ChargeOf(const std::string& text)
{
    if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    const int charge = std::stoi(text);
    return charge >= 1 && charge <= kMostCharge ? charge : -1;
}

ChargeRange ParseCharges(const std::string& value, const std::string& where)
{
    const std::size_t dash = value.find('-');
    const int from = dash == std::string::npos ? -1 : ChargeOf(value.substr(0, dash));
    const int to = dash == std::string::npos ? -1 : ChargeOf(value.substr(dash + 1));
    if (from < 0 || to < from)
        throw EngineError(where + ": \"" + Printable(value) + "\" is not a range of charges A-B with 1 <= A <= B <= " +
                          std::to_string(kMostCharge));
    return {from, to};
}

Specificity ParseSpecificity(const std::string& value, const std::string& where)
{
    for (std::size_t i = 0; i < std::size(kSpecificityNames); ++i)
        if (value == kSpecificityNames[i])
            return static_cast<Specificity>(i);
    throw EngineError(where + ": \"" + Printable(value) + "\" is neither " + kSpecificityNames[0] + " nor " +
                      kSpecificityNames[1]);
}

std::string SpecificityText(const Specificity& specificity)
{
    return SpecificityName(specificity);
}

std::string ChargesText(const ChargeRange& charges)
{
    return std::to_string(charges.from) + "-" + std::to_string(charges.to);
}

std::string MassText(const MicroDalton& mass)
{
    return FormatMass(mass, 6);
}

// Also reagents are kept by name: the site table names them.
std::string CheckedReagentName(const std::string& name, const std::string& where)
{
    ShippedReagent(name, where);
    return name;
}

const std::string& ReagentName(const std::string& name)
{
    return name;
}

const std::string& ModificationName(const NamedModification& modification)
{
    return modification.name;
}

std::vector<KeyDescription> DescribeKeys()
{
    using P = Parameters;
    const KeyGroup run = KeyGroup::Run;
    const KeyGroup ms = KeyGroup::MassSpectrometry;
    std::vector<KeyDescription> keys = {
        TextKey("enz_name", KeyPresence::Required, [](auto& p) -> auto& { return p.reagent.name; }, Always),
        SettingsInteger("recognition_probability", [](auto& p) -> auto& { return p.reagent.recognitionEfficiency; }, 0,
                        100),
        SettingsInteger("exception_probability", [](auto& p) -> auto& { return p.reagent.exceptionEfficiency; }, 0,
                        100),
        SettingsInteger("recognition_begining", [](auto& p) -> auto& { return p.reagent.recognition.begin; },
                        -kMaxPatternReach, kMaxPatternReach),
        SettingsInteger("exception_begining", [](auto& p) -> auto& { return p.reagent.exception.begin; },
                        -kMaxPatternReach, kMaxPatternReach),
        SettingsInteger("recognition_count", [](auto& p) -> auto& { return p.reagent.recognition.count; }, 0,
                        kMaxPatternReach),
        SettingsInteger("exception_count", [](auto& p) -> auto& { return p.reagent.exception.count; }, 0,
                        kMaxPatternReach),
        SettingsInteger("analysis_probability", [](auto& p) -> auto& { return p.probabilityThreshold; }, 0, 100),
        SettingsInteger("analysis_fragments", [](auto& p) -> auto& { return p.fragmentLimit; }, 1, kAllFragments),
        SettingsInteger("analysis_from", [](auto& p) -> auto& { return p.rangeFrom; }, 0, kAllFragments),
        SettingsInteger("analysis_to", [](auto& p) -> auto& { return p.rangeTo; }, 0, kAllFragments),
        SettingsInteger("probability_or_fragments", [](auto& p) -> auto& { return p.thresholdMode; }, 0, 1),
        SettingsInteger("sorting", [](auto& p) -> auto& { return p.sortOrder; }, 0, 2),
        SettingsInteger("range", [](auto& p) -> auto& { return p.rangeOnly; }, 0, 1),
        CellList("recognition_list", &ReagentText::recognition, "recognition_count"),
        CellList("exception_list", &ReagentText::exception, "exception_count"),
        // A FASTA file instead of the molecule; the writer writes one or the other.
        OptionalPath("fasta", KeyGroup::Run, &P::fastaFile, "--fasta", nullptr),
        TextKey("molecule_name", KeyPresence::Molecule, [](auto& p) -> auto& { return p.moleculeName; },
                ForAMolecule),
        OneMolecule(TextKey("sequence", KeyPresence::Molecule, [](auto& p) -> auto& { return p.sequence; },
                            ForAMolecule)),
        TextKey("result_file", KeyPresence::Required, [](auto& p) -> auto& { return p.resultFile; }, Always),
        OptionalInteger("missed", run, &P::maxMissed, 0, kAllFragments, "--missed", "N"),
        OptionalInteger("min_length", run, &P::minLength, 1, kAllFragments, "--min-length", "N"),
        OptionalInteger("max_length", run, &P::maxLength, 1, kAllFragments, "--max-length", "N"),
        OptionalInteger("threads", run, &P::threads, 1, 1024, "--threads", "N"),
        OptionalInteger("max_rows", run, &P::maxRows, 0, kAllFragments, "--max-rows", "N"),
        OptionalInteger("progress", run, &P::progress, 0, 1, "--progress", ""),
        OptionalInteger("max_bytes", run, &P::maxBytes, 0, LLONG_MAX, "--max-bytes", "N"),
        TypedKey("specificity", &P::specificity, ParseSpecificity, SpecificityText, "--specificity",
                 std::string(kSpecificityNames[0]) + "|" + kSpecificityNames[1]),
        NameList("also_reagent", &P::alsoReagents, CheckedReagentName, ReagentName, "--also-reagent"),
        NameList("fixed_mod", &P::fixedMods, LookUpModification, ModificationName, "--fixed-mod"),
        NameList("variable_mod", &P::variableMods, LookUpModification, ModificationName, "--variable-mod"),
        OptionalInteger("max_variable_mods", ms, &P::maxVariableMods, 0, kMostVariableMods, "--max-variable-mods",
                        "N"),
        TypedKey("charges", &P::charges, ParseCharges, ChargesText, "--charges", "A-B"),
        TypedKey("min_mass", &P::minMass, ParseMass, MassText, "--min-mass", "DA"),
        TypedKey("max_mass", &P::maxMass, ParseMass, MassText, "--max-mass", "DA"),
    };
    keys.push_back(OptionalPath("masses", ms, &P::masses, "--masses", "no mass list named"));
    keys.push_back(WrittenKey("observed", &P::observed, ParseObservedKind, "--observed", "M|MH+|mz"));
    keys.push_back(WrittenKey("mass_type", &P::massType, ParseMassType, "--mass-type", "mono|average"));
    keys.push_back(WrittenKey("tolerance", &P::tolerance, Tolerance::Parse, "--tolerance", "20ppm|0.5Da|0.1%"));
    for (KeyDescription& key : keys)
        if (key.key == "observed" || key.key == "mass_type" || key.key == "tolerance")
            key.needs = "masses";
    // The one option not named as its key: its percent is an efficiency.
    keys.push_back(WrittenKey("background_efficiency", &P::background, ParseBackground, "--background", "P"));
    return keys;
}

// A name given twice in one list.
void CheckDistinct(const Parameters& parameters, const char* key, const std::vector<std::string>& names)
{
    for (std::size_t i = 0; i < names.size(); ++i)
        if (std::find(names.begin(), names.begin() + i, names[i]) != names.begin() + i)
            throw EngineError(parameters.Where(key) + ": \"" + Printable(names[i]) + "\" is given twice");
}

void CheckModifications(const Parameters& parameters)
{
    // Each kind once, fixed or variable; fixed ones on places of their own.
    std::vector<const ModificationKind*> seen;
    std::size_t fixedKinds = 0;
    for (const auto& [key, names] : {std::make_pair("fixed_mod", &parameters.fixedMods),
                                     std::make_pair("variable_mod", &parameters.variableMods)})
        for (const auto& [name, kinds] : *names)
            for (const ModificationKind* kind : kinds)
            {
                const bool fixed = names == &parameters.fixedMods;
                if (std::find(seen.begin(), seen.end(), kind) != seen.end())
                    throw EngineError(parameters.Where(key) + ": \"" + Printable(name) + "\" names " + kind->name +
                                      " a second time");
                for (std::size_t i = 0; fixed && i < fixedKinds; ++i)
                    if (ShareASite(*kind, *seen[i]))
                        throw EngineError(parameters.Where(key) + ": the fixed modifications " + seen[i]->name +
                                          " and " + kind->name + " would change the same residue");
                seen.push_back(kind);
                fixedKinds += fixed ? 1 : 0;
            }
}
}

const char* SpecificityName(Specificity specificity)
{
    return kSpecificityNames[static_cast<int>(specificity)];
}

std::string KeyDescription::Usage() const
{
    return "[" + option + (placeholder.empty() ? "" : " " + placeholder) + "]" + (repeatable ? "..." : "");
}

const std::vector<KeyDescription>& ParameterKeys()
{
    static const std::vector<KeyDescription> keys = DescribeKeys();
    return keys;
}

const KeyDescription* FindKey(const std::string& key)
{
    const std::vector<KeyDescription>& keys = ParameterKeys();
    const auto found = std::find_if(keys.begin(), keys.end(),
                                    [&key](const KeyDescription& description) { return description.key == key; });
    return found == keys.end() ? nullptr : &*found;
}

const KeyDescription* FindOption(const std::string& option)
{
    const std::vector<KeyDescription>& keys = ParameterKeys();
    const auto found = std::find_if(keys.begin(), keys.end(), [&option](const KeyDescription& description) {
        return !description.option.empty() && description.option == option;
    });
    return found == keys.end() ? nullptr : &*found;
}

std::string KeyOfOption(const std::string& option)
{
    const KeyDescription* description = FindOption(option);
    return description ? description->key : std::string();
}

std::string OptionOfKey(const std::string& key)
{
    const KeyDescription* description = FindKey(key);
    return description ? description->option : std::string();
}

bool SetBatchKey(Parameters& parameters, const std::string& key, const std::string& value, const std::string& where)
{
    const KeyDescription* description = FindKey(key);
    if (!description || description->option.empty())
        return false;
    description->set(parameters, value, where);
    parameters.origin[key] = where;
    return true;
}

void ClearList(Parameters& parameters, const std::string& key)
{
    if (const KeyDescription* description = FindKey(key); description && description->clear)
        description->clear(parameters);
}

MicroDalton ParseMass(const std::string& text, const std::string& where)
{
    const std::size_t point = text.find('.');
    const std::string whole = text.substr(0, point);
    const std::string decimals = point == std::string::npos ? std::string() : text.substr(point + 1);
    const auto digits = [](const std::string& part) {
        return part.find_first_not_of("0123456789") == std::string::npos;
    };
    if (whole.empty() || !digits(whole) || !digits(decimals) || (point != std::string::npos && decimals.empty()) ||
        decimals.size() > 6)
        throw EngineError(where + ": \"" + Printable(text) +
                          "\" is not a mass in daltons such as 1200 or 1200.5 (at most six decimals)");
    if (whole.size() > 10 || std::stoll(whole) > kMostDaltons)
        throw EngineError(where + ": " + Printable(text) + " is above " + std::to_string(kMostDaltons) + " daltons");
    MicroDalton micro = std::stoll(whole) * 1000000;
    long long scale = 100000;
    for (const char digit : decimals)
    {
        micro += (digit - '0') * scale;
        scale /= 10;
    }
    return micro;
}

void CheckTogether(const Parameters& parameters)
{
    if (parameters.minLength && parameters.maxLength && *parameters.minLength > *parameters.maxLength)
        throw EngineError(parameters.Where("min_length") + ": min_length " + std::to_string(*parameters.minLength) +
                          " is above max_length " + std::to_string(*parameters.maxLength) + " (" +
                          parameters.Where("max_length") + ")");
    if (parameters.minMass && parameters.maxMass && *parameters.minMass > *parameters.maxMass)
        throw EngineError(parameters.Where("min_mass") + ": min_mass " + FormatMass(*parameters.minMass, 6) +
                          " is above max_mass " + FormatMass(*parameters.maxMass, 6) + " (" +
                          parameters.Where("max_mass") + ")");
    const bool background = parameters.background && parameters.background->value > 0;
    if (background && parameters.specificity == Specificity::Semi)
        throw EngineError(parameters.Where("specificity") +
                          ": a semi-specific digest with a background efficiency (" +
                          parameters.Where("background_efficiency") +
                          ") is refused: the background already cuts every bond, so every fragment is one already");
    // Every bond is a site under a background: a bound on missed sites would bound the
    // fragments' length to it.
    if (background && parameters.maxMissed)
        throw EngineError(parameters.Where("missed") + ": a bound on missed sites with a background efficiency (" +
                          parameters.Where("background_efficiency") +
                          ") is refused: the background makes every bond a site; bound the fragments by their "
                          "length instead (min_length, max_length)");
    for (const KeyDescription& key : ParameterKeys())
        if (!key.needs.empty() && parameters.origin.count(key.key) && !parameters.origin.count(key.needs))
            throw EngineError(parameters.Where(key.key) + ": " + key.key +
                              " says how to match observed masses, but no masses are given (" + key.needs + ", " +
                              OptionOfKey(key.needs) + " FILE)");
    CheckDistinct(parameters, "also_reagent", parameters.alsoReagents);
    for (const std::string& name : parameters.alsoReagents)
        if (name == parameters.reagent.name)
            throw EngineError(parameters.Where("also_reagent") + ": \"" + Printable(name) +
                              "\" is the file's own reagent already (" + parameters.Where("enz_name") + ")");
    CheckModifications(parameters);
}

std::string UsageOptions(std::size_t firstLineUsed, const std::string& indent, std::size_t width)
{
    std::string text;
    std::size_t used = firstLineUsed;
    for (const KeyDescription& key : ParameterKeys())
    {
        if (key.option.empty())
            continue;
        const std::string usage = key.Usage();
        if (used > firstLineUsed && used + 1 + usage.size() > width)
        {
            text += "\n" + indent;
            used = indent.size();
        }
        else if (!text.empty())
        {
            text += ' ';
            ++used;
        }
        text += usage;
        used += usage.size();
    }
    return text;
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
}
