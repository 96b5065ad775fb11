// What the optional keys for mass spectrometry add to an analysis: a semi-specific
// digest, more reagents at once, modified forms, m/z columns and a mass window. Without
// any of them an analysis is reported as it always was.
#pragma once
#include "Modifications.h"
#include "ParameterFile.h"
#include "Reagent.h"
#include "RowBuffer.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace cleavage
{
struct Analysis;
struct TableSize;

struct Features
{
    explicit Features(const Parameters& parameters);

    // Some key is given that changes the rows.
    bool Any() const;

    bool semi;
    std::vector<Reagent> alsoReagents;
    std::vector<std::string> reagentNames; // the reagent's, then also_reagent's; empty without those
    Modifications modifications;
    int chargeFrom;                        // 0: no m/z columns
    int chargeTo;
    MicroDalton minMass;                   // kNoMass: no bound
    MicroDalton maxMass;
};

// The fragment table's columns after `sequence`, each after a tab.
void WriteFeatureColumns(std::ostream& out, const Features& features);

// ReportProtein for an analysis with Features::Any(): `analysed` is the molecule
// `sequence` from residue offset + 1 on.
TableSize ReportWithFeatures(const Analysis& analysis, const std::string& proteinName, const std::string& sequence,
                             const std::string& analysed, std::size_t offset, const TableSize& left,
                             RowBuffer& fragments, RowBuffer& sites);

// The m/z of a molecule of monoisotopic mass `mono` carrying `charge` protons, in
// micro-daltons rounded to the nearest: (mono + z * 1.007276467) / z.
MicroDalton MassToCharge(MicroDalton mono, int charge);
}
