// Observed masses matched to the fragments of a digest: each fragment form offered
// finds the observed values within the tolerance by binary search on the sorted
// masses, and each value's candidates are ranked by probability at the end.
#pragma once
#include "Residues.h"
#include "Tolerance.h"

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace cleavage
{
// Which of a fragment's masses an observed mass is compared with.
enum class MassType
{
    Mono,
    Average, // for large fragments and low resolution
};

// "mono" or "average"; otherwise throws EngineError "<where>: ...".
MassType ParseMassType(const std::string& text, const std::string& where);

// One form of a fragment, as a digest and its modifications define it.
struct Candidate
{
    std::size_t protein;          // its protein's place in the run's order (0 for one protein)
    std::string_view proteinName;
    std::size_t proteinLength;    // residues, for the coverage
    std::size_t start;            // 1-based, inclusive
    std::size_t end;
    std::size_t form;             // its place among the fragment's forms (0: unmodified)
    std::string_view sequence;
    std::string_view modifications; // the form's label, "" when unmodified
    ResidueMass mass;             // kNoMass when it holds an ambiguous residue: matches nothing
    double probability;
};

struct Match
{
    std::size_t protein;
    std::size_t start;
    std::size_t end;
    std::size_t form;
    std::string sequence;
    std::string modifications;
    MicroDalton mass; // the compared theoretical neutral mass
    double probability;
    double share = 0;      // probability over the sum of the value's candidates' probabilities
    std::size_t rank = 0;  // 1 for the most probable
};

struct ProteinCoverage
{
    std::string name;
    std::size_t length;
    std::size_t covered; // residues in some first-ranked candidate
};

struct MatchResult
{
    MassType massType;
    std::vector<std::vector<Match>> candidates;    // per observed value, in the list's order; ranked
    std::size_t matched = 0;                       // values with a candidate
    std::map<std::size_t, ProteinCoverage> proteins; // by protein order: those holding a candidate
};

class MassMatcher
{
public:
    // `observed`: the neutral masses of the observed values, in the list's order.
    MassMatcher(const std::vector<MicroDalton>& observed, const Tolerance& tolerance, MassType massType);

    // An empty matcher on the same observed values, for another thread; Merge brings
    // its matches back.
    MassMatcher Fork() const;

    // Whether some observed value lies within the tolerance of a form of this mass: a
    // form that none does need not be labelled to be offered.
    bool Reaches(const ResidueMass& mass) const;
    void Offer(const Candidate& candidate);
    // Takes the matches of `other` (a Fork of this or of its origin), leaving it empty.
    // The result does not depend on which matcher held which candidate.
    void Merge(MassMatcher& other);

    // Every observed value's candidates, most probable first (ties by start, end,
    // protein order and form), with shares and ranks, and the coverage of each protein
    // by the first-ranked candidates. Leaves the matcher empty.
    MatchResult Finish();

private:
    // The observed masses sorted once, shared by a matcher and its forks.
    struct SortedMasses
    {
        std::vector<MicroDalton> masses;
        std::vector<std::size_t> listIndex; // each sorted mass's place in the list
    };

    MassMatcher(std::shared_ptr<const SortedMasses> sorted, const Tolerance& tolerance, MassType massType);

    std::shared_ptr<const SortedMasses> m_sorted;
    Tolerance m_tolerance;
    MassType m_massType;
    std::vector<std::pair<std::size_t, Match>> m_matches; // list index, match
    std::map<std::size_t, ProteinCoverage> m_proteins;
};
}
