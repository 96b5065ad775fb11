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
    // Reads the text form back into the keys the storage holds, each as the type it
    // holds: an integer in decimal within 32 bits, text as it stands, a list from all its
    // lines in order. Keys the storage does not hold are skipped, as a newer writer may
    // add some. A line without '=', a value of the wrong form, a key given twice that is
    // not a list, or a key of the storage missing: false with strError naming the line
    // or the key, and the storage as it was.
    bool FromText(const CString& strText, CString& strError);

private:
    using Value = std::variant<int, CString, std::vector<CString>>;
    std::map<std::string, Value> m_values;
};
