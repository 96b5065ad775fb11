// A settings form inside a test host window, on a scratch installation whose library the
// test writes; helpers to read what the form's controls show.
#pragma once
#include "CCleavageAnalysis.h"
#include "CCleavageData.h"
#include "CCleavageEditor.h"
#include "CEnzymeDlg.h"
#include "CReagentLibrary.h"
#include "MessageBoxScript.h"
#include "ScratchFolder.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <resource.h>
#include <string>
#include <vector>

class EditorTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(CreateDirectoryA(m_scratch.PathOf("AM"), NULL)); }

    void TearDown() override { m_pEditor = NULL; }

    // Appends reagents to the library; each one's recognition cells say whose they are.
    static void AddReagents(std::initializer_list<LPCSTR> names)
    {
        CFile file;
        ASSERT_TRUE(CReagentLibrary::Open(file, CFile::modeReadWrite | CFile::modeCreate | CFile::modeNoTruncate));
        int nSerial = 0;
        for (LPCSTR lpszName : names)
        {
            CEnzymeDlg reagent;
            MakeReagent(reagent, lpszName, ++nSerial);
            CReagentLibrary::AppendReagent(file, reagent);
        }
    }

    static void MakeReagent(CEnzymeDlg& reagent, LPCSTR lpszName, int nSerial)
    {
        reagent.m_strName = lpszName;
        reagent.m_strRecognitionProbability.Format("%d", 90 + nSerial);
        reagent.m_strExceptionProbability = "80";
        reagent.m_recognition.m_nBegin = -1;
        reagent.m_recognition.m_nCount = 2;
        reagent.m_recognition.m_lstCells.AddTail("K");
        reagent.m_recognition.m_lstCells.AddTail(CString(lpszName) + CString((char)('0' + nSerial), 1));
        reagent.m_exception.m_nBegin = 1;
        reagent.m_exception.m_nCount = 3;
        reagent.m_exception.m_lstCells.AddTail("{P}");
    }

    void CreateEditor()
    {
        CWnd* pWnd = m_analysis.CreateEditor(&m_host);
        ASSERT_NE(nullptr, pWnd);
        ASSERT_TRUE(pWnd->IsKindOf(RUNTIME_CLASS(CCleavageEditor)));
        m_pEditor = static_cast<CCleavageEditor*>(pWnd);
        m_pEditor->MoveWindow(0, 0, 640, 440);
    }

    // One exchange as the host runs it, for a molecule of the given name and length.
    void Exchange(CCleavageData& record, BOOL bSave, LPCSTR lpszMol = "Lysozyme", int nLength = 350)
    {
        CPkMol mol(lpszMol, nLength);
        CAnalysisHeaderBase header(&mol);
        CAnalysisContext context(&header, &record);
        EXPECT_EQ(1, m_analysis.ExchangeData(m_pEditor, &context, bSave));
        EXPECT_EQ(nullptr, m_pEditor->m_pContext);
    }

    CString Text(int nID) const
    {
        CString strText;
        m_pEditor->GetDlgItemText(nID, strText);
        return strText;
    }
    bool Enabled(int nID) const { return m_pEditor->GetDlgItem(nID)->IsWindowEnabled() != FALSE; }
    bool Checked(int nID) const { return m_pEditor->IsDlgButtonChecked(nID) == BST_CHECKED; }
    void SetText(int nID, LPCSTR lpszText) { m_pEditor->SetDlgItemText(nID, lpszText); }
    void Click(int nID) { m_pEditor->GetDlgItem(nID)->SendMessage(BM_CLICK); }

    // What the option controls show: the checked buttons, then each field's text, marked
    // "(off)" while disabled: "best sort-probability | from=(off) to=(off) fragments=40 ...".
    std::string Options() const
    {
        std::string strShown;
        const std::pair<int, LPCSTR> buttons[] = {{IDC_BEST_FRAGMENTS, "best"},       {IDC_ABOVE_PROBABILITY, "above"},
                                                  {IDC_SORT_PROBABILITY, "sort-probability"},
                                                  {IDC_SORT_WEIGHT, "sort-weight"}, {IDC_SORT_POSITION, "sort-position"},
                                                  {IDC_RANGE_ONLY, "range"}};
        for (const auto& [nID, lpszName] : buttons)
            strShown += Checked(nID) ? std::string(lpszName) + " " : "";
        strShown += "|";
        const std::pair<int, LPCSTR> fields[] = {
            {IDC_RANGE_FROM, "from"}, {IDC_RANGE_TO, "to"}, {IDC_FRAGMENTS, "fragments"}, {IDC_PROBABILITY, "probability"}};
        for (const auto& [nID, lpszName] : fields)
            strShown += std::string(" ") + lpszName + "=" + Text(nID).GetString() + (Enabled(nID) ? "" : "(off)");
        return strShown;
    }

    std::vector<CString> ListedNames() const
    {
        std::vector<CString> names;
        for (int i = 0; i < m_pEditor->m_listReagents.GetCount(); ++i)
        {
            CString strName;
            m_pEditor->m_listReagents.GetText(i, strName);
            names.push_back(strName);
        }
        return names;
    }
    CString SelectedName() const
    {
        CString strName;
        const int nSelected = m_pEditor->m_listReagents.GetCurSel();
        if (nSelected != LB_ERR)
            m_pEditor->m_listReagents.GetText(nSelected, strName);
        return strName;
    }
    // Selects the item of exactly that name (the list's own searches ignore case).
    void Select(LPCSTR lpszName)
    {
        const std::vector<CString> names = ListedNames();
        for (size_t i = 0; i < names.size(); ++i)
        {
            if (names[i] == lpszName)
            {
                m_pEditor->m_listReagents.SetCurSel((int)i);
                return;
            }
        }
        ADD_FAILURE() << "no item " << lpszName;
    }

    ScratchFolder m_scratch;
    TestHostWindow m_host;
    CCleavageAnalysis m_analysis;
    CCleavageEditor* m_pEditor = NULL;  // owned by its window, which the host window owns
};
