// The two tables of an analysis: fragments and sites, tab-separated, with numbers
// written the same way on every platform.
#pragma once
#include "Digest.h"
#include "Features.h"
#include "ParameterFile.h"
#include "RowBuffer.h"

#include <cstdint>
#include <ostream>
#include <string>

namespace cleavage
{
// The settings of one analysis, as they apply to every protein.
struct Analysis
{
    explicit Analysis(const Parameters& parameters);

    Reagent reagent;
    bool thresholdMode;
    double threshold;       // a fragment must be more probable than this
    std::size_t bestCount;
    bool all;               // every fragment with a probability above 0
    SortOrder order;
    FragmentFilter filter;
    bool batch;             // a protein column leads every row
    Features features;      // the optional keys for mass spectrometry
};

// Fragment rows and the bytes of their lines in the fragment table.
struct TableSize
{
    std::uint64_t rows = 0;
    std::uint64_t bytes = 0;
};

// Room that no protein's rows reach.
constexpr TableSize kNoTableBound = {UINT64_MAX, UINT64_MAX};

void WriteFragmentHeader(std::ostream& out, const Analysis& analysis);
void WriteSiteHeader(std::ostream& out, const Analysis& analysis);

// One row of each table. A fragment row is left open after its sequence, for the
// caller's further fields and EndRow; `cutters`, when not null, follows the site's
// efficiency.
void WriteFragmentFields(const Analysis& analysis, const std::string& proteinName, const std::string& analysed,
                         std::size_t offset, const Fragment& fragment, const ResidueMass& mass, RowBuffer& rows);
// The bytes WriteFragmentFields writes, its last tab included, digit for digit.
std::uint64_t FragmentFieldsWidth(const Analysis& analysis, std::size_t nameSize, std::size_t offset,
                                  const Fragment& fragment, const ResidueMass& mass);
// At least FragmentFieldsWidth of any fragment of at most `longest` residues ending at
// most at position `lastPosition`, of masses below `heaviest`.
std::uint64_t WidestFragmentFields(const Analysis& analysis, std::size_t nameSize, std::size_t lastPosition,
                                   std::size_t longest, MicroDalton heaviest);
// An upper bound on the monoisotopic and average mass of `residues` residues, with any
// modifications: every residue heavier than the heaviest and its heaviest change.
MicroDalton HeaviestMass(std::size_t residues);
// a * b, or UINT64_MAX when that does not fit.
std::uint64_t SaturatedProduct(std::uint64_t a, std::uint64_t b);

void WriteSiteRow(const Analysis& analysis, const std::string& proteinName, const std::string& analysed,
                  std::size_t offset, const Site& site, const std::string* cutters, RowBuffer& rows);

// Analyses residues first..last (1-based, inclusive) of `sequence` as if they were
// the whole molecule and writes its rows; positions stay the molecule's own. Its
// fragment rows and their bytes are counted first: when either would be more than
// `left`, it writes nothing. Returns the rows and bytes, written or not, exactly.
TableSize ReportProtein(const Analysis& analysis, const std::string& proteinName, const std::string& sequence,
                        std::size_t first, std::size_t last, const TableSize& left, RowBuffer& fragments,
                        RowBuffer& sites);
}
