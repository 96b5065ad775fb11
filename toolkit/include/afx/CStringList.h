// Ordered list of strings; duplicates allowed.
#pragma once
#include "afx/CList.h"
#include "afx/CString.h"

class CStringList : public CList<CString, const CString&>
{
public:
    explicit CStringList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};
