#include "SiteTableWriter.h"
#include "ResultFormat.h"

namespace cleavage
{
void WriteSiteHeader(std::ostream& out, const Analysis& analysis)
{
    WriteColumnNames(out, analysis.batch, kSiteColumns, kSiteColumnCount);
    if (analysis.reagents.Several())
        out << '\t' << kReagentsColumn;
    out << "\n";
}

void WriteSiteRows(const Analysis& analysis, const std::string& proteinName, const std::string& analysed,
                   std::size_t offset, const ProteinSites& found, RowBuffer& rows)
{
    for (std::size_t i = 0; i < found.sites.size(); ++i)
    {
        const Site& site = found.sites[i];
        if (analysis.batch)
            rows.Field(proteinName);
        rows.Field(site.position + offset);
        rows.Field(analysed[site.position - 1]);
        rows.Field(analysed[site.position]);
        rows.Probability(site.efficiency);
        if (!found.cutters.empty())
            rows.Field(found.cutters[i]);
        rows.EndRow();
    }
}
}
