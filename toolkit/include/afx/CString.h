// The toolkit's 8-bit character string, with MFC's operations.
#pragma once
#include "afx/afxdefs.h"
#include <cstdarg>
#include <string>

class AFXKIT_API CString
{
public:
    CString() = default;
    CString(const CString& other) = default;
    CString(CString&& other) noexcept = default;
    CString(LPCSTR psz) : m_str(psz ? psz : "") {}
    CString(LPCSTR pch, int nLength) : m_str(pch ? pch : "", pch ? nLength : 0) {}
    CString(char ch, int nRepeat = 1) : m_str(nRepeat > 0 ? nRepeat : 0, ch) {}

    CString& operator=(const CString& other) = default;
    CString& operator=(CString&& other) noexcept = default;
    CString& operator=(LPCSTR psz) { m_str = psz ? psz : ""; return *this; }
    CString& operator=(char ch) { m_str.assign(1, ch); return *this; }

    int GetLength() const { return (int)m_str.size(); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }

    char GetAt(int nIndex) const { return m_str.at(nIndex); }
    char operator[](int nIndex) const { return m_str.at(nIndex); }
    void SetAt(int nIndex, char ch) { m_str.at(nIndex) = ch; }
    operator LPCSTR() const { return m_str.c_str(); }
    LPCSTR GetString() const { return m_str.c_str(); }

    CString& operator+=(const CString& s) { m_str += s.m_str; return *this; }
    CString& operator+=(LPCSTR psz) { if (psz) m_str += psz; return *this; }
    CString& operator+=(char ch) { m_str += ch; return *this; }

    // Byte-wise, as strcmp; CompareNoCase folds ASCII letters only, as _stricmp.
    int Compare(LPCSTR psz) const;
    int CompareNoCase(LPCSTR psz) const;

    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;

    int Find(char ch, int nStart = 0) const;
    int Find(LPCSTR pszSub, int nStart = 0) const;
    int ReverseFind(char ch) const;

    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    // Removes every chTarget at the end.
    CString& TrimRight(char chTarget);

    void Format(LPCSTR pszFormat, ...) AFX_PRINTF_FORMAT(2, 3);
    void FormatV(LPCSTR pszFormat, va_list args);

    // Writable buffer of at least nMinBufLength characters; ReleaseBuffer(-1)
    // takes the length from the terminating zero.
    LPSTR GetBuffer(int nMinBufLength);
    LPSTR GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);

private:
    std::string m_str;
};

AFXKIT_API CString operator+(const CString& a, const CString& b);
AFXKIT_API CString operator+(const CString& a, LPCSTR b);
AFXKIT_API CString operator+(LPCSTR a, const CString& b);
AFXKIT_API CString operator+(const CString& a, char b);

inline bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
inline bool operator==(const CString& a, LPCSTR b) { return a.Compare(b) == 0; }
inline bool operator==(LPCSTR a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return a.Compare(b) != 0; }
inline bool operator!=(const CString& a, LPCSTR b) { return a.Compare(b) != 0; }
inline bool operator!=(LPCSTR a, const CString& b) { return b.Compare(a) != 0; }
inline bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
inline bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
