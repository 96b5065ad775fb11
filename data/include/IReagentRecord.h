// A reagent record as the library's read and write loops see it: the reagent dialog
// implements it, and a dialog made without a window is the record holder of every loop.
#pragma once
#include <CPkArchive.h>
#include <afx.h>

class IReagentRecord
{
public:
    // The record's one serialiser, in the library's field order, both directions.
    virtual void SerializeReagent(CPkArchive& ar) = 0;
    // Reading appends to the pattern lists; every reader empties them before a record.
    virtual void EmptyPatternLists() = 0;
    virtual const CString& GetReagentName() const = 0;
    // Copies the other record's fields (not a dialog's state) into this one.
    virtual void CopyReagent(const IReagentRecord& other) = 0;

protected:
    ~IReagentRecord() = default;
};
