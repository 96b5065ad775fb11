// A run's values as its parameter file and its command line give them: the settings
// record's keys always, every other key only when it was given. Nothing here is a
// default: Analysis resolves the values into a run, applying the defaults there.
#pragma once
#include "MassList.h"
#include "MassMatcher.h"
#include "Modifications.h"
#include "Reagent.h"
#include "Residues.h"
#include "Tolerance.h"

#include <climits>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace cleavage
{
// The largest fragment limit: report every fragment.
constexpr int kAllFragments = INT_MAX;

// Fragments with both ends at sites, or also those with one end anywhere.
enum class Specificity
{
    Full,
    Semi,
};

// The charges of the m/z columns, from..to.
struct ChargeRange
{
    int from = 0;
    int to = 0;

    int Count() const { return from > 0 ? to - from + 1 : 0; }
};

// A value and its text as it was given: a file written from the parameters holds the
// text, not a rounding of the value.
template <class Value>
struct AsWritten
{
    Value value;
    std::string text;
};

struct Parameters
{
    // The settings record's keys, always in a file.
    ReagentText reagent;
    int probabilityThreshold = 75; // percent
    int fragmentLimit = 40;
    int rangeFrom = 0;             // 1-based, inclusive; 0 and 0: no range entered
    int rangeTo = 0;
    int thresholdMode = 0;         // 1: above the threshold; 0: the best fragmentLimit
    int sortOrder = 0;             // 0 probability, 1 weight, 2 position
    int rangeOnly = 0;
    std::string moleculeName;
    std::string sequence;          // as written; checked when the molecule is read
    std::optional<std::string> fastaFile; // instead of moleculeName and sequence: a batch
    std::string resultFile;
    // For batch users.
    std::optional<int> maxMissed;
    std::optional<int> minLength;
    std::optional<int> maxLength;
    std::optional<int> threads;
    std::optional<int> maxRows;         // fragment rows a run may write; 0: no bound
    std::optional<bool> progress;       // a batch says how far it has come
    std::optional<long long> maxBytes;  // bytes the fragment table may hold; 0: no bound
    // For mass spectrometry; an empty list: none given.
    std::optional<Specificity> specificity;
    std::vector<std::string> alsoReagents;  // shipped reagents cutting beside the reagent
    std::vector<NamedModification> fixedMods;  // as typed, with their kinds
    std::vector<NamedModification> variableMods;
    std::optional<int> maxVariableMods;
    std::optional<ChargeRange> charges;
    std::optional<MicroDalton> minMass;
    std::optional<MicroDalton> maxMass;
    // Observed masses matched to the fragments.
    std::optional<std::string> masses;      // the mass list's path, as given
    std::optional<AsWritten<ObservedKind>> observed;
    std::optional<AsWritten<MassType>> massType;
    std::optional<AsWritten<Tolerance>> tolerance;
    std::optional<AsWritten<double>> background; // a probability; its text in percent

    // Where each key was read (file name and line), for messages about its value.
    std::map<std::string, std::string> origin;
    // The origin of a key, or the file name alone when the key came from elsewhere.
    std::string Where(const std::string& key) const;
    std::string sourceName;
};
}
