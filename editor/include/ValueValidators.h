// The checks of the settings form's numeric fields, attached to its validated edits.
#pragma once
#include <afx.h>

// Each receives the texts of the fields named when it was attached and returns the message
// to show, or an empty string when the texts are acceptable or are not as many as it reads.

// One text that converts to an integer.
CString ValidateInteger(const CStringArray& texts);
// One integer within 0..100.
CString ValidatePercent(const CStringArray& texts);
// One integer within 0..2147483647.
CString ValidateCount(const CStringArray& texts);
// Two integers, the first at most the second.
CString ValidateNotAbove(const CStringArray& texts);
// Two integers, the first at least the second.
CString ValidateNotBelow(const CStringArray& texts);
