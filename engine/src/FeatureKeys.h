// The optional keys for mass spectrometry: semi-specific digests, more reagents at
// once, modifications, charges and a mass window (engine/ParameterFile.md).
#pragma once
#include "ParameterFile.h"

#include <ostream>
#include <string>
#include <vector>

namespace cleavage
{
struct FeatureKey
{
    const char* key;
    bool list; // may stand more than once, each line adding a value
};
const std::vector<FeatureKey>& FeatureKeys();

// Sets one of FeatureKeys() (a list key: adds to it), checking the value; throws
// EngineError "<where>: ..." for a value it refuses. False for another key.
bool SetFeatureKey(Parameters& parameters, const std::string& key, const std::string& value,
                   const std::string& where);

// Empties a list key, so that values given another way replace the file's.
void ClearFeatureList(Parameters& parameters, const std::string& key);

// What single values cannot show: min_mass above max_mass, a reagent or modification
// named twice (also_reagent naming enz_name's reagent too), two fixed modifications of
// one place.
void CheckFeatureKeys(const Parameters& parameters);

// The keys given, as a parameter file holds them.
void WriteFeatureKeys(std::ostream& out, const Parameters& parameters);

// The key a command-line option sets (--min-length sets min_length; --background sets
// background_efficiency), and the option of a key.
std::string KeyOfOption(const std::string& option);
std::string OptionOfKey(const std::string& key);

// A mass in daltons as the keys take it ("1200", "1200.5"; at most six decimals) in
// micro-daltons.
long long ParseMass(const std::string& text, const std::string& where);
}
