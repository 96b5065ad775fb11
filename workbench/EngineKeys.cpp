#include "EngineKeys.h"
#include <EngineError.h>
#include <algorithm>
#include <map>
#include <string>

const cleavage::FeatureKey* CEngineKeys::FindOption(const CString& strOption)
{
    for (const cleavage::FeatureKey& key : cleavage::FeatureKeys())
        if (strOption == cleavage::OptionOfKey(key.key).c_str())
            return &key;
    return NULL;
}

const cleavage::FeatureKey* CEngineKeys::FindKey(LPCSTR lpszKey)
{
    for (const cleavage::FeatureKey& key : cleavage::FeatureKeys())
        if (strcmp(key.key, lpszKey) == 0)
            return &key;
    return NULL;
}

namespace
{
// Runs one of the engine's checks; FALSE with its message when it refuses.
template <class Check>
BOOL Checked(const Check& check, CString& strError)
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
}

BOOL CEngineKeys::Set(const cleavage::FeatureKey& key, const CString& strValue, LPCSTR lpszWhere, CString& strError)
{
    if (!Checked([&] { cleavage::SetFeatureKey(m_checked, key.key, (LPCSTR)strValue, lpszWhere); }, strError))
        return FALSE;
    m_values.emplace_back(&key, strValue);
    return TRUE;
}

BOOL CEngineKeys::CheckTogether(CString& strError) const
{
    return Checked([this] { cleavage::CheckFeatureKeys(m_checked); }, strError);
}

void CEngineKeys::ApplyTo(CKeyValueStorage& settings) const
{
    // A list key's values go in as one list, in the order given; another key's last value
    // replaces those before it.
    std::map<std::string, CStringList> lists;
    for (const auto& [pKey, strValue] : m_values)
    {
        if (pKey->list)
            lists[pKey->key].AddTail(strValue);
        else
            settings.SetValue(pKey->key, strValue);
    }
    for (const auto& [key, lstValues] : lists)
        settings.SetValues(key.c_str(), lstValues);
}
