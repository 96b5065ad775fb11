// Reagents made for tests, and a scratch installation with an AM folder whose library
// file the tests write and inspect.
#pragma once
#include "LibraryFiles.h"
#include "MemPatternTable.h"
#include "ScratchFolder.h"
#include <CEnzymeDlg.h>
#include <CReagentLibrary.h>

#include <gtest/gtest.h>
#include <string>

// A reagent whose fields derive from its name and number of cells.
inline void MakeReagent(CEnzymeDlg& reagent, LPCSTR lpszName, int nCells = 3)
{
    reagent.m_strName = lpszName;
    reagent.m_recognition.m_nBegin = -1;
    reagent.m_recognition.m_nCount = 3;
    for (int i = 0; i < nCells; ++i)
        reagent.m_recognition.m_lstCells.AddTail(CString(lpszName) + (char)('a' + i));
}

// The bytes of MakeReagent's reagents with these names, one after the other.
inline std::string Encode(const Texts& names)
{
    std::string bytes;
    for (const CString& strName : names)
    {
        CEnzymeDlg reagent;
        MakeReagent(reagent, strName);
        bytes += BytesOfRecord(reagent);
    }
    return bytes;
}

class ReagentLibraryTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(CreateDirectoryA(m_scratch.PathOf("AM"), NULL)); }

    ScratchFolder m_scratch;
};
