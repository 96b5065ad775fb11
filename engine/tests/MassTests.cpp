#include "EngineError.h"
#include "Residues.h"

#include <gtest/gtest.h>

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
    // Published neutral masses: angiotensin II, bradykinin, Glu1-fibrinopeptide B
    // (its [M+2H]2+ 785.8426 is the usual calibrant), leucine enkephalin.
    const Case cases[] = {
        {"DRVYIHPF", 1045.5345, 1046.18},
        {"RPPGFSPFR", 1059.5614, 1060.21},
        {"EGVNDNEEGFFSAR", 1569.6697, 1570.57},
        {"YGGFL", 555.2693, 555.62},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.peptide);
        const ResidueMass mass = PeptideMass(c.peptide);
        EXPECT_NEAR(c.mono, mass.mono / 1e6, 0.0005);
        EXPECT_NEAR(c.average, mass.average / 1e6, 0.01);
    }
}

TEST(MassTest, FormatsExactDigitsAndNoMassForAmbiguousResidues)
{
    EXPECT_EQ("75.032029", FormatMonoMass(PeptideMass("G").mono));
    EXPECT_EQ("75.0666", FormatAverageMass(PeptideMass("G").average));
    EXPECT_EQ("0.000001", FormatMonoMass(1));
    // U and O are residues with masses; J weighs what I and L weigh.
    EXPECT_EQ(PeptideMass("L").mono, PeptideMass("J").mono);
    EXPECT_EQ("168.964201", FormatMonoMass(PeptideMass("U").mono));
    EXPECT_EQ("255.158292", FormatMonoMass(PeptideMass("O").mono));
    for (const char* peptide : {"GB", "ZG", "GXG"})
    {
        EXPECT_EQ("NA", FormatMonoMass(PeptideMass(peptide).mono)) << peptide;
        EXPECT_EQ("NA", FormatAverageMass(PeptideMass(peptide).average)) << peptide;
    }
    // A fragment beside an ambiguous residue keeps its mass.
    EXPECT_EQ(PeptideMass("GA").mono, MassPrefix("XGAX").FragmentMass(1, 2).mono);
}

TEST(MassTest, SequencesAreUpperCasedAndOnlyResiduesAccepted)
{
    EXPECT_EQ("MKWBZXUO", NormaliseSequence(" mk w\tbzxuo*", "seq"));
    EXPECT_EQ("", NormaliseSequence(" ", "seq"));
    for (const char* text : {"MK*W", "MK1", "MK-", "M**"})
    {
        try
        {
            NormaliseSequence(text, "seq");
            ADD_FAILURE() << text << " was accepted";
        }
        catch (const EngineError& error)
        {
            EXPECT_NE(std::string::npos, std::string(error.what()).find("is not a residue")) << error.what();
        }
    }
}
