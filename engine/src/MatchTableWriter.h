// The matches table: each observed value with its candidates, most probable first,
// tab-separated, numbers written the same way on every platform; and its summary.
#pragma once
#include "MassList.h"
#include "MassMatcher.h"
#include "RowBuffer.h"

#include <ostream>
#include <string>

namespace cleavage
{
// The header, a row per candidate of each value in the list's order (one row with
// the rest empty for a value without candidates), and the summary as a last comment
// line. `batch`: a protein column, and the coverage of the proteins together.
void WriteMatchTable(std::ostream& out, const MassList& list, const MatchResult& result, bool batch);

// "matched 17 of 20 observed values; residues covered by the first-ranked candidates:
// 83 %" (a batch: "... 83 % of the 5 proteins that hold them"), as the table's last line
// and the run's report say it.
std::string MatchSummary(const MatchResult& result, bool batch);

// A batch's coverage per protein holding a first-ranked candidate, in the run's order:
// protein, length, covered, coverage (percent, rounded down).
void WriteCoverageTable(std::ostream& out, const MatchResult& result);
}
