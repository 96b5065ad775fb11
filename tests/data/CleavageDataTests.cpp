#include "CCleavageData.h"
#include "ListContents.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace
{

std::vector<CString> StoredList(const CKeyValueStorage& storage, LPCSTR lpszKey)
{
    CStringList list;
    EXPECT_TRUE(storage.GetValues(lpszKey, list)) << lpszKey;
    return ListContents(list);
}

int StoredInt(const CKeyValueStorage& storage, LPCSTR lpszKey)
{
    int nValue = -12345;
    EXPECT_TRUE(storage.GetValue(lpszKey, nValue)) << lpszKey;
    return nValue;
}

void FillRecord(CCleavageData& record)
{
    record.m_strEnzName = "Trypsin";
    record.m_nRecognitionProbability = 95;
    record.m_nExceptionProbability = 80;
    record.m_nRecognitionBegin = -2;
    record.m_nExceptionBegin = -1;
    record.m_nRecognitionCount = 1;
    record.m_nExceptionCount = 3;
    record.m_nAnalysisProbability = 60;
    record.m_nAnalysisFragments = CCleavageData::kAllFragments;
    record.m_nAnalysisFrom = 10;
    record.m_nAnalysisTo = 200;
    record.m_nSorting = CCleavageData::sortByPosition;
    record.m_nProbabilityOrFragments = 1;
    record.m_nRange = 1;
    for (LPCSTR lpszCell : {"K", "R", "K"})
        record.m_lstRecognition.AddTail(lpszCell);
    for (LPCSTR lpszCell : {"", "K", "P", "", "R", "P"})
        record.m_lstException.AddTail(lpszCell);
}

// Every field compared through what the record stores of it.
void ExpectSameFields(CCleavageData& expected, CCleavageData& actual)
{
    expected.StoreSettings();
    actual.StoreSettings();
    EXPECT_STREQ(expected.m_Storage.ToText(), actual.m_Storage.ToText());
}
}

TEST(CleavageDataTest, NewRecordStoresItsDefaults)
{
    CCleavageData record;
    record.StoreSettings();
    const CKeyValueStorage& storage = record.m_Storage;

    CString strName("not written");
    EXPECT_TRUE(storage.GetValue("enz_name", strName));
    EXPECT_TRUE(strName.IsEmpty());
    // key: expected stored value
    const std::pair<LPCSTR, int> expected[] = {
        {"recognition_probability", 100}, {"exception_probability", 100}, {"analysis_probability", 75},
        {"analysis_fragments", 40},       {"analysis_from", 0},           {"analysis_to", 0},
        {"probability_or_fragments", 0},  {"sorting", 0},                 {"range", 0},
    };
    for (const auto& [lpszKey, nValue] : expected)
        EXPECT_EQ(nValue, StoredInt(storage, lpszKey)) << lpszKey;
    for (LPCSTR lpszKey : {"recognition_begining", "exception_begining", "recognition_count", "exception_count"})
        EXPECT_TRUE(storage.HasKey(lpszKey)) << lpszKey;
    EXPECT_TRUE(StoredList(storage, "recognition_list").empty());
    EXPECT_TRUE(StoredList(storage, "exception_list").empty());
}

TEST(CleavageDataTest, SaveStoresEachFieldUnderItsKeyAndRestoreRoundTrips)
{
    CCleavageData source;
    FillRecord(source);
    source.StoreSettings();
    // key: the value FillRecord gives its field
    const std::pair<LPCSTR, int> expected[] = {
        {"recognition_probability", 95},  {"exception_probability", 80}, {"recognition_begining", -2},
        {"exception_begining", -1},       {"recognition_count", 1},      {"exception_count", 3},
        {"analysis_probability", 60},     {"analysis_from", 10},         {"analysis_to", 200},
        {"probability_or_fragments", 1},  {"range", 1},                  {"sorting", CCleavageData::sortByPosition},
        {"analysis_fragments", 2147483647},
    };
    for (const auto& [lpszKey, nValue] : expected)
        EXPECT_EQ(nValue, StoredInt(source.m_Storage, lpszKey)) << lpszKey;

    CCleavageData target;
    target.CopyData(source);
    target.RestoreSettings();
    ExpectSameFields(source, target);
}

TEST(CleavageDataTest, RestoreReplacesListsEntirely)
{
    CCleavageData record;
    FillRecord(record);
    CStringList stored;
    stored.AddTail("D");
    stored.AddTail("E");
    record.m_Storage.SetValues("recognition_list", stored);
    record.RestoreSettings();
    const std::vector<CString> expected = {"D", "E"};
    EXPECT_EQ(expected, ListContents(record.m_lstRecognition));
    // A key the storage lacks: the list is emptied, the integer fields stay.
    EXPECT_TRUE(record.m_lstException.IsEmpty());
    EXPECT_EQ(95, record.m_nRecognitionProbability);
}

TEST(CleavageDataTest, CloneIsEqualAndIndependent)
{
    CCleavageData source;
    FillRecord(source);
    source.m_Storage.SetValue("host_key", 7);

    std::unique_ptr<CAnalysisData> cloneData(source.Clone());
    CCleavageData* pClone = dynamic_cast<CCleavageData*>(cloneData.get());
    ASSERT_NE(nullptr, pClone);
    EXPECT_EQ(7, StoredInt(pClone->m_Storage, "host_key"));
    ExpectSameFields(source, *pClone);

    pClone->m_lstRecognition.RemoveHead();
    pClone->m_lstException.AddTail("W");
    pClone->m_strEnzName = "Lys-C";
    EXPECT_EQ(3, source.m_lstRecognition.GetCount());
    EXPECT_EQ(6, source.m_lstException.GetCount());
    EXPECT_STREQ("Trypsin", source.m_strEnzName);
}
