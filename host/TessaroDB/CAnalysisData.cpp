#include "CAnalysisData.h"

IMPLEMENT_DYNAMIC(CAnalysisData, CObject)

void CAnalysisData::CopyData(const CAnalysisData& other)
{
    m_Storage = other.m_Storage;
}
