// The site table: its header and one protein's rows.
#pragma once
#include "Analysis.h"
#include "RowBuffer.h"

#include <ostream>
#include <string>

namespace cleavage
{
void WriteSiteHeader(std::ostream& out, const Analysis& analysis);

// The rows of `found`, the sites of `analysed` (whose residue 1 is the molecule's
// residue offset + 1), with the reagents that cut at each when several do.
void WriteSiteRows(const Analysis& analysis, const std::string& proteinName, const std::string& analysed,
                   std::size_t offset, const ProteinSites& found, RowBuffer& rows);
}
