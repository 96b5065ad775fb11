#include "EngineKeys.h"
#include <map>
#include <string>

const cleavage::KeyDescription* CEngineKeys::FindOption(const CString& strOption)
{
    const cleavage::KeyDescription* pKey = cleavage::FindOption((LPCSTR)strOption);
    return pKey != NULL && pKey->group == cleavage::KeyGroup::MassSpectrometry ? pKey : NULL;
}

BOOL CEngineKeys::Set(const cleavage::KeyDescription& key, const CString& strValue, LPCSTR lpszWhere,
                      CString& strError)
{
    if (!CheckedByTheEngine([&] { cleavage::SetBatchKey(m_checked, key.key, (LPCSTR)strValue, lpszWhere); },
                            strError))
        return FALSE;
    m_values.emplace_back(&key, strValue);
    return TRUE;
}

BOOL CEngineKeys::CheckTogether(CString& strError) const
{
    return CheckedByTheEngine([this] { cleavage::CheckTogether(m_checked); }, strError);
}

void CEngineKeys::ApplyTo(CKeyValueStorage& settings) const
{
    // A list key's values go in as one list, in the order given; another key's last value
    // replaces those before it.
    std::map<std::string, CStringList> lists;
    for (const auto& [pKey, strValue] : m_values)
    {
        if (pKey->repeatable)
            lists[pKey->key].AddTail(strValue);
        else
            settings.SetValue(pKey->key.c_str(), strValue);
    }
    for (const auto& [key, lstValues] : lists)
        settings.SetValues(key.c_str(), lstValues);
}
