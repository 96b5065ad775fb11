// What the host lends an editor for one data exchange: the analysis header and the settings record.
#pragma once
#include "CAnalysisData.h"
#include "CAnalysisHeaderBase.h"

class TESSARODB_API CAnalysisContext
{
public:
    CAnalysisContext(CAnalysisHeaderBase* pHeader, CAnalysisData* pData) : m_pHeader(pHeader), m_pData(pData) {}

    CAnalysisHeaderBase* GetAnalysisHeader() const { return m_pHeader; }
    CAnalysisData* GetAnalysisData() const { return m_pData; }

private:
    CAnalysisHeaderBase* m_pHeader;
    CAnalysisData* m_pData;
};
