// Base of an analysis's settings record: the host stores it through its key/value storage.
#pragma once
#include "CKeyValueStorage.h"

class TESSARODB_API CAnalysisData : public CObject
{
    DECLARE_DYNAMIC(CAnalysisData)
public:
    CAnalysisData() = default;
    ~CAnalysisData() override = default;

    // Copies the base part: the storage's values.
    void CopyData(const CAnalysisData& other);
    virtual CAnalysisData* Clone() const = 0;

    // The host's persistence: fields into the storage, and back.
    void StoreSettings() { UpdateData(false); }
    void RestoreSettings() { UpdateData(true); }

    CKeyValueStorage m_Storage;

protected:
    // true moves the storage's values into the fields, false the fields into the storage.
    virtual void UpdateData(bool bRestore) = 0;
};
