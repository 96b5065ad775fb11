// FASTA files as the workbench reads them: one or more records, each a `>` header line
// (the name is its first word) and sequence lines of residue letters.
#pragma once
#include <afx.h>
#include <vector>

struct CFastaRecord
{
    CString strName;
    CString strSequence;  // upper-case letters, blanks and a final '*' removed
};

// Reads every record of the file. FALSE with strError set (naming the file and the line)
// when the file cannot be read, is not FASTA, holds an empty record or a character that
// is not a residue letter.
BOOL ReadFastaFile(LPCSTR lpszPath, std::vector<CFastaRecord>& records, CString& strError);

