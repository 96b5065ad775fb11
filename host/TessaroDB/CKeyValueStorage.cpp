#include "CKeyValueStorage.h"

void CKeyValueStorage::SetValue(LPCSTR lpszKey, int nValue)
{
    m_values[lpszKey] = nValue;
}

void CKeyValueStorage::SetValue(LPCSTR lpszKey, const CString& strValue)
{
    m_values[lpszKey] = strValue;
}

void CKeyValueStorage::SetValues(LPCSTR lpszKey, const CStringList& lstValues)
{
    std::vector<CString> values;
    values.reserve(lstValues.GetCount());
    for (POSITION pos = lstValues.GetHeadPosition(); pos != NULL;)
        values.push_back(lstValues.GetNext(pos));
    m_values[lpszKey] = std::move(values);
}

bool CKeyValueStorage::GetValue(LPCSTR lpszKey, int& nValue) const
{
    const auto it = m_values.find(lpszKey);
    if (it == m_values.end() || !std::holds_alternative<int>(it->second))
        return false;
    nValue = std::get<int>(it->second);
    return true;
}

bool CKeyValueStorage::GetValue(LPCSTR lpszKey, CString& strValue) const
{
    const auto it = m_values.find(lpszKey);
    if (it == m_values.end() || !std::holds_alternative<CString>(it->second))
        return false;
    strValue = std::get<CString>(it->second);
    return true;
}

bool CKeyValueStorage::GetValues(LPCSTR lpszKey, CStringList& lstValues) const
{
    const auto it = m_values.find(lpszKey);
    if (it == m_values.end() || !std::holds_alternative<std::vector<CString>>(it->second))
        return false;
    lstValues.RemoveAll();
    for (const CString& strValue : std::get<std::vector<CString>>(it->second))
        lstValues.AddTail(strValue);
    return true;
}

bool CKeyValueStorage::HasKey(LPCSTR lpszKey) const
{
    return m_values.count(lpszKey) != 0;
}

void CKeyValueStorage::RemoveAll()
{
    m_values.clear();
}

namespace
{
CString EscapeCell(const CString& strCell)
{
    if (strCell.IsEmpty())
        return "\\e";
    CString strEscaped;
    for (int i = 0; i < strCell.GetLength(); ++i)
    {
        const char ch = strCell[i];
        if (ch == '\\')
            strEscaped += "\\\\";
        else if (ch == '\n')
            strEscaped += "\\n";
        else if (ch == '\r')
            strEscaped += "\\r";
        else
            strEscaped += ch;
    }
    return strEscaped;
}

// The cell a list line holds; false when a backslash starts no escape the writer makes.
bool UnescapeCell(const CString& strLine, CString& strCell)
{
    strCell.Empty();
    if (strLine == "\\e")
        return true;
    for (int i = 0; i < strLine.GetLength(); ++i)
    {
        if (strLine[i] != '\\')
        {
            strCell += strLine[i];
            continue;
        }
        const char chNext = i + 1 < strLine.GetLength() ? strLine[++i] : 0;
        if (chNext == '\\')
            strCell += '\\';
        else if (chNext == 'n')
            strCell += '\n';
        else if (chNext == 'r')
            strCell += '\r';
        else
            return false;
    }
    return true;
}

bool ParseInteger(const CString& strValue, int& nValue)
{
    LPCSTR psz = strValue;
    const bool bNegative = *psz == '-';
    if (bNegative)
        ++psz;
    if (*psz == 0)
        return false;
    long long nNumber = 0;
    for (; *psz != 0; ++psz)
    {
        if (*psz < '0' || *psz > '9')
            return false;
        nNumber = nNumber * 10 + (*psz - '0');
        if (nNumber > 2147483648LL)
            return false;
    }
    nNumber = bNegative ? -nNumber : nNumber;
    if (nNumber > 2147483647LL)
        return false;
    nValue = (int)nNumber;
    return true;
}
}

CString CKeyValueStorage::ToText() const
{
    CString strText;
    for (const auto& [key, value] : m_values)
    {
        const CString strPrefix = CString(key.c_str()) + "=";
        if (const int* pInt = std::get_if<int>(&value))
        {
            CString strNumber;
            strNumber.Format("%d", *pInt);
            strText += strPrefix + strNumber + "\n";
        }
        else if (const CString* pText = std::get_if<CString>(&value))
            strText += strPrefix + *pText + "\n";
        else
        {
            const std::vector<CString>& cells = std::get<std::vector<CString>>(value);
            if (cells.empty())
                strText += strPrefix + "\n";
            for (const CString& strCell : cells)
                strText += strPrefix + EscapeCell(strCell) + "\n";
        }
    }
    return strText;
}

bool CKeyValueStorage::FromText(const CString& strText, CString& strError)
{
    std::map<std::string, Value> values = m_values;
    std::map<std::string, int> lines;  // the lines read of each key
    auto lineError = [&strError](int nLine, const CString& strWhat) {
        strError.Format("line %d: %s", nLine, (LPCSTR)strWhat);
        return false;
    };
    int nLine = 0;
    for (int nStart = 0; nStart < strText.GetLength();)
    {
        int nEnd = strText.Find('\n', nStart);
        if (nEnd < 0)
            nEnd = strText.GetLength();
        CString strLine = strText.Mid(nStart, nEnd - nStart);
        nStart = nEnd + 1;
        ++nLine;
        if (!strLine.IsEmpty() && strLine[strLine.GetLength() - 1] == '\r')
            strLine = strLine.Left(strLine.GetLength() - 1);
        if (strLine.IsEmpty() || strLine[0] == '#')
            continue;
        const int nEquals = strLine.Find('=');
        if (nEquals <= 0)
            return lineError(nLine, "not a line of the form key=value");
        const std::string key = (LPCSTR)strLine.Left(nEquals);
        const CString strValue = strLine.Mid(nEquals + 1);
        const auto it = values.find(key);
        if (it == values.end())
            continue;
        const int nSeen = lines[key]++;
        if (std::vector<CString>* pCells = std::get_if<std::vector<CString>>(&it->second))
        {
            if (nSeen == 0)
                pCells->clear();
            // An empty value is the whole of an empty list, never one of its cells.
            if (nSeen > 0 && (strValue.IsEmpty() || pCells->empty()))
                return lineError(nLine, "an empty value stands only for a list without cells");
            CString strCell;
            if (!strValue.IsEmpty() && !UnescapeCell(strValue, strCell))
                return lineError(nLine, "a backslash in a list cell starts \\\\, \\n, \\r or \\e");
            if (!strValue.IsEmpty())
                pCells->push_back(strCell);
            continue;
        }
        if (nSeen > 0)
            return lineError(nLine, CString("'") + key.c_str() + "' is given twice");
        if (std::holds_alternative<int>(it->second))
        {
            int nValue = 0;
            if (!ParseInteger(strValue, nValue))
                return lineError(nLine, CString("'") + key.c_str() + "' needs a whole number, not '" + strValue + "'");
            it->second = nValue;
        }
        else
            it->second = strValue;
    }
    for (const auto& [key, value] : values)
        if (lines.count(key) == 0)
        {
            strError = CString("the key '") + key.c_str() + "' is missing";
            return false;
        }
    m_values.swap(values);
    return true;
}
