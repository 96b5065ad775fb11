// Unspecific background cleavage: every peptide bond is also cut, rarely, where no
// reagent's rule says so, independently of the reagents' own cuts.
#pragma once
#include "Reagent.h"

#include <string>
#include <vector>

namespace cleavage
{
// A background efficiency in percent ("0.01"; 0 to 100, at most six decimals) as a
// probability; otherwise throws EngineError "<where>: ...".
double ParseBackground(const std::string& text, const std::string& where);

// The sites of a sequence of `length` residues cut also with the background
// efficiency `background` (a probability): every bond is a site, a reagent's site
// cutting with 1 - (1 - c)(1 - background), any other bond with the background alone.
// `sites` are in order of position, one to a bond. Without a background they are
// returned as they are, so a digest's probabilities keep their last bits.
std::vector<Site> WithBackground(std::size_t length, const std::vector<Site>& sites, double background);
}
