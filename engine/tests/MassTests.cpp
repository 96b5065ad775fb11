#include "ProteinPipeline.h"
#include "DecimalText.h"
#include "Residues.h"

#include <gtest/gtest.h>
#include <charconv>
#include <cmath>
#include <random>
#include <tuple>

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

TEST(MassTest, WholeNumbersAgreeWithTheLibrary)
{
    std::vector<std::uint64_t> values = {0, 9, 10, 99, 100, 101, 999999, 1000000, UINT64_MAX};
    for (std::uint64_t power = 1; power <= UINT64_MAX / 10; power *= 10)
        values.insert(values.end(), {power - 1, power, power + 1});
    std::mt19937_64 random(20261207);
    for (int i = 0; i < 10000; ++i)
        values.push_back(random() >> (random() % 64));
    char text[32], expected[32];
    for (const std::uint64_t value : values)
        ASSERT_EQ(std::string(expected, std::to_chars(expected, expected + 32, value).ptr),
                  std::string(text, FormatUnsigned(text, value)));
    // Fixed counts keep leading zeros and drop higher digits.
    for (const auto& [value, count, digits] :
         {std::tuple<std::uint64_t, int, const char*>{7, 3, "007"}, {1234, 2, "34"}, {5, 1, "5"}, {0, 4, "0000"}})
        EXPECT_EQ(digits, std::string(text, FormatDigits(text, value, count)));
}

// The library's conversion, correct for every value: what FormatProbability must write.
namespace
{
std::string LibraryProbability(double probability)
{
    char text[32];
    return std::string(text, std::to_chars(text, text + 32, probability, std::chars_format::general, 10).ptr);
}
}

TEST(MassTest, ProbabilitiesAgreeWithTheLibraryOnHardCasesAndASweep)
{
    std::vector<double> values = {
        0.0, 1.0, 0.5, 1e-4, 1e-5, 9.99999999949999e-5, 9.9999999995e-5, 9.99999999950001e-5,
        0.99999999995, 0.9999999999499999, 0.12345678905, 0.12345678915, 1e-13, 1e-14, 9.99999999995e-14,
        2.2250738585072014e-308, 4.9e-324, 1.5, 0.9 * 0.9 * 0.1, 0.729, 0.6561,
    };
    // Every power of ten the fixed and the short exponent forms meet, and its neighbours.
    for (int exponent = -16; exponent <= 0; ++exponent)
    {
        const double power = std::pow(10.0, exponent);
        for (const double value : {power, 5 * power, 9.9999999995 * power})
            for (const double near : {std::nextafter(value, 0.0), value, std::nextafter(value, 2.0)})
                values.push_back(near);
    }
    // Products of site efficiencies, as the digests write them, and random values.
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    std::uniform_int_distribution<int> percent(1, 99), factors(1, 12);
    for (int i = 0; i < 200000; ++i)
    {
        double product = 1.0;
        for (int n = factors(random); n > 0; --n)
            product *= percent(random) / 100.0;
        values.push_back(product);
        values.push_back(uniform(random));
        values.push_back(std::pow(10.0, -16 * uniform(random)));
    }
    char text[32];
    for (const double value : values)
        ASSERT_EQ(LibraryProbability(value), std::string(text, FormatProbability(text, value)))
            << std::hexfloat << value;
}
