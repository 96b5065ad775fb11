#include "MatchTableWriter.h"
#include "ResultFormat.h"

#include <cmath>
#include <cstdlib>

namespace cleavage
{
namespace
{
// The columns after the kept ones that a value without candidates leaves empty.
const char* const kCandidateColumns[] = {"start",    "end",      "sequence",    "modifications", "mass",
                                         "error_ppm", "error_da", "probability", "share",         "rank"};
constexpr int kErrorPpmDecimals = 2;
constexpr int kShareDecimals = 4;

// Writes a signed fixed-point number: `units` of 10^-decimals.
void FixedField(long long units, int decimals, RowBuffer& rows)
{
    char text[kNumberRoom];
    char* out = text;
    if (units < 0)
        *out++ = '-';
    // Through FormatMass, which writes micro-units cut to `decimals`.
    const auto magnitude = static_cast<MicroDalton>(std::llabs(units));
    long long scale = 1;
    for (int i = decimals; i < kMonoDecimals; ++i)
        scale *= 10;
    out = FormatMass(out, magnitude * scale, decimals);
    rows.Field(text, static_cast<std::size_t>(out - text));
}

std::size_t Percent(std::size_t part, std::size_t whole)
{
    return whole == 0 ? 0 : part * 100 / whole;
}
}

void WriteMatchTable(std::ostream& out, const MassList& list, const MatchResult& result, bool batch)
{
    out << "observed\tcharge\tobserved_mass";
    for (const std::string& name : list.keptNames)
        out << "\t" << name;
    if (batch)
        out << '\t' << kProteinColumn;
    for (const char* column : kCandidateColumns)
        out << "\t" << column;
    out << "\n";

    const int massDecimals = result.massType == MassType::Mono ? kMonoDecimals : kAverageDecimals;
    RowBuffer rows(&out);
    for (std::size_t i = 0; i < list.values.size(); ++i)
    {
        const ObservedValue& value = list.values[i];
        const auto observedColumns = [&] {
            rows.Field(value.text);
            rows.Field(ChargeText(value.charge));
            rows.Mass(value.neutral, kMonoDecimals);
            for (const std::string& kept : value.kept)
                rows.Field(kept);
        };
        if (result.candidates[i].empty())
        {
            observedColumns();
            for (std::size_t column = batch ? 0 : 1; column <= std::size(kCandidateColumns); ++column)
                rows.Field(std::string());
            rows.EndRow();
        }
        for (const Match& match : result.candidates[i])
        {
            observedColumns();
            if (batch)
                rows.Field(result.proteins.at(match.protein).name);
            rows.Field(match.start);
            rows.Field(match.end);
            rows.Field(match.sequence);
            rows.Field(match.modifications);
            rows.Mass(match.mass, massDecimals);
            FixedField(ErrorPpmHundredths(value.neutral, match.mass), kErrorPpmDecimals, rows);
            FixedField(value.neutral - match.mass, kMonoDecimals, rows);
            rows.Probability(match.probability);
            FixedField(std::llround(match.share * 1e4), kShareDecimals, rows);
            rows.Field(match.rank);
            rows.EndRow();
        }
    }
    rows.Flush();
    out << "# " << MatchSummary(result, batch) << "\n";
}

std::string MatchSummary(const MatchResult& result, bool batch)
{
    std::size_t covered = 0, length = 0, holding = 0;
    for (const auto& entry : result.proteins)
    {
        const ProteinCoverage& protein = entry.second;
        if (protein.covered == 0)
            continue;
        covered += protein.covered;
        length += protein.length;
        ++holding;
    }
    std::string summary = "matched " + std::to_string(result.matched) + " of " +
                          std::to_string(result.candidates.size()) +
                          " observed values; residues covered by the first-ranked candidates: " +
                          std::to_string(Percent(covered, length)) + " %";
    if (batch)
        summary += " of the " + std::to_string(holding) +
                   (holding == 1 ? " protein that holds them" : " proteins that hold them");
    return summary;
}

void WriteCoverageTable(std::ostream& out, const MatchResult& result)
{
    out << "protein\tlength\tcovered\tcoverage\n";
    RowBuffer rows(&out);
    for (const auto& entry : result.proteins)
    {
        const ProteinCoverage& protein = entry.second;
        if (protein.covered == 0)
            continue;
        rows.Field(protein.name);
        rows.Field(protein.length);
        rows.Field(protein.covered);
        rows.Field(Percent(protein.covered, protein.length));
        rows.EndRow();
    }
    rows.Flush();
}
}
