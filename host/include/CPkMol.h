// A molecule of the host's database, as far as an analysis reads it: its name and length.
#pragma once
#include "TessaroDBApi.h"
#include <afx.h>

class TESSARODB_API CPkMol
{
public:
    // The host's molecule kind code of proteins.
    enum { kProteinKind = 2 };

    CPkMol(LPCSTR lpszName, int nLength);

    CString GetName() const { return m_strName; }
    int GetLength() const { return m_nLength; }

private:
    CString m_strName;
    int m_nLength;  // residues
};
