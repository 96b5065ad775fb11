// The settings of one cleavage analysis: the chosen reagent, the range and the result
// options, stored in the host's key/value storage under fixed keys.
#pragma once
#include "CleavagePluginApi.h"
#include "Markers.h"
#include <TessaroDB.h>

class CLEAVAGE_API CCleavageData : public CAnalysisData
{
public:
    CCleavageData();
    ~CCleavageData() override;

    CAnalysisData* Clone() const override;

    enum
    {
        kAllFragments = kMarkerValue,  // m_nAnalysisFragments: report every fragment
        kDefaultFragments = 40,        // the best-N limit of a new record, and the form's default
        kDefaultProbability = 75,      // the threshold of a new record, percent
    };
    enum SortOrder
    {
        sortByProbability = 0,
        sortByWeight = 1,
        sortByPosition = 2
    };

    CString m_strEnzName;
    int m_nRecognitionProbability;  // percent
    int m_nExceptionProbability;    // percent
    int m_nRecognitionBegin;        // position index of the first recognition position
    int m_nExceptionBegin;          // position index of the first exception position
    int m_nRecognitionCount;        // positions per recognition pattern
    int m_nExceptionCount;          // positions per exception pattern
    int m_nAnalysisProbability;     // threshold, percent
    int m_nAnalysisFragments;       // best-N limit, or kAllFragments
    int m_nAnalysisFrom;            // both 0: no range entered
    int m_nAnalysisTo;
    int m_nSorting;                 // SortOrder
    int m_nProbabilityOrFragments;  // 1: above the threshold; 0: the best m_nAnalysisFragments
    int m_nRange;                   // 1: only m_nAnalysisFrom..m_nAnalysisTo; 0: the whole molecule
    CStringList m_lstRecognition;   // count cells per recognition pattern, pattern after pattern
    CStringList m_lstException;

protected:
    void UpdateData(bool bRestore) override;
};
