#include "ValueValidators.h"

#include <ConvertToValue.h>
#include <limits>

namespace
{
const char kTypeName[] = "integer";
const int kPercentMax = 100;

CString ConversionMessage(const CString& strText)
{
    CString strMessage;
    strMessage.Format("Can not convert value %s to %s", (LPCSTR)strText, kTypeName);
    return strMessage;
}

// Both numbers appear as the converted integers, not as typed.
CString ComparisonMessage(LPCSTR lpszFormat, int nValue, int nBound)
{
    CString strMessage;
    strMessage.Format(lpszFormat, (LPCSTR)ConvertToString(nValue), (LPCSTR)ConvertToString(nBound));
    return strMessage;
}

CString CheckNotBelow(int nValue, int nBound)
{
    if (nValue < nBound)
        return ComparisonMessage("Value %s must be more or equal then %s", nValue, nBound);
    return CString();
}

CString CheckNotAbove(int nValue, int nBound)
{
    if (nValue > nBound)
        return ComparisonMessage("Value %s must be less or equal then %s", nValue, nBound);
    return CString();
}

// The one text of a single-field validator as an integer; false, with the message when
// the text does not convert, otherwise.
bool ConvertSingle(const CStringArray& texts, int& nValue, CString& strMessage)
{
    if (texts.GetSize() != 1)
        return false;
    if (!ConvertToValue(nValue, texts[0]))
    {
        strMessage = ConversionMessage(texts[0]);
        return false;
    }
    return true;
}

CString ValidateWithin(const CStringArray& texts, int nMin, int nMax)
{
    int nValue = 0;
    CString strMessage;
    if (!ConvertSingle(texts, nValue, strMessage))
        return strMessage;
    strMessage = CheckNotBelow(nValue, nMin);
    if (strMessage.IsEmpty())
        strMessage = CheckNotAbove(nValue, nMax);
    return strMessage;
}

CString ValidatePair(const CStringArray& texts, CString (*pfnCheck)(int nValue, int nBound))
{
    if (texts.GetSize() != 2)
        return CString();
    int nFirst = 0;
    if (!ConvertToValue(nFirst, texts[0]))
        return ConversionMessage(texts[0]);
    int nSecond = 0;
    if (!ConvertToValue(nSecond, texts[1]))
        return ConversionMessage(texts[1]);
    return pfnCheck(nFirst, nSecond);
}
}

CString ValidateInteger(const CStringArray& texts)
{
    int nValue = 0;
    CString strMessage;
    ConvertSingle(texts, nValue, strMessage);
    return strMessage;
}

CString ValidatePercent(const CStringArray& texts)
{
    return ValidateWithin(texts, 0, kPercentMax);
}

CString ValidateCount(const CStringArray& texts)
{
    return ValidateWithin(texts, 0, std::numeric_limits<int>::max());
}

CString ValidateNotAbove(const CStringArray& texts)
{
    return ValidatePair(texts, CheckNotAbove);
}

CString ValidateNotBelow(const CStringArray& texts)
{
    return ValidatePair(texts, CheckNotBelow);
}
