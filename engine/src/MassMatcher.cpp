#include "MassMatcher.h"
#include "EngineError.h"
#include "RowBuffer.h"

#include <algorithm>
#include <numeric>
#include <tuple>

namespace cleavage
{
namespace
{
bool ByPlace(const Match& a, const Match& b)
{
    return std::tie(a.start, a.end, a.protein, a.form) < std::tie(b.start, b.end, b.protein, b.form);
}

// Most probable first, ties by place. Probabilities written alike may differ in their
// last bits (products of the same efficiencies in another order): such neighbours go
// by place too, as the table shows them equal.
void Rank(std::vector<Match>& candidates)
{
    std::sort(candidates.begin(), candidates.end(), [](const Match& a, const Match& b) {
        return a.probability != b.probability ? a.probability > b.probability : ByPlace(a, b);
    });
    for (auto run = candidates.begin(); run != candidates.end();)
    {
        auto end = run + 1;
        while (end != candidates.end() && WrittenAlike(end[-1].probability, end->probability))
            ++end;
        std::sort(run, end, ByPlace);
        run = end;
    }
}

std::size_t CoveredResidues(std::vector<std::pair<std::size_t, std::size_t>>& ranges)
{
    std::sort(ranges.begin(), ranges.end());
    std::size_t covered = 0, reached = 0; // residues 1..reached counted
    for (const auto& [start, end] : ranges)
    {
        if (end > reached)
            covered += end - std::max(start - 1, reached);
        reached = std::max(reached, end);
    }
    return covered;
}
}

MassType ParseMassType(const std::string& text, const std::string& where)
{
    if (text == "mono")
        return MassType::Mono;
    if (text == "average")
        return MassType::Average;
    throw EngineError(where + ": \"" + Printable(text) + "\" is neither mono nor average");
}

MassMatcher::MassMatcher(const std::vector<MicroDalton>& observed, const Tolerance& tolerance, MassType massType)
    : m_tolerance(tolerance), m_massType(massType)
{
    auto sorted = std::make_shared<SortedMasses>();
    sorted->listIndex.resize(observed.size());
    std::iota(sorted->listIndex.begin(), sorted->listIndex.end(), std::size_t(0));
    std::sort(sorted->listIndex.begin(), sorted->listIndex.end(),
              [&observed](std::size_t a, std::size_t b) { return observed[a] < observed[b]; });
    for (const std::size_t i : sorted->listIndex)
        sorted->masses.push_back(observed[i]);
    m_sorted = std::move(sorted);
}

MassMatcher::MassMatcher(std::shared_ptr<const SortedMasses> sorted, const Tolerance& tolerance, MassType massType)
    : m_sorted(std::move(sorted)), m_tolerance(tolerance), m_massType(massType)
{
}

MassMatcher MassMatcher::Fork() const
{
    return MassMatcher(m_sorted, m_tolerance, m_massType);
}

bool MassMatcher::Reaches(const ResidueMass& candidate) const
{
    const MicroDalton mass = m_massType == MassType::Mono ? candidate.mono : candidate.average;
    if (mass == kNoMass)
        return false;
    const MicroDalton reach = m_tolerance.Reach(mass);
    const std::vector<MicroDalton>& masses = m_sorted->masses;
    const auto at = std::lower_bound(masses.begin(), masses.end(), mass - reach);
    return at != masses.end() && *at <= mass + reach;
}

void MassMatcher::Offer(const Candidate& candidate)
{
    const MicroDalton mass = m_massType == MassType::Mono ? candidate.mass.mono : candidate.mass.average;
    if (mass == kNoMass)
        return;
    const MicroDalton reach = m_tolerance.Reach(mass);
    const std::vector<MicroDalton>& masses = m_sorted->masses;
    auto at = std::lower_bound(masses.begin(), masses.end(), mass - reach);
    for (; at != masses.end() && *at <= mass + reach; ++at)
    {
        const std::size_t listIndex = m_sorted->listIndex[static_cast<std::size_t>(at - masses.begin())];
        m_matches.emplace_back(listIndex, Match{candidate.protein, candidate.start, candidate.end, candidate.form,
                                                std::string(candidate.sequence), std::string(candidate.modifications),
                                                mass, candidate.probability});
        if (m_proteins.count(candidate.protein) == 0)
            m_proteins[candidate.protein] = {std::string(candidate.proteinName), candidate.proteinLength, 0};
    }
}

void MassMatcher::Merge(MassMatcher& other)
{
    m_matches.insert(m_matches.end(), std::make_move_iterator(other.m_matches.begin()),
                     std::make_move_iterator(other.m_matches.end()));
    other.m_matches.clear();
    m_proteins.merge(other.m_proteins);
    other.m_proteins.clear();
}

MatchResult MassMatcher::Finish()
{
    MatchResult result;
    result.massType = m_massType;
    result.candidates.resize(m_sorted->masses.size());
    for (auto& [listIndex, match] : m_matches)
        result.candidates[listIndex].push_back(std::move(match));
    m_matches.clear();
    result.proteins = std::move(m_proteins);
    m_proteins.clear();

    std::map<std::size_t, std::vector<std::pair<std::size_t, std::size_t>>> firstRanked; // by protein
    for (std::vector<Match>& candidates : result.candidates)
    {
        if (candidates.empty())
            continue;
        ++result.matched;
        Rank(candidates);
        // Summed in rank order: the same sum whatever order the candidates came in.
        double total = 0;
        for (const Match& match : candidates)
            total += match.probability;
        for (std::size_t i = 0; i < candidates.size(); ++i)
        {
            candidates[i].rank = i + 1;
            candidates[i].share = total > 0 ? candidates[i].probability / total : 0;
        }
        firstRanked[candidates[0].protein].emplace_back(candidates[0].start, candidates[0].end);
    }
    for (auto& [protein, ranges] : firstRanked)
        result.proteins[protein].covered = CoveredResidues(ranges);
    return result;
}
}
