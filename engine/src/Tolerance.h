// How far an observed mass may lie from a fragment's theoretical mass and still match
// it: in daltons, or relative to the theoretical mass (ppm, percent).
#pragma once
#include "Residues.h"

#include <string>

namespace cleavage
{
class Tolerance
{
public:
    // 20 ppm.
    Tolerance() = default;
    // "20ppm", "0.5Da", "0.1%" (units without case, a blank before the unit allowed;
    // at most 3 decimals of ppm, 6 of Da, 7 of percent); otherwise throws EngineError
    // "<where>: ...".
    static Tolerance Parse(const std::string& text, const std::string& where);

    // The largest |observed - theoretical| accepted for a theoretical mass, exactly:
    // the tolerance of ppm or percent is a share of the theoretical mass, rounded down.
    MicroDalton Reach(MicroDalton theoretical) const;

private:
    Tolerance(bool relative, std::uint64_t amount) : m_relative(relative), m_amount(amount) {}

    bool m_relative = true;
    std::uint64_t m_amount = 20000; // parts per billion when relative, else micro-daltons
};

// (observed - theoretical) / theoretical in ppm, in hundredths rounded to the nearest:
// as the matches table writes it, the same on every platform.
long long ErrorPpmHundredths(MicroDalton observed, MicroDalton theoretical);
}
