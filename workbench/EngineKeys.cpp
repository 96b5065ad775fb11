#include "EngineKeys.h"
#include <EngineError.h>
#include <algorithm>
#include <map>
#include <string>

const cleavage::FeatureKey* CEngineKeys::FindOption(const CString& strOption)
{
    for (const cleavage::FeatureKey& key : cleavage::FeatureKeys())
    {
        std::string option = std::string("--") + key.key;
        std::replace(option.begin(), option.end(), '_', '-');
        if (strOption == option.c_str())
            return &key;
    }
    return NULL;
}

BOOL CEngineKeys::Set(const cleavage::FeatureKey& key, const CString& strValue, LPCSTR lpszWhere, CString& strError)
{
    try
    {
        cleavage::SetFeatureKey(m_checked, key.key, (LPCSTR)strValue, lpszWhere);
    }
    catch (const cleavage::EngineError& error)
    {
        strError = error.what();
        return FALSE;
    }
    if (!key.list)
        m_values.erase(std::remove_if(m_values.begin(), m_values.end(),
                                      [&key](const std::pair<const cleavage::FeatureKey*, CString>& given) {
                                          return given.first == &key;
                                      }),
                       m_values.end());
    m_values.emplace_back(&key, strValue);
    return TRUE;
}

BOOL CEngineKeys::CheckTogether(CString& strError) const
{
    try
    {
        cleavage::CheckFeatureKeys(m_checked);
    }
    catch (const cleavage::EngineError& error)
    {
        strError = error.what();
        return FALSE;
    }
    return TRUE;
}

void CEngineKeys::ApplyTo(CKeyValueStorage& settings) const
{
    // A list key's values go in as one list, in the order given.
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
