#include "FeatureKeys.h"
#include "Background.h"
#include "EngineError.h"
#include "MassList.h"
#include "MassMatcher.h"
#include "Modifications.h"
#include "Residues.h"
#include "ShippedReagents.h"

#include <algorithm>

namespace cleavage
{
namespace
{
const char kSpecificity[] = "specificity";
const char kAlsoReagent[] = "also_reagent";
const char kFixedMod[] = "fixed_mod";
const char kVariableMod[] = "variable_mod";
const char kMaxVariableMods[] = "max_variable_mods";
const char kCharges[] = "charges";
const char kMinMass[] = "min_mass";
const char kMaxMass[] = "max_mass";
const char kMasses[] = "masses";
const char kObserved[] = "observed";
const char kMassType[] = "mass_type";
const char kTolerance[] = "tolerance";
const char kBackground[] = "background_efficiency";
// The one option not named as its key: its percent is an efficiency.
const char kBackgroundOption[] = "--background";

// Forms grow as the number of places to the power of this; more is no analysis.
constexpr int kMostVariableMods = 8;
constexpr int kMostCharge = 100;
// A mass key's largest value, in daltons: beyond any molecule.
constexpr long long kMostDaltons = 1000000000;

std::vector<std::string>* ListOf(Parameters& parameters, const std::string& key)
{
    if (key == kAlsoReagent)
        return &parameters.alsoReagents;
    if (key == kFixedMod)
        return &parameters.fixedMods;
    if (key == kVariableMod)
        return &parameters.variableMods;
    return nullptr;
}

// The keys of matching, kept as given and checked when set.
std::string* MatchTextOf(Parameters& parameters, const std::string& key)
{
    if (key == kMasses)
        return &parameters.masses;
    if (key == kObserved)
        return &parameters.observed;
    if (key == kMassType)
        return &parameters.massType;
    if (key == kTolerance)
        return &parameters.tolerance;
    if (key == kBackground)
        return &parameters.background;
    return nullptr;
}
const std::string* MatchTextOf(const Parameters& parameters, const std::string& key)
{
    return MatchTextOf(parameters, key);
}

// A whole number of digits only, within 1..kMostCharge, or -1.
int ChargeOf(const std::string& text)
{
    if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    const int charge = std::stoi(text);
    return charge >= 1 && charge <= kMostCharge ? charge : -1;
}

void ParseCharges(Parameters& parameters, const std::string& value, const std::string& where)
{
    const std::size_t dash = value.find('-');
    const int from = dash == std::string::npos ? -1 : ChargeOf(value.substr(0, dash));
    const int to = dash == std::string::npos ? -1 : ChargeOf(value.substr(dash + 1));
    if (from < 0 || to < from)
        throw EngineError(where + ": \"" + Printable(value) + "\" is not a range of charges A-B with 1 <= A <= B <= " +
                          std::to_string(kMostCharge));
    parameters.chargeFrom = from;
    parameters.chargeTo = to;
}

// A name given twice in one list.
void CheckDistinct(const Parameters& parameters, const char* key, const std::vector<std::string>& names)
{
    for (std::size_t i = 0; i < names.size(); ++i)
        if (std::find(names.begin(), names.begin() + i, names[i]) != names.begin() + i)
            throw EngineError(parameters.Where(key) + ": \"" + Printable(names[i]) + "\" is given twice");
}
}

const std::vector<FeatureKey>& FeatureKeys()
{
    static const std::vector<FeatureKey> keys = {
        {kSpecificity, false}, {kAlsoReagent, true}, {kFixedMod, true}, {kVariableMod, true},
        {kMaxVariableMods, false}, {kCharges, false}, {kMinMass, false}, {kMaxMass, false},
        {kMasses, false}, {kObserved, false}, {kMassType, false}, {kTolerance, false}, {kBackground, false},
    };
    return keys;
}

std::string KeyOfOption(const std::string& option)
{
    if (option == kBackgroundOption)
        return kBackground;
    std::string key = option.substr(2);
    std::replace(key.begin(), key.end(), '-', '_');
    return key;
}

std::string OptionOfKey(const std::string& key)
{
    if (key == kBackground)
        return kBackgroundOption;
    std::string option = "--" + key;
    std::replace(option.begin(), option.end(), '_', '-');
    return option;
}

long long ParseMass(const std::string& text, const std::string& where)
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
    long long micro = std::stoll(whole) * 1000000;
    long long scale = 100000;
    for (const char digit : decimals)
    {
        micro += (digit - '0') * scale;
        scale /= 10;
    }
    return micro;
}

bool SetFeatureKey(Parameters& parameters, const std::string& key, const std::string& value,
                   const std::string& where)
{
    if (key == kSpecificity)
    {
        if (value != "full" && value != "semi")
            throw EngineError(where + ": \"" + Printable(value) + "\" is neither full nor semi");
        parameters.specificity = value;
    }
    else if (key == kAlsoReagent)
        ShippedReagent(value, where);
    else if (key == kFixedMod || key == kVariableMod)
        FindModifications(value, where);
    else if (key == kMaxVariableMods)
    {
        const int count = ParseInteger(value, where);
        if (count < 0 || count > kMostVariableMods)
            throw EngineError(where + ": " + value + " is outside 0.." + std::to_string(kMostVariableMods));
        parameters.maxVariableMods = count;
    }
    else if (key == kCharges)
        ParseCharges(parameters, value, where);
    else if (key == kMinMass)
        parameters.minMass = ParseMass(value, where);
    else if (key == kMaxMass)
        parameters.maxMass = ParseMass(value, where);
    else if (std::string* text = MatchTextOf(parameters, key))
    {
        if (key == kMasses && value.empty())
            throw EngineError(where + ": no mass list named");
        if (key == kObserved)
            ParseObservedKind(value, where);
        else if (key == kMassType)
            ParseMassType(value, where);
        else if (key == kTolerance)
            Tolerance::Parse(value, where);
        else if (key == kBackground)
            ParseBackground(value, where);
        *text = value;
    }
    else
        return false;
    if (std::vector<std::string>* list = ListOf(parameters, key))
        list->push_back(value);
    parameters.origin[key] = where;
    return true;
}

void ClearFeatureList(Parameters& parameters, const std::string& key)
{
    if (std::vector<std::string>* list = ListOf(parameters, key))
        list->clear();
}

void CheckFeatureKeys(const Parameters& parameters)
{
    if (parameters.minMass >= 0 && parameters.maxMass >= 0 && parameters.minMass > parameters.maxMass)
        throw EngineError(parameters.Where(kMinMass) + ": min_mass " + FormatMass(parameters.minMass, 6) +
                          " is above max_mass " + FormatMass(parameters.maxMass, 6) + " (" +
                          parameters.Where(kMaxMass) + ")");
    const bool background =
        !parameters.background.empty() && ParseBackground(parameters.background, parameters.Where(kBackground)) > 0;
    if (background && parameters.specificity == "semi")
        throw EngineError(parameters.Where(kSpecificity) + ": a semi-specific digest with a background efficiency (" +
                          parameters.Where(kBackground) +
                          ") is refused: the background already cuts every bond, so every fragment is one already");
    // Every bond is a site under a background: a bound on missed sites would bound the
    // fragments' length to it.
    if (background && parameters.maxMissed >= 0)
        throw EngineError(parameters.Where("missed") + ": a bound on missed sites with a background efficiency (" +
                          parameters.Where(kBackground) +
                          ") is refused: the background makes every bond a site; bound the fragments by their "
                          "length instead (min_length, max_length)");
    for (const char* key : {kObserved, kMassType, kTolerance})
        if (parameters.masses.empty() && parameters.origin.count(key))
            throw EngineError(parameters.Where(key) + ": " + key + " says how to match observed masses, but no masses "
                              "are given (masses, --masses FILE)");
    CheckDistinct(parameters, kAlsoReagent, parameters.alsoReagents);
    for (const std::string& name : parameters.alsoReagents)
        if (name == parameters.reagent.name)
            throw EngineError(parameters.Where(kAlsoReagent) + ": \"" + Printable(name) +
                              "\" is the file's own reagent already (" + parameters.Where("enz_name") + ")");
    // Each kind once, fixed or variable; fixed ones on places of their own.
    std::vector<const ModificationKind*> seen;
    std::size_t fixedKinds = 0;
    for (const auto& [key, names] : {std::make_pair(kFixedMod, &parameters.fixedMods),
                                     std::make_pair(kVariableMod, &parameters.variableMods)})
        for (const std::string& name : *names)
            for (const ModificationKind* kind : FindModifications(name, parameters.Where(key)))
            {
                if (std::find(seen.begin(), seen.end(), kind) != seen.end())
                    throw EngineError(parameters.Where(key) + ": \"" + Printable(name) + "\" names " + kind->name +
                                      " a second time");
                for (std::size_t i = 0; key == kFixedMod && i < fixedKinds; ++i)
                    if (ShareASite(*kind, *seen[i]))
                        throw EngineError(parameters.Where(key) + ": the fixed modifications " + seen[i]->name +
                                          " and " + kind->name + " would change the same residue");
                seen.push_back(kind);
                fixedKinds += key == kFixedMod ? 1 : 0;
            }
}

void WriteFeatureKeys(std::ostream& out, const Parameters& parameters)
{
    if (!parameters.specificity.empty())
        out << kSpecificity << '=' << parameters.specificity << '\n';
    for (const auto& [key, names] : {std::make_pair(kAlsoReagent, &parameters.alsoReagents),
                                     std::make_pair(kFixedMod, &parameters.fixedMods),
                                     std::make_pair(kVariableMod, &parameters.variableMods)})
        for (const std::string& name : *names)
            out << key << '=' << name << '\n';
    if (parameters.maxVariableMods >= 0)
        out << kMaxVariableMods << '=' << parameters.maxVariableMods << '\n';
    if (parameters.chargeFrom > 0)
        out << kCharges << '=' << parameters.chargeFrom << '-' << parameters.chargeTo << '\n';
    if (parameters.minMass >= 0)
        out << kMinMass << '=' << FormatMass(parameters.minMass, 6) << '\n';
    if (parameters.maxMass >= 0)
        out << kMaxMass << '=' << FormatMass(parameters.maxMass, 6) << '\n';
    for (const char* key : {kMasses, kObserved, kMassType, kTolerance, kBackground})
        if (const std::string* text = MatchTextOf(const_cast<Parameters&>(parameters), key); !text->empty())
            out << key << '=' << *text << '\n';
}
}
