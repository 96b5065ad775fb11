// The engine program: reads a parameter file, analyses its molecule or FASTA batch
// and writes the result and site files, or an error file and a non-zero exit code.
#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace cleavage
{
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
// The tables are written, but records of a batch were left out (the warnings say which).
constexpr int kExitWarnings = 3;

// `arguments` without the program name: `/f <file>` as the plug-in starts it, or
// `<file>` followed by batch options; alone, `--version` or `--help` (`-h`, `/?`), whose
// text goes to `output`. Messages go to `errors`.
int RunEngine(const std::vector<std::string>& arguments, std::ostream& output, std::ostream& errors);
}
