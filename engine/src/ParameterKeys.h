// Every key of the parameter file, described once: its name, its command-line option,
// whether it may stand more than once, how a value is read, checked and written back,
// and its help in the usage text. The parameter file's reader and writer, the command
// line, the usage text and the workbench's batch and panel take the keys from here.
#pragma once
#include "Parameters.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace cleavage
{
// What a key is for.
enum class KeyGroup
{
    Settings,          // the settings record's and the molecule's, which every file holds
    Run,               // batch work: the FASTA file, filters, threads, bounds, progress
    MassSpectrometry,  // semi-specific digests, more reagents, modifications, charges, masses
};

// Whether a file must hold a key.
enum class KeyPresence
{
    Required,
    Molecule, // required unless the file names a FASTA file
    Optional,
};

struct KeyDescription
{
    std::string key;
    KeyGroup group;
    KeyPresence presence;
    bool repeatable = false;     // each line adds a value
    bool cells = false;          // its values are list cells: escaped, an empty value alone is no cell
    std::string option;          // on the command line; empty: the file's alone
    std::string placeholder;     // the option's value in the usage text; empty: a flag, which gives 1
    std::string needs;           // the key without which this one says nothing, or empty
    long long min = 0;           // an integer key's bounds
    long long max = 0;
    // Reads and checks one value (a repeatable key: adds it); throws EngineError "<where>: ...".
    std::function<void(Parameters&, const std::string& value, const std::string& where)> set;
    // What a key's lines say together, once they are read: throws EngineError.
    std::function<void(const Parameters&)> finish;
    // The key's lines in a parameter file; none when it was not given.
    std::function<void(const Parameters&, std::ostream&)> write;
    // Empties a repeatable key, so that values given another way replace the file's.
    std::function<void(Parameters&)> clear;

    // "[--missed N]", "[--also-reagent NAME]...", "[--progress]".
    std::string Usage() const;
};

// In the order a parameter file holds them: the settings record's sixteen first.
const std::vector<KeyDescription>& ParameterKeys();
// The key of that name, or of that command-line option (--background sets
// background_efficiency); nullptr for none.
const KeyDescription* FindKey(const std::string& key);
const KeyDescription* FindOption(const std::string& option);

// Sets a key that is given another way than in a file (one with an option), checked as
// in the file; false when `key` is none of them. A list key's value is added to its list.
bool SetBatchKey(Parameters& parameters, const std::string& key, const std::string& value, const std::string& where);
// Empties a list key, so that values given another way replace the file's.
void ClearList(Parameters& parameters, const std::string& key);

// The key a command-line option sets, "" for none; and the option of a key.
std::string KeyOfOption(const std::string& option);
std::string OptionOfKey(const std::string& key);

// What single values cannot show: min_length above max_length, min_mass above
// max_mass, a reagent or modification named twice (also_reagent naming enz_name's
// reagent too), two fixed modifications of one place, combinations a background refuses,
// a key of matching without masses.
void CheckTogether(const Parameters& parameters);

// The usage text's options of every key with one, in the table's order, on lines that
// begin with `indent` after the first and hold at most `width` characters.
std::string UsageOptions(std::size_t firstLineUsed, const std::string& indent, std::size_t width);

// The value of specificity that stands for it ("full", "semi").
const char* SpecificityName(Specificity specificity);

// A mass in daltons as the keys take it ("1200", "1200.5"; at most six decimals) in
// micro-daltons.
MicroDalton ParseMass(const std::string& text, const std::string& where);

// A list cell as it stands on its line, and back.
std::string EscapeCell(const std::string& cell);
std::string UnescapeCell(const std::string& text, const std::string& where);
}
