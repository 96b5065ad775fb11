// A string list's strings from head to tail, for comparing in tests.
#pragma once
#include <afx.h>
#include <vector>

inline std::vector<CString> ListContents(const CStringList& list)
{
    std::vector<CString> items;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        items.push_back(list.GetNext(pos));
    return items;
}
