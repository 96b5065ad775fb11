// A position grid's model as the pattern algorithms use it: consecutive positions from
// left to right, each with its label and one cell text. The grid's header implements it.
#pragma once
#include <afx.h>

class IPatternGrid
{
public:
    virtual ~IPatternGrid() = default;

    virtual int GetPositionCount() const = 0;
    virtual CString GetLabel(int nPosition) const = 0;
    virtual CString GetCell(int nPosition) const = 0;
    virtual void SetCell(int nPosition, LPCSTR lpszText) = 0;

    // A new position with an empty cell after the last one.
    virtual void AppendPosition(LPCSTR lpszLabel) = 0;
    // The grid's own adding of one position before the first; it labels it itself.
    virtual void AddPositionAtLeft() = 0;
    // Shows the grid's first position.
    virtual void ScrollFullyLeft() = 0;
};
