// Batch mode: every record of a FASTA file through the analysis, with the settings form
// in a hidden window set as a user would set it, and the engine's tables in one file.
#pragma once
#include <TessaroDB.h>

struct CBatchOptions
{
    CString strFasta;
    CString strReagent;
    CString strOut;
    CString strBest;   // --best N: the best N fragments
    CString strAbove;  // --above P: fragments more probable than P percent
    int nSortButton = 0;  // the form's sort button, 0 to keep the form's choice
    int nFrom = 0;        // --range A-B, 0 and 0 when not given
    int nTo = 0;
};

// Reads the options after /batch; FALSE with strError set on a missing or wrong one.
BOOL ParseBatchOptions(int argc, char** argv, CBatchOptions& options, CString& strError);

// Runs the batch; returns the program's exit code (0 when every record was analysed),
// with the errors written to stderr.
int RunBatch(CAnalysisPlugIn& plugIn, const CBatchOptions& options);

extern const char kBatchUsage[];
