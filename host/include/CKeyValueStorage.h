// The host's typed key/value store in which an analysis record keeps its settings.
#pragma once
#include "TessaroDBApi.h"
#include <afx.h>
#include <map>
#include <string>
#include <variant>
#include <vector>

class TESSARODB_API CKeyValueStorage
{
public:
    CKeyValueStorage() = default;

    // Setting a key replaces whatever value, of whatever type, it held.
    void SetValue(LPCSTR lpszKey, int nValue);
    void SetValue(LPCSTR lpszKey, const CString& strValue);
    void SetValues(LPCSTR lpszKey, const CStringList& lstValues);

    // A key that is missing, or holds a value of another type, leaves the out value
    // untouched and returns false.
    bool GetValue(LPCSTR lpszKey, int& nValue) const;
    bool GetValue(LPCSTR lpszKey, CString& strValue) const;
    bool GetValues(LPCSTR lpszKey, CStringList& lstValues) const;

    bool HasKey(LPCSTR lpszKey) const;
    void RemoveAll();

    // The text form, one `key=value` line each (LF), keys in order: integers in
    // decimal, text as it is, a list as one line per cell with a backslash, CR and LF
    // written \\, \r and \n, an empty cell \e, and an empty list one empty value.
    // The engine's parameter file and the host's settings files are this form.
    CString ToText() const;

private:
    using Value = std::variant<int, CString, std::vector<CString>>;
    std::map<std::string, Value> m_values;
};
