// The engine's parameter file: key=value lines, as engine/ParameterFile.md defines
// them. One reader (the engine) and one writer (hosts, tests) keep to that document.
#pragma once
#include "Reagent.h"

#include <climits>
#include <map>
#include <string>
#include <vector>

namespace cleavage
{
// The largest fragment limit: report every fragment.
constexpr int kAllFragments = INT_MAX;

struct Parameters
{
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
    std::string fastaFile;         // instead of moleculeName and sequence: a batch
    std::string resultFile;
    // For batch users; a negative value or 0 threads means "not given".
    int maxMissed = -1;
    int minLength = -1;
    int maxLength = -1;
    int threads = 0;
    int maxRows = -1;              // fragment rows a run may write; 0: no bound
    long long maxBytes = -1;       // bytes the fragment table may hold; 0: no bound
    int progress = -1;             // 1: a batch says how far it has come
    // For mass spectrometry (FeatureKeys.h); empty, negative or 0 when not given.
    std::string specificity;                // "full" or "semi"
    std::vector<std::string> alsoReagents;  // shipped reagents cutting beside the reagent
    std::vector<std::string> fixedMods;     // modification names, as typed
    std::vector<std::string> variableMods;
    int maxVariableMods = -1;
    int chargeFrom = 0;                     // charges=A-B
    int chargeTo = 0;
    long long minMass = -1;                 // micro-daltons
    long long maxMass = -1;
    // Observed masses matched to the fragments; empty when not given.
    std::string masses;                     // the mass list's path, as given
    std::string observed;                   // "M", "MH+" or "mz"
    std::string massType;                   // "mono" or "average"
    std::string tolerance;                  // "20ppm", "0.5Da", "0.1%"
    std::string background;                 // percent, as given

    // Where each key was read (file name and line), for messages about its value.
    std::map<std::string, std::string> origin;
    // The origin of a key, or the file name alone when the key came from elsewhere.
    std::string Where(const std::string& key) const;
    std::string sourceName;
};

// The lines of a parameter file, read but not yet checked: a file that is refused
// still names the result its failure is reported beside, and the FASTA file it reads.
class ParameterLines
{
public:
    // Throws EngineError when the file cannot be opened or read.
    explicit ParameterLines(const std::string& path);

    // The value of a key that stands once on a key=value line, or "".
    std::string Value(const std::string& key) const;
    // Every value of a key, in the file's order; none when the key is missing.
    std::vector<std::string> Values(const std::string& key) const;

    // Checks every line and key; throws EngineError naming the file, the line and the
    // key. Values that need the molecule (the range) or the command line's options
    // (CheckLengths) are checked by the caller.
    Parameters Check() const;

private:
    struct ValueLine
    {
        int line;
        std::string value;
    };
    friend class ParameterReader;

    std::string Where(const std::string& key, int line) const;
    // The one line of a key; a key given twice is an error, not a silent choice.
    const ValueLine* Single(const std::string& key, bool required) const;
    const std::vector<ValueLine>& All(const std::string& key) const;

    std::string m_path;                                   // as messages show it
    std::map<std::string, std::vector<ValueLine>> m_lines; // by key, in file order
    std::string m_firstMistake;                           // a line that is not key=value
};

// ParameterLines(path).Check().
Parameters ReadParameterFile(const std::string& path);

// Sets a key for batch work (fasta, missed, min_length, max_length, threads, max_rows,
// max_bytes, progress, and the keys of FeatureKeys.h) given another way, checked as in the file; false when
// `key` is none of them. A list key's value is added to its list.
bool SetBatchKey(Parameters& parameters, const std::string& key, const std::string& value, const std::string& where);

// min_length at most max_length, wherever each was given.
void CheckLengths(const Parameters& parameters);

// Writes `parameters` as a parameter file; throws EngineError when it cannot.
void WriteParameterFile(const Parameters& parameters, const std::string& path);

// A list cell as it stands on its line, and back.
std::string EscapeCell(const std::string& cell);
std::string UnescapeCell(const std::string& text, const std::string& where);

// A whole decimal number that fits `bits` bits (signed, at most 64), or EngineError
// "<where>: ... not a number" or "... does not fit N bits".
long long ParseWideInteger(const std::string& text, const std::string& where, int bits);
// ParseWideInteger within 32 bits.
int ParseInteger(const std::string& text, const std::string& where);
}
