// The fragment table: its header and its rows, tab-separated, numbers written the same
// way on every platform.
#pragma once
#include "Analysis.h"
#include "RowBuffer.h"

#include <cstdint>
#include <ostream>
#include <string>

namespace cleavage
{
void WriteFragmentHeader(std::ostream& out, const Analysis& analysis);

// The rows of one protein: a fragment's fields, then its form's modifications and m/z
// columns. `analysed` is the analysed part of the molecule, its residue 1 the
// molecule's residue offset + 1.
class FragmentRowWriter
{
public:
    FragmentRowWriter(const Analysis& analysis, const std::string& proteinName, const std::string& analysed,
                      std::size_t offset);

    // One whole row: the fragment in the form of mass `mass`, labelled `label`.
    void Write(const Fragment& fragment, const ResidueMass& mass, const std::string& label, RowBuffer& rows) const;
    // The bytes Write writes, line break included, digit for digit.
    std::uint64_t Width(const Fragment& fragment, const ResidueMass& mass, const std::string& label) const;
    // At least the Width of any row of a fragment of at most `longest` residues.
    std::uint64_t WidestRow(std::size_t longest) const;

private:
    const Analysis& m_analysis;
    const std::string& m_proteinName;
    const std::string& m_analysed;
    std::size_t m_offset;
    bool m_labelled; // a modifications column
};

// The m/z of a molecule of monoisotopic mass `mono` carrying `charge` protons, in
// micro-daltons rounded to the nearest: (mono + z * 1.007276467) / z.
MicroDalton MassToCharge(MicroDalton mono, int charge);
}
