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
