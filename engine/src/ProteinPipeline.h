// One protein's way through the engine: its sites, its fragments (full or
// semi-specific), their forms, the selection and the order, then the rows of the
// fragment table and the site table.
#pragma once
#include "Analysis.h"
#include "RowBuffer.h"

#include <cstdint>
#include <string>

namespace cleavage
{
// Fragment rows and the bytes of their lines in the fragment table.
struct TableSize
{
    std::uint64_t rows = 0;
    std::uint64_t bytes = 0;
};

// Room that no protein's rows reach.
constexpr TableSize kNoTableBound = {UINT64_MAX, UINT64_MAX};

// Where a protein's fragment forms go as candidates for the observed masses.
struct CandidateSink
{
    MassMatcher* matcher = nullptr; // none: the run matches no masses
    std::size_t protein = 0;        // the protein's place in the run's order
};

// Analyses residues first..last (1-based, inclusive) of `sequence` as if they were
// the whole molecule and writes its rows; positions and protein termini stay the
// molecule's own. Its fragment rows and their bytes are counted first: when either
// would be more than `left`, it writes nothing. Returns the rows and bytes, written or
// not: exactly when written or when they pass `left`. Every fragment form of the
// digest, whatever the selection, goes to `candidates` too.
TableSize ReportProtein(const Analysis& analysis, const std::string& proteinName, const std::string& sequence,
                        std::size_t first, std::size_t last, const TableSize& left, RowBuffer& fragments,
                        RowBuffer& sites, const CandidateSink& candidates);
}
