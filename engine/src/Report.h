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

// A `rowsLeft` that no protein reaches.
constexpr std::uint64_t kNoRowBound = UINT64_MAX;

void WriteFragmentHeader(std::ostream& out, const Analysis& analysis);
void WriteSiteHeader(std::ostream& out, const Analysis& analysis);

// One row of each table. A fragment row is left open after its sequence, for the
// caller's further fields and EndRow; `cutters`, when not null, follows the site's
// efficiency.
void WriteFragmentFields(const Analysis& analysis, const std::string& proteinName, const std::string& analysed,
                         std::size_t offset, const Fragment& fragment, const ResidueMass& mass, RowBuffer& rows);
void WriteSiteRow(const Analysis& analysis, const std::string& proteinName, const std::string& analysed,
                  std::size_t offset, const Site& site, const std::string* cutters, RowBuffer& rows);

// Analyses residues first..last (1-based, inclusive) of `sequence` as if they were
// the whole molecule and writes its rows; positions stay the molecule's own. Its
// fragment rows are counted first: when they would number more than `rowsLeft`, it
// writes nothing. Returns the number of fragment rows, written or not.
std::uint64_t ReportProtein(const Analysis& analysis, const std::string& proteinName, const std::string& sequence,
                            std::size_t first, std::size_t last, std::uint64_t rowsLeft, RowBuffer& fragments,
                            RowBuffer& sites);
}
