// Batch mode: every record of a FASTA file through the analysis in one engine run. The
// settings come once from the settings form, in a window it never shows, set as a user
// would set it; the engine's table goes to one file.
#pragma once
#include "EngineKeys.h"
#include <TessaroDB.h>

// The batch's exit codes.
enum
{
    kBatchExitDone = 0,
    kBatchExitFailed = 1,      // nothing written: the message says why
    kBatchExitUsage = 2,       // a wrong or missing option
    kBatchExitWarnings = 3,    // the table was written, but proteins were left out (stderr says which)
};

struct CBatchOptions
{
    CString strFasta;
    CString strReagent;
    CString strOut;
    // The whole-number options; -1 when not given.
    int nBest = -1;        // --best N: the best N fragments
    int nAbove = -1;       // --above P: fragments more probable than P percent
    int nMissed = -1;      // --missed N, --min-length N, --max-length N: the engine's filters
    int nMinLength = -1;
    int nMaxLength = -1;
    int nSortButton = 0;   // the form's sort button, 0 to keep the form's choice
    int nFrom = 0;         // --range A-B, 0 and 0 when not given
    int nTo = 0;
    // The engine's keys for mass spectrometry (--specificity sets specificity, ...).
    CEngineKeys engineKeys;
    // --masses FILE: its full path (the engine runs elsewhere); --matches FILE: where the
    // matches table goes.
    CString strMasses;
    CString strMatches;
};

// Reads and checks the options after /batch; FALSE with a message naming the option and
// the text typed.
BOOL ParseBatchOptions(int argc, char** argv, CBatchOptions& options, CString& strError);

// Runs the batch; returns one of the exit codes above, with the messages, the warnings
// and the progress of a long batch written to stderr.
int RunBatch(CAnalysisPlugIn& plugIn, const CBatchOptions& options);

// The batch's options, for the message of a wrong one.
CString BatchUsage();
