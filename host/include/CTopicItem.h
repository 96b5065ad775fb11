// One row of a help topic table: a control and the title and text of its topic.
#pragma once
#include <afx.h>

struct CTopicItem
{
    UINT nID;  // the control's identifier; 0 ends a table
    LPCSTR lpszTitle;
    LPCSTR lpszText;
};
