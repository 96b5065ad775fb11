#include "Report.h"
#include "Residues.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

using namespace cleavage;

namespace
{
ResidueMass PeptideMass(const std::string& peptide)
{
    return MassPrefix(peptide).FragmentMass(0, peptide.size() - 1);
}
}

TEST(MassTest, PublishedPeptideMasses)
{
    struct Case
    {
        const char* peptide;
        double mono;    // neutral monoisotopic mass, Da
        double average; // average mass, Da
    };
    // Angiotensin II, bradykinin, Glu1-fibrinopeptide B (the calibrant, [M+2H]2+
    // 785.8426), leucine enkephalin.
    const Case cases[] = {
        {"DRVYIHPF", 1045.5345, 1046.18},
        {"RPPGFSPFR", 1059.5614, 1060.21},
        {"EGVNDNEEGFFSAR", 1569.6697, 1570.57},
        {"YGGFL", 555.2693, 555.62},
    };
    for (const Case& c : cases)
    {
        EXPECT_NEAR(c.mono, PeptideMass(c.peptide).mono / 1e6, 0.0005) << c.peptide;
        EXPECT_NEAR(c.average, PeptideMass(c.peptide).average / 1e6, 0.01) << c.peptide;
    }
}

TEST(MassTest, FormatsExactDigitsAndNoMassForAmbiguousResidues)
{
    EXPECT_EQ("75.032029", FormatMass(PeptideMass("G").mono, kMonoDecimals));
    EXPECT_EQ("75.0666", FormatMass(PeptideMass("G").average, kAverageDecimals));
    EXPECT_EQ("0.000001", FormatMass(1, kMonoDecimals));
    // U and O are residues with masses; J weighs what I and L weigh.
    EXPECT_EQ("168.964201", FormatMass(PeptideMass("U").mono, kMonoDecimals));
    EXPECT_EQ("255.158292", FormatMass(PeptideMass("O").mono, kMonoDecimals));
    EXPECT_EQ(PeptideMass("L").mono, PeptideMass("J").mono);
    for (const char* peptide : {"GB", "ZG", "GXG"})
        EXPECT_EQ("NA NA", FormatMass(PeptideMass(peptide).mono, kMonoDecimals) + " " +
                               FormatMass(PeptideMass(peptide).average, kAverageDecimals));
    // A fragment beside an ambiguous residue keeps its mass.
    EXPECT_EQ(PeptideMass("GA").mono, MassPrefix("XGAX").FragmentMass(1, 2).mono);
}

TEST(MassTest, SequencesAreUpperCasedAndOnlyResiduesAccepted)
{
    EXPECT_EQ("MKWBZXUO", NormaliseSequence(" mk w\tbzxuo*", "seq"));
    for (const char* text : {"MK*W", "MK1", "MK-", "M**"})
        EXPECT_TRUE(Contains(ErrorOf([&] { NormaliseSequence(text, "seq"); }), "is not a residue")) << text;
}

TEST(MassTest, ProbabilitiesHaveTenSignificantDigitsInTheShortestForm)
{
    char text[32];
    for (const auto& [probability, expected] : {std::pair<double, const char*>{1.0 / 3, "0.3333333333"},
                                                {0.1 * 0.9, "0.09"}, {1.5e-7, "1.5e-07"}, {1.0, "1"}})
        EXPECT_EQ(expected, std::string(text, FormatProbability(text, probability)));
}

