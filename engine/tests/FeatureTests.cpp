// The optional keys for mass spectrometry: reagents cutting together, modified forms
// and m/z, each against its own computation.
#include "Analysis.h"
#include "FragmentTableWriter.h"
#include "Modifications.h"
#include "ReagentSet.h"
#include "ShippedReagents.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <random>
#include <tuple>

#include "TestSupport.h"

using namespace cleavage;

namespace
{
std::string RandomSequence(std::mt19937& random, std::size_t length, const std::string& letters)
{
    std::string sequence;
    for (std::size_t i = 0; i < length; ++i)
        sequence += letters[random() % letters.size()];
    return sequence;
}

// The forms by their definition: each place (a terminus of the molecule, a residue)
// takes nothing or one of the variable kinds that fit it, unless a fixed kind fits;
// choices with more than `most` variable ones are dropped, and so are those with an
// acetylated N-terminus and pyro-glutamate or a lost methionine, which take that
// amino group.
std::vector<std::tuple<std::string, MicroDalton, MicroDalton>> BruteForceForms(
    const std::string& molecule, std::size_t first, std::size_t last, const std::vector<const ModificationKind*>& fixed,
    const std::vector<const ModificationKind*>& variable, std::size_t most)
{
    struct Place
    {
        std::string label;
        std::vector<const ModificationKind*> fixedKinds, kinds;
    };
    std::vector<Place> places;
    const auto fits = [&](const ModificationKind& kind, std::size_t i, const std::string& place) {
        switch (kind.site)
        {
        case ModificationSite::Residue:
            return place == "residue" && molecule[i] == kind.residue;
        case ModificationSite::FirstResidue:
            return place == "residue" && i == first && molecule[i] == kind.residue;
        case ModificationSite::ProteinFirstResidue:
            return place == "residue" && i == 0 && molecule[i] == kind.residue;
        case ModificationSite::ProteinNTerm:
            return place == "N-term" && first == 0;
        case ModificationSite::ProteinCTerm:
            return place == "C-term" && last + 1 == molecule.size();
        }
        return false;
    };
    const auto addPlace = [&](std::size_t i, const std::string& place, const std::string& label) {
        Place p{label, {}, {}};
        for (const ModificationKind* kind : fixed)
            if (fits(*kind, i, place))
                p.fixedKinds.push_back(kind);
        for (const ModificationKind* kind : variable)
            if (fits(*kind, i, place) && p.fixedKinds.empty())
                p.kinds.push_back(kind);
        places.push_back(p);
    };
    addPlace(first, "N-term", "N-term");
    for (std::size_t i = first; i <= last; ++i)
        addPlace(i, "residue", molecule[i] + std::to_string(i + 1));
    addPlace(last, "C-term", "C-term");

    // A fragment without a mass (X) has none in any form.
    const auto add = [](ResidueMass& mass, const ModificationKind& kind) {
        if (mass.mono != kNoMass)
            mass = {mass.mono + kind.delta.mono, mass.average + kind.delta.average};
    };
    ResidueMass base = MassPrefix(molecule).FragmentMass(first, last);
    std::vector<std::string> fixedTitles;
    for (const Place& place : places)
        for (const ModificationKind* kind : place.fixedKinds)
        {
            add(base, *kind);
            fixedTitles.push_back(kind->title);
        }
    std::vector<std::tuple<std::string, MicroDalton, MicroDalton>> forms;
    std::vector<std::size_t> choice(places.size(), 0); // 0: nothing, k: kinds[k - 1]
    for (;;)
    {
        std::string label;
        ResidueMass mass = base;
        std::vector<std::string> titles = fixedTitles;
        for (std::size_t p = 0; p < places.size(); ++p)
            if (choice[p] > 0)
            {
                const ModificationKind* kind = places[p].kinds[choice[p] - 1];
                label += (label.empty() ? "" : ";") + places[p].label + ":" + kind->title;
                add(mass, *kind);
                titles.push_back(kind->title);
            }
        const auto holds = [&titles](const char* title) {
            return std::find(titles.begin(), titles.end(), title) != titles.end();
        };
        const bool aminoGroupTaken = holds("Gln->pyro-Glu") || holds("Met-loss") || holds("Met-loss+Acetyl");
        if (titles.size() - fixedTitles.size() <= most && !(holds("Acetyl") && aminoGroupTaken))
            forms.emplace_back(label, mass.mono, mass.average);
        std::size_t p = 0;
        while (p < places.size() && ++choice[p] > places[p].kinds.size())
            choice[p++] = 0;
        if (p == places.size())
            break;
    }
    std::sort(forms.begin(), forms.end());
    return forms;
}
}

TEST(FeatureTest, ModifiedFormsAgreeWithEveryChoiceOfPlaces)
{
    const std::vector<std::string> names = {"Carbamidomethyl (C)",     "Oxidation (M)",  "Phospho (STY)",
                                            "Acetyl (Protein N-term)", "Deamidated (N)", "Deamidated (Q)",
                                            "Gln->pyro-Glu (N-term Q)", "Amidated (Protein C-term)",
                                            "Met-loss (Protein N-term M)", "Met-loss+Acetyl (Protein N-term M)"};
    std::mt19937 random(19);
    for (int round = 0; round < 300; ++round)
    {
        const std::string molecule = RandomSequence(random, 3 + random() % 10, "CMSTYNQKAX");
        const std::size_t first = random() % 3, last = first + random() % (molecule.size() - first);
        // Each name fixed, variable or neither; two fixed kinds never share a residue.
        std::vector<std::string> fixedNames, variableNames;
        std::vector<const ModificationKind*> fixed, variable;
        for (const std::string& name : names)
        {
            const std::vector<const ModificationKind*> kinds = FindModifications(name, "test");
            const bool clash = std::any_of(fixed.begin(), fixed.end(), [&](const ModificationKind* k) {
                return ShareASite(*k, *kinds[0]);
            });
            const unsigned role = random() % 3;
            if (role == 0 && !clash)
            {
                fixedNames.push_back(name);
                fixed.insert(fixed.end(), kinds.begin(), kinds.end());
            }
            else if (role == 1)
            {
                variableNames.push_back(name);
                variable.insert(variable.end(), kinds.begin(), kinds.end());
            }
        }
        const std::size_t most = random() % 4;
        SCOPED_TRACE("round " + std::to_string(round) + ": " + molecule + " " + std::to_string(first) + ".." +
                     std::to_string(last));

        std::vector<ModifiedForm> forms;
        Modifications(fixedNames, variableNames, most)
            .Forms(molecule, first, last, MassPrefix(molecule).FragmentMass(first, last), forms);
        std::vector<std::tuple<std::string, MicroDalton, MicroDalton>> found;
        for (const ModifiedForm& form : forms)
            found.emplace_back(form.label, form.mass.mono, form.mass.average);
        // The unmodified form first, then by the number of modifications.
        ASSERT_FALSE(forms.empty());
        EXPECT_EQ("", forms[0].label);
        for (std::size_t i = 1; i < forms.size(); ++i)
            EXPECT_LE(std::count(forms[i - 1].label.begin(), forms[i - 1].label.end(), ':'),
                      std::count(forms[i].label.begin(), forms[i].label.end(), ':'));
        std::sort(found.begin(), found.end());
        EXPECT_EQ(BruteForceForms(molecule, first, last, fixed, variable, most), found);
    }
}

TEST(FeatureTest, PyroGluNeverFollowsAcetylAndKindsOfOnePlaceKeepTheirOrder)
{
    const char kAcetyl[] = "Acetyl (Protein N-term)", kPyroGlu[] = "Gln->pyro-Glu (N-term Q)",
               kDeamidated[] = "Deamidated (Q)";
    const struct
    {
        const char* molecule;
        std::size_t first; // 0-based; the fragment ends with the molecule
        std::vector<std::string> fixed, variable;
        std::vector<std::string> labels;
    } cases[] = {
        // QAK, both variable: each alone, never both.
        {"QAK", 0, {}, {kAcetyl, kPyroGlu}, {"", "N-term:Acetyl", "Q1:Gln->pyro-Glu"}},
        // QAK, one fixed: no form with the other.
        {"QAK", 0, {kAcetyl}, {kPyroGlu}, {""}},
        {"QAK", 0, {kPyroGlu}, {kAcetyl}, {""}},
        // AQK from Q2, Acetyl fixed: this fragment holds no protein N-terminus.
        {"AQK", 1, {kAcetyl}, {kPyroGlu}, {"", "Q2:Gln->pyro-Glu"}},
        // QAK, Acetyl with deamidation: both together as well.
        {"QAK", 0, {}, {kAcetyl, kDeamidated}, {"", "N-term:Acetyl", "Q1:Deamidated", "N-term:Acetyl;Q1:Deamidated"}},
        // QAK, two kinds of Q1: in the order given.
        {"QAK", 0, {}, {kDeamidated, kPyroGlu}, {"", "Q1:Deamidated", "Q1:Gln->pyro-Glu"}},
        {"QAK", 0, {}, {kPyroGlu, kAcetyl, kDeamidated},
         {"", "N-term:Acetyl", "Q1:Gln->pyro-Glu", "Q1:Deamidated", "N-term:Acetyl;Q1:Deamidated"}},
    };
    for (const auto& c : cases)
    {
        const std::string molecule = c.molecule;
        const std::size_t last = molecule.size() - 1;
        std::vector<ModifiedForm> forms;
        Modifications(c.fixed, c.variable, 2)
            .Forms(molecule, c.first, last, MassPrefix(molecule).FragmentMass(c.first, last), forms);
        std::vector<std::string> labels;
        for (const ModifiedForm& form : forms)
            labels.push_back(form.label);
        EXPECT_EQ(c.labels, labels) << c.molecule << " from " << c.first;
    }
}

TEST(FeatureTest, ReagentsTogetherCutAsIndependentEvents)
{
    const char* const names[] = {"Trypsin", "Lys-C", "Asp-N", "Glu-C (phosphate)"};
    std::mt19937 random(3);
    for (int round = 0; round < 50; ++round)
    {
        const std::string sequence = RandomSequence(random, 2 + random() % 30, "KRDEPAG");
        ReagentSet set;
        std::vector<Reagent>& reagents = set.reagents;
        std::vector<std::string>& used = set.names;
        for (const char* name : names)
            if (random() % 2)
            {
                ReagentText text = ShippedReagent(name, "test");
                text.recognitionEfficiency = static_cast<int>(random() % 5) * 25;
                reagents.emplace_back(text);
                used.push_back(name);
            }
        const ProteinSites combined = CombineSites(set, sequence);
        SCOPED_TRACE(sequence);

        // Per position: every outcome of the reagents that match there, cut or not.
        std::size_t next = 0;
        for (std::size_t position = 1; position < sequence.size(); ++position)
        {
            std::vector<std::pair<std::string, double>> matching;
            for (std::size_t r = 0; r < reagents.size(); ++r)
                for (const Site& site : reagents[r].FindSites(sequence))
                    if (site.position == position)
                        matching.emplace_back(used[r], site.efficiency);
            if (matching.empty())
                continue;
            double cut = 0.0;
            std::string cutters;
            for (std::size_t mask = 1; mask < (std::size_t(1) << matching.size()); ++mask)
            {
                double weight = 1.0;
                for (std::size_t m = 0; m < matching.size(); ++m)
                    weight *= (mask >> m) & 1 ? matching[m].second : 1.0 - matching[m].second;
                cut += weight;
            }
            for (const auto& [name, efficiency] : matching)
                if (efficiency > 0)
                    cutters += (cutters.empty() ? "" : "+") + name;
            ASSERT_LT(next, combined.sites.size());
            EXPECT_EQ(position, combined.sites[next].position);
            EXPECT_EQ(cut, combined.sites[next].efficiency) << "position " << position;
            EXPECT_EQ(cutters, combined.cutters[next]) << "position " << position;
            ++next;
        }
        EXPECT_EQ(next, combined.sites.size());
    }
}

TEST(FeatureTest, ModifiedMassesMatchPublishedCompounds)
{
    struct Case
    {
        const char* molecule;
        const char* modification; // fixed
        MicroDalton mono;
        MicroDalton averageDelta;
    };
    // Each compound's monoisotopic mass as PubChem gives it for its formula:
    // O-phospho-L-serine C3H8NO6P, L-methionine sulfoxide C5H11NO3S, N-acetyl-L-methionine
    // C7H13NO3S, S-carbamoylmethyl-L-cysteine C5H10N2O3S, L-aspartic acid C4H7NO4
    // (deamidated asparagine), L-pyroglutamic acid C5H7NO3, glycinamide C2H6N2O, and
    // [Met5]-enkephalin sulfoxide YGGFM(O) C27H35N5O8S. The average mass change is the
    // modification's Unimod composition (HPO3, O, C2H2O, C2H3NO, H-1N-1O, H-3N-1, HNO-1)
    // times the IUPAC 2001 atomic weights Unimod's average masses use (H 1.00794,
    // C 12.0107, N 14.0067, O 15.9994, P 30.973761).
    const Case cases[] = {
        {"S", "Phospho (S)", 185008924, 79979901},
        {"M", "Oxidation (M)", 165045964, 15999400},
        {"M", "Acetyl (Protein N-term)", 191061614, 42036680},
        {"C", "Carbamidomethyl (C)", 178041213, 57051320},
        {"N", "Deamidated (N)", 133037508, 984760},
        {"Q", "Gln->pyro-Glu (N-term Q)", 129042593, -17030520},
        {"G", "Amidated (Protein C-term)", 74048013, -984760},
        {"YGGFM", "Oxidation (M)", 589220634, 15999400},
    };
    for (const Case& c : cases)
    {
        const std::string molecule = c.molecule;
        const ResidueMass unmodified = MassPrefix(molecule).FragmentMass(0, molecule.size() - 1);
        std::vector<ModifiedForm> forms;
        Modifications({c.modification}, {}, 0).Forms(molecule, 0, molecule.size() - 1, unmodified, forms);
        ASSERT_EQ(1u, forms.size());
        // Unimod's deltas and residues are rounded to the micro-dalton, its average
        // deltas to 0.1 mDa.
        EXPECT_NEAR(c.mono, forms[0].mass.mono, 2) << c.modification;
        EXPECT_NEAR(unmodified.average + c.averageDelta, forms[0].mass.average, 50) << c.modification;
    }
}

TEST(FeatureTest, MassToChargeAddsProtonsAndRoundsToTheMicroDalton)
{
    // (mono + z * 1.007276467) / z, by hand.
    const std::tuple<MicroDalton, int, const char*> cases[] = {
        {1045534476, 1, "1046.541752"}, // angiotensin II: 1046.541752467
        {1045534476, 2, "523.774514"},  // 523.7745142335
        {1045534476, 3, "349.518768"},  // 349.518768467
        {1000000000, 3, "334.340610"},  // 334.3406098003
        {0, 7, "1.007276"},
        // KW, 332.184841 Da: a nano-dalton more or less on the proton crosses the half.
        {332184841, 30, "12.080105"}, // 12.08010450033
        {332184841, 31, "11.722916"}, // 11.72291649926
    };
    for (const auto& [mono, charge, expected] : cases)
        EXPECT_EQ(expected, FormatMass(MassToCharge(mono, charge), 6)) << mono << ", z " << charge;
}

TEST(FeatureTest, VariableModificationsDefaultToTwoAForm)
{
    Parameters parameters;
    parameters.variableMods = {LookUpModification("Oxidation (M)", "test")};
    std::vector<ModifiedForm> forms;
    Analysis(parameters).modifications.Forms("MMM", 0, 2, MassPrefix("MMM").FragmentMass(0, 2), forms);
    // Unmodified, three with one oxidation, three with two; none with three.
    EXPECT_EQ(7u, forms.size());
}
