#include "PositionLabel.h"

#include <shlwapi.h>

// Indices are 32-bit and their labels' numbers are formed in unsigned arithmetic, so
// that even the extreme indices give a label and read back without overflow.
CString PositionLabel(int nIndex)
{
    CString strLabel;
    if (nIndex <= 0)
        strLabel.Format("P%u", 1u - (UINT)nIndex);
    else
        strLabel.Format("P%d'", nIndex);
    return strLabel;
}

int ParsePositionLabel(LPCSTR lpszLabel)
{
    CString strNumber(lpszLabel);
    const BOOL bPrimed = !strNumber.IsEmpty() && strNumber[strNumber.GetLength() - 1] == '\'';
    strNumber = strNumber.Mid(1);
    if (bPrimed && !strNumber.IsEmpty())
        strNumber = strNumber.Left(strNumber.GetLength() - 1);

    int nNumber = 0;
    if (!StrToIntExA(strNumber, STIF_DEFAULT, &nNumber))
        return kUnreadablePosition;
    return bPrimed ? nNumber : (int)(1u - (UINT)nNumber);
}
