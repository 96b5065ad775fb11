#include "CCleavageData.h"

CCleavageData::CCleavageData()
    : m_nRecognitionProbability(100),
      m_nExceptionProbability(100),
      m_nRecognitionBegin(0),
      m_nExceptionBegin(0),
      m_nRecognitionCount(0),
      m_nExceptionCount(0),
      m_nAnalysisProbability(kDefaultProbability),
      m_nAnalysisFragments(kDefaultFragments),
      m_nAnalysisFrom(0),
      m_nAnalysisTo(0),
      m_nSorting(sortByProbability),
      m_nProbabilityOrFragments(0),
      m_nRange(0)
{
}

CCleavageData::~CCleavageData() = default;

CAnalysisData* CCleavageData::Clone() const
{
    CCleavageData* pClone = new CCleavageData;
    pClone->CopyData(*this);
    pClone->m_strEnzName = m_strEnzName;
    pClone->m_nRecognitionProbability = m_nRecognitionProbability;
    pClone->m_nExceptionProbability = m_nExceptionProbability;
    pClone->m_nRecognitionBegin = m_nRecognitionBegin;
    pClone->m_nExceptionBegin = m_nExceptionBegin;
    pClone->m_nRecognitionCount = m_nRecognitionCount;
    pClone->m_nExceptionCount = m_nExceptionCount;
    pClone->m_nAnalysisProbability = m_nAnalysisProbability;
    pClone->m_nAnalysisFragments = m_nAnalysisFragments;
    pClone->m_nAnalysisFrom = m_nAnalysisFrom;
    pClone->m_nAnalysisTo = m_nAnalysisTo;
    pClone->m_nSorting = m_nSorting;
    pClone->m_nProbabilityOrFragments = m_nProbabilityOrFragments;
    pClone->m_nRange = m_nRange;
    pClone->m_lstRecognition.AddTail(&m_lstRecognition);
    pClone->m_lstException.AddTail(&m_lstException);
    return pClone;
}

namespace
{
// Moves one field between the record and the storage, in the direction asked.
template <class TField>
void ExchangeValue(CKeyValueStorage& storage, bool bRestore, LPCSTR lpszKey, TField& field)
{
    if (bRestore)
        storage.GetValue(lpszKey, field);
    else
        storage.SetValue(lpszKey, field);
}

// Lists go through a temporary, so that a restore replaces the record's list entirely.
void ExchangeList(CKeyValueStorage& storage, bool bRestore, LPCSTR lpszKey, CStringList& field)
{
    CStringList lstTemp;
    if (bRestore)
    {
        storage.GetValues(lpszKey, lstTemp);
        field.RemoveAll();
        field.AddTail(&lstTemp);
    }
    else
    {
        lstTemp.AddTail(&field);
        storage.SetValues(lpszKey, lstTemp);
    }
}
}

void CCleavageData::UpdateData(bool bRestore)
{
    CKeyValueStorage& storage = m_Storage;
    ExchangeValue(storage, bRestore, "enz_name", m_strEnzName);
    ExchangeValue(storage, bRestore, "recognition_probability", m_nRecognitionProbability);
    ExchangeValue(storage, bRestore, "exception_probability", m_nExceptionProbability);
    ExchangeValue(storage, bRestore, "recognition_begining", m_nRecognitionBegin);
    ExchangeValue(storage, bRestore, "exception_begining", m_nExceptionBegin);
    ExchangeValue(storage, bRestore, "recognition_count", m_nRecognitionCount);
    ExchangeValue(storage, bRestore, "exception_count", m_nExceptionCount);
    ExchangeValue(storage, bRestore, "analysis_probability", m_nAnalysisProbability);
    ExchangeValue(storage, bRestore, "analysis_fragments", m_nAnalysisFragments);
    ExchangeValue(storage, bRestore, "analysis_from", m_nAnalysisFrom);
    ExchangeValue(storage, bRestore, "analysis_to", m_nAnalysisTo);
    ExchangeValue(storage, bRestore, "probability_or_fragments", m_nProbabilityOrFragments);
    ExchangeValue(storage, bRestore, "sorting", m_nSorting);
    ExchangeValue(storage, bRestore, "range", m_nRange);
    ExchangeList(storage, bRestore, "recognition_list", m_lstRecognition);
    ExchangeList(storage, bRestore, "exception_list", m_lstException);
}
