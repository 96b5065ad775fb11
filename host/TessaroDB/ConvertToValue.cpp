#include "ConvertToValue.h"

#include <limits>

namespace
{
bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t';
}

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}
}

bool ConvertToValue(int& nValue, LPCSTR lpszText)
{
    ASSERT(lpszText != NULL);
    if (lpszText == NULL)
        return false;

    const char* p = lpszText;
    while (IsBlank(*p))
        ++p;
    const bool bNegative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    if (!IsDigit(*p))
        return false;

    // The magnitude is gathered in 64 bits and given up as soon as no int can hold it,
    // so that a long run of digits never wraps around into an accepted value.
    const long long nLimit = -(long long)std::numeric_limits<int>::min();
    long long nMagnitude = 0;
    for (; IsDigit(*p); ++p)
    {
        nMagnitude = nMagnitude * 10 + (*p - '0');
        if (nMagnitude > nLimit)
            return false;
    }
    while (IsBlank(*p))
        ++p;
    if (*p != '\0')
        return false;

    const long long nSigned = bNegative ? -nMagnitude : nMagnitude;
    if (nSigned > std::numeric_limits<int>::max())
        return false;
    nValue = (int)nSigned;
    return true;
}

CString ConvertToString(int nValue)
{
    CString strText;
    strText.Format("%d", nValue);
    return strText;
}
