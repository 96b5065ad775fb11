#include "afx.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace
{
bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\v' || ch == '\f';
}
}

int CString::Compare(LPCSTR psz) const
{
    return strcmp(m_str.c_str(), psz ? psz : "");
}

int CString::CompareNoCase(LPCSTR psz) const
{
    return _stricmp(m_str.c_str(), psz ? psz : "");
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength() - std::max(nFirst, 0));
}

CString CString::Mid(int nFirst, int nCount) const
{
    nFirst = std::clamp(nFirst, 0, GetLength());
    nCount = std::clamp(nCount, 0, GetLength() - nFirst);
    return CString(m_str.c_str() + nFirst, nCount);
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const
{
    nCount = std::clamp(nCount, 0, GetLength());
    return Mid(GetLength() - nCount, nCount);
}

int CString::Find(char ch, int nStart) const
{
    if (nStart < 0 || nStart >= GetLength())
        return -1;
    const size_t at = m_str.find(ch, nStart);
    return at == std::string::npos ? -1 : (int)at;
}

int CString::Find(LPCSTR pszSub, int nStart) const
{
    if (!pszSub || nStart < 0 || nStart > GetLength())
        return -1;
    const size_t at = m_str.find(pszSub, nStart);
    return at == std::string::npos ? -1 : (int)at;
}

int CString::ReverseFind(char ch) const
{
    const size_t at = m_str.rfind(ch);
    return at == std::string::npos ? -1 : (int)at;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::TrimLeft()
{
    m_str.erase(m_str.begin(), std::find_if_not(m_str.begin(), m_str.end(), IsBlank));
    return *this;
}

CString& CString::TrimRight()
{
    m_str.erase(std::find_if_not(m_str.rbegin(), m_str.rend(), IsBlank).base(), m_str.end());
    return *this;
}

CString& CString::TrimRight(char chTarget)
{
    m_str.erase(m_str.find_last_not_of(chTarget) + 1);
    return *this;
}

void CString::Format(LPCSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::FormatV(LPCSTR pszFormat, va_list args)
{
    va_list measure;
    va_copy(measure, args);
    const int nLength = vsnprintf(nullptr, 0, pszFormat, measure);
    va_end(measure);
    if (nLength < 0)
    {
        m_str.clear();
        return;
    }
    m_str.resize((size_t)nLength + 1);
    vsnprintf(&m_str[0], m_str.size(), pszFormat, args);
    m_str.resize(nLength);
}

LPSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > GetLength())
        m_str.resize(nMinBufLength);
    return &m_str[0];
}

LPSTR CString::GetBufferSetLength(int nNewLength)
{
    m_str.resize(std::max(nNewLength, 0));
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = (int)strnlen(m_str.c_str(), m_str.size());
    m_str.resize(std::min<size_t>(nNewLength, m_str.size()));
}

CString operator+(const CString& a, const CString& b)
{
    CString s(a);
    s += b;
    return s;
}

CString operator+(const CString& a, LPCSTR b)
{
    CString s(a);
    s += b;
    return s;
}

CString operator+(LPCSTR a, const CString& b)
{
    CString s(a);
    s += b;
    return s;
}

CString operator+(const CString& a, char b)
{
    CString s(a);
    s += b;
    return s;
}
