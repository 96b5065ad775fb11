// Common controls: list views and headers.
#pragma once
#include "afxwin.h"
#include "afx/CHeaderCtrl.h"
#include "afx/CListCtrl.h"
