// The host's description of one analysis run; it yields the molecule analysed.
#pragma once
#include "CPkMol.h"

class TESSARODB_API CAnalysisHeaderBase
{
public:
    explicit CAnalysisHeaderBase(CPkMol* pMol) : m_pMol(pMol) {}
    virtual ~CAnalysisHeaderBase() = default;

    CPkMol* GetMol() const { return m_pMol; }

private:
    CPkMol* m_pMol;  // owned by the host
};
