// The engine's optional keys for mass spectrometry (specificity, more reagents,
// modifications, charges, a mass window, observed masses) as the batch's options and the
// window's panel give them: each value checked by the engine's own checks as it is given,
// all of them together before a run, then set among the parameter file's keys.
#pragma once
#include <EngineError.h>
#include <ParameterKeys.h>
#include <TessaroDB.h>
#include <utility>
#include <vector>

class CEngineKeys
{
public:
    // The key for mass spectrometry of the batch option that sets it (--also-reagent:
    // also_reagent), or NULL.
    static const cleavage::KeyDescription* FindOption(const CString& strOption);

    // Checks the value of a key and keeps it: a list key adds it to its values, another
    // key's value replaces the one before. FALSE with the engine's message, which begins with lpszWhere
    // (the option or the field the value was typed in).
    BOOL Set(const cleavage::KeyDescription& key, const CString& strValue, LPCSTR lpszWhere, CString& strError);
    // What the values cannot show one by one, as the engine checks it (a minimum mass
    // above the maximum, a name given twice, fixed modifications that exclude each other).
    // FALSE with the message.
    BOOL CheckTogether(CString& strError) const;
    // Sets every key given (and only those) in the parameter file's settings.
    void ApplyTo(CKeyValueStorage& settings) const;

private:
    cleavage::Parameters m_checked;  // the values as the engine takes them
    std::vector<std::pair<const cleavage::KeyDescription*, CString>> m_values;  // in the order given
};

// Runs one of the engine's checks; FALSE with its message when it refuses.
template <class Check>
BOOL CheckedByTheEngine(const Check& check, CString& strError)
{
    try
    {
        check();
    }
    catch (const cleavage::EngineError& error)
    {
        strError = error.what();
        return FALSE;
    }
    return TRUE;
}
