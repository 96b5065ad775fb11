// A FASTA batch: each record analysed as the run's molecule, on one thread or on
// several, its rows written in the file's order.
#pragma once
#include "Analysis.h"
#include "BatchLog.h"
#include "MassMatcher.h"
#include "ParameterFile.h"
#include "RowBuffer.h"
#include "TableBound.h"

#include <cstddef>
#include <string>

namespace cleavage
{
// The residues of each record a batch analyses, 1-based and inclusive; 0 and 0: all.
struct BatchRange
{
    std::size_t from = 0;
    std::size_t to = 0;
};

BatchRange BatchRangeOf(const Parameters& parameters);

// Analyses every record of `fastaFile`: a record shorter than the range is left out
// with a warning in `log`. `matcher`, when not null, takes every record's candidates.
void RunBatch(const Analysis& analysis, const BatchRange& range, const std::string& fastaFile, unsigned threads,
              TableBound& bound, RowBuffer& fragments, RowBuffer& sites, BatchLog& log, MassMatcher* matcher);
}
