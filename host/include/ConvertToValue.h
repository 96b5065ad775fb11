// Conversions between the texts of numeric fields and 32-bit signed integers.
#pragma once
#include "TessaroDBApi.h"
#include <afx.h>

// A text converts when it is an optional sign ('+' or '-') followed by one or more decimal
// digits, with blanks (spaces, tabs) allowed before and after and nothing else, and its
// value lies within -2147483648..2147483647. So "12a", "All", "", "-", "1 2" and
// "2147483648" are refused. On refusal nValue keeps its value.
TESSARODB_API bool ConvertToValue(int& nValue, LPCSTR lpszText);
// The value in decimal, as "%d" writes it.
TESSARODB_API CString ConvertToString(int nValue);
