// The description of one run, resolved once from its parameters: every default
// applied, the reagents and modifications looked up. The pipeline takes it.
#pragma once
#include "Digest.h"
#include "FragmentOrder.h"
#include "MassList.h"
#include "MassMatcher.h"
#include "Modifications.h"
#include "Parameters.h"
#include "ReagentSet.h"

#include <cstdint>
#include <string>

namespace cleavage
{
// Which fragments of a protein the table reports.
enum class Selection
{
    Best,      // the bestCount most probable
    Threshold, // those more probable than the threshold
    All,       // every one with a probability above 0
};

// A window on the monoisotopic mass of a row; kNoMass: no bound on that side.
struct MassWindow
{
    MicroDalton min = kNoMass;
    MicroDalton max = kNoMass;

    bool Any() const { return min != kNoMass || max != kNoMass; }
    // Every mass without bounds; with one, only a mass within them.
    bool Holds(MicroDalton mono) const
    {
        return !Any() || (mono != kNoMass && (min == kNoMass || mono >= min) && (max == kNoMass || mono <= max));
    }
};

// Observed masses to match to the fragments, when a mass list is given.
struct Matching
{
    std::string massList; // its path; empty: no matching
    ObservedKind observed = ObservedKind::Protonated;
    MassType massType = MassType::Mono;
    Tolerance tolerance;
};

// The bounds on a run's fragment table (0: no bound) and where each was set.
struct TableLimits
{
    std::uint64_t rows;
    std::uint64_t bytes;
    std::string rowsSource;
    std::string bytesSource;
};

struct Analysis
{
    // Applies every default; the parameters are checked before.
    explicit Analysis(const Parameters& parameters);

    ReagentSet reagents;
    Selection selection;
    double threshold;       // Threshold: a fragment must be more probable than this
    std::size_t bestCount;  // Best
    SortOrder order;
    FragmentFilter filter;
    Specificity specificity;
    Modifications modifications;
    ChargeRange charges;    // none when from is 0
    MassWindow window;
    double background;      // the efficiency every peptide bond is also cut with
    Matching matching;
    bool batch;             // a FASTA file: a protein column leads every row
    TableLimits limits;
    unsigned threads;       // for a batch
    bool progress;          // a batch says how far it has come
};
}
