// A position grid's model held in memory; it records how the grid was grown.
#pragma once
#include "MemPatternTable.h"
#include <IPatternGrid.h>
#include <PositionLabel.h>

class CMemPatternGrid : public IPatternGrid
{
public:
    // Positions nFirst..nLast with empty cells.
    CMemPatternGrid(int nFirst, int nLast)
    {
        for (int nIndex = nFirst; nIndex <= nLast; ++nIndex)
            m_labels.push_back(PositionLabel(nIndex));
        m_cells.resize(m_labels.size());
    }

    int GetPositionCount() const override { return (int)m_labels.size(); }
    CString GetLabel(int nPosition) const override { return m_labels.at(nPosition); }
    CString GetCell(int nPosition) const override { return m_cells.at(nPosition); }
    void SetCell(int nPosition, LPCSTR lpszText) override { m_cells.at(nPosition) = lpszText; }
    void AppendPosition(LPCSTR lpszLabel) override
    {
        m_labels.push_back(lpszLabel);
        m_cells.push_back(CString());
        m_events.push_back(CString("right ") + lpszLabel);
    }
    void AddPositionAtLeft() override
    {
        m_labels.insert(m_labels.begin(), PositionLabel(ParsePositionLabel(m_labels.front()) - 1));
        m_cells.insert(m_cells.begin(), CString());
        m_events.push_back("left " + m_labels.front());
    }
    void ScrollFullyLeft() override { m_events.push_back("scroll"); }

    // Test set-up: the text of the position with this label.
    CMemPatternGrid& Write(LPCSTR lpszLabel, LPCSTR lpszText)
    {
        for (size_t i = 0; i < m_labels.size(); ++i)
        {
            if (m_labels[i] == lpszLabel)
                m_cells[i] = lpszText;
        }
        return *this;
    }

    Texts m_labels;
    Texts m_cells;
    Texts m_events;  // "right P2'", "scroll", "left P3", in order
};
