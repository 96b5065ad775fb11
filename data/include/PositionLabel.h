// Position labels: P1, P2, ... left of the cleavage site and P1', P2', ... right of it,
// and their position indices (P1 is 0, P2 is -1, P1' is 1).
#pragma once
#include "Markers.h"
#include <afx.h>

// ParsePositionLabel's answer for a label it cannot read; also the largest index.
const int kUnreadablePosition = kMarkerValue;

// "P%d" of 1 - nIndex for nIndex <= 0, "P%d'" of nIndex otherwise.
CString PositionLabel(int nIndex);

// Drops the first character whatever it is (and a trailing apostrophe, which makes the
// label primed), converts the rest as StrToIntExA does with no flags, and turns the
// number n into n (primed) or 1 - n. kUnreadablePosition when no digit follows.
int ParsePositionLabel(LPCSTR lpszLabel);
