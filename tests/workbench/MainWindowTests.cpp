// The workbench's main window in the test's process, on the module loaded the way the
// workbench loads it, in a scratch installation with the shipped library and the engine:
// settings files, the choice of a FASTA record, and a run the form refuses.
#include "CleavageVersion.h"
#include "MainWindow.h"
#include "MessageBoxScript.h"
#include "PlugIns.h"
#include "PumpUntil.h"
#include "ScratchFolder.h"
#include "WindowTestSupport.h"
#include <resource.h>

#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace
{
BOOL CALLBACK FindShownDialog(HWND hWnd, LPARAM lParam)
{
    char szClass[16] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (strcmp(szClass, "#32770") != 0 || !::IsWindowVisible(hWnd))
        return TRUE;
    *(HWND*)lParam = hWnd;
    return FALSE;
}

// Cancels the dialog of the thread once it is shown (a system dialog may pump messages
// before it is), and gives its owner.
void CancelDialogWhenShown(HWND& hOwner)
{
    PostTestAction([&hOwner] {
        HWND hDialog = NULL;
        ::EnumThreadWindows(::GetCurrentThreadId(), FindShownDialog, (LPARAM)&hDialog);
        if (hDialog == NULL)
            return CancelDialogWhenShown(hOwner);
        hOwner = ::GetWindow(hDialog, GW_OWNER);
        ::PostMessageA(hDialog, WM_COMMAND, IDCANCEL, 0);
    });
}

BOOL CALLBACK FindReagentDialog(HWND hWnd, LPARAM lParam)
{
    if (::GetDlgItem(hWnd, IDC_REAGENT_NAME) == NULL)
        return TRUE;
    *(HWND*)lParam = hWnd;
    return FALSE;
}

class MainWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateDirectoryA(m_scratch.PathOf("AM"), NULL));
        ASSERT_TRUE(CopyFileA(ProgramFolder() + "\\AM\\Enzymes.dat", m_scratch.PathOf("AM\\Enzymes.dat"), FALSE));
        ASSERT_TRUE(CopyFileA(ProgramFolder() + "\\Cleavage.exe", m_scratch.PathOf("Cleavage.exe"), FALSE));
        CStringList lstErrors;
        m_plugIns.Load(ProgramFolder(), CPkMol::kProteinKind, lstErrors);
        ASSERT_TRUE(lstErrors.IsEmpty()) << (LPCSTR)lstErrors.GetHead();
        ASSERT_EQ(1u, m_plugIns.GetAnalyses().size());
        CAnalysisPlugIn& plugIn = *m_plugIns.GetAnalyses().front();
        m_pWindow.reset(new CMainWindow(plugIn, m_plugIns.GetModulePath(plugIn)));
        ASSERT_TRUE(m_pWindow->Create());
        ASSERT_TRUE(m_pWindow->OpenFasta(ProgramFolder() + "\\samples\\hemoglobin.fasta"));
        m_hForm = ::GetDlgItem(m_pWindow->m_hWnd, 1);
        ASSERT_NE((HWND)NULL, m_hForm);
    }

    void TearDown() override
    {
        if (m_pWindow && m_pWindow->m_hWnd != NULL)
            m_pWindow->DestroyWindow();
        m_pWindow.reset();
        PumpMessages();
    }

    // Sets the form as a user would: the reagent, Best N and the sort order.
    void SetForm(LPCSTR lpszReagent, LPCSTR lpszBest, int nSortButton)
    {
        const HWND hList = ::GetDlgItem(m_hForm, IDC_REAGENT_LIST);
        const LRESULT nIndex = ::SendMessageA(hList, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)lpszReagent);
        ASSERT_NE(LB_ERR, nIndex) << lpszReagent;
        ::SendMessageA(hList, LB_SETCURSEL, nIndex, 0);
        ::SendMessageA(m_hForm, WM_COMMAND, MAKEWPARAM(IDC_REAGENT_LIST, LBN_SELCHANGE), (LPARAM)hList);
        ::CheckRadioButton(m_hForm, IDC_ABOVE_PROBABILITY, IDC_BEST_FRAGMENTS, IDC_BEST_FRAGMENTS);
        ::SendMessageA(m_hForm, WM_COMMAND, MAKEWPARAM(IDC_BEST_FRAGMENTS, BN_CLICKED),
                       (LPARAM)::GetDlgItem(m_hForm, IDC_BEST_FRAGMENTS));
        ::SetDlgItemTextA(m_hForm, IDC_FRAGMENTS, lpszBest);
        ::CheckRadioButton(m_hForm, IDC_SORT_PROBABILITY, IDC_SORT_POSITION, nSortButton);
    }

    CString SelectedReagent() const
    {
        char szReagent[128] = "";
        const HWND hList = ::GetDlgItem(m_hForm, IDC_REAGENT_LIST);
        const LRESULT nSelected = ::SendMessageA(hList, LB_GETCURSEL, 0, 0);
        if (nSelected != LB_ERR)
            ::SendMessageA(hList, LB_GETTEXT, nSelected, (LPARAM)szReagent);
        return szReagent;
    }

    // Runs a reagent command of the form; its dialog, found among the thread's windows,
    // gets the fields' texts (field id, text) and OK.
    void RunReagentDialog(int nIDButton, std::vector<std::pair<int, LPCSTR>> fields)
    {
        PostTestAction([fields] {
            HWND hDialog = NULL;
            ::EnumThreadWindows(::GetCurrentThreadId(), FindReagentDialog, (LPARAM)&hDialog);
            ASSERT_NE((HWND)NULL, hDialog) << "no reagent dialog is open";
            for (const auto& field : fields)
                ::SetDlgItemTextA(hDialog, field.first, field.second);
            ::SendMessageA(::GetDlgItem(hDialog, IDOK), BM_CLICK, 0, 0);
        });
        RunWithWatchdog([&] { ::SendMessageA(::GetDlgItem(m_hForm, nIDButton), BM_CLICK, 0, 0); });
    }

    // Pumps until the status bar describes the reagent selected in the form.
    void ExpectStatusOfSelection(const std::string& strDescription)
    {
        const std::string strExpected = std::string(SelectedReagent()) + ": " + strDescription;
        EXPECT_TRUE(PumpUntil([&] { return StatusText() == strExpected; }, 2000))
            << "status: " << StatusText() << "\nselected: " << strExpected;
    }

    // What the form shows: the selected reagent, Best N, the sort button and the name.
    std::string FormState() const
    {
        char szReagent[128] = "";
        const HWND hList = ::GetDlgItem(m_hForm, IDC_REAGENT_LIST);
        const LRESULT nSelected = ::SendMessageA(hList, LB_GETCURSEL, 0, 0);
        if (nSelected != LB_ERR)
            ::SendMessageA(hList, LB_GETTEXT, nSelected, (LPARAM)szReagent);
        char szBest[32] = "";
        ::GetDlgItemTextA(m_hForm, IDC_FRAGMENTS, szBest, sizeof(szBest));
        char szName[64] = "";
        ::GetDlgItemTextA(m_hForm, IDC_MOL_NAME, szName, sizeof(szName));
        int nSort = 0;
        for (int nButton = IDC_SORT_PROBABILITY; nButton <= IDC_SORT_POSITION; ++nButton)
            if (::IsDlgButtonChecked(m_hForm, nButton))
                nSort = nButton;
        return std::string(szReagent) + "|best " + szBest + "|sort " + std::to_string(nSort) + "|" + szName;
    }

    HWND PanelField(int nID) const
    {
        return ::GetDlgItem(::GetDlgItem(m_pWindow->m_hWnd, CMainWindow::IDC_DIGEST_PANEL), nID);
    }

    std::string PanelText(int nID) const
    {
        char szText[64] = "";
        ::GetWindowTextA(PanelField(nID), szText, sizeof(szText));
        return szText;
    }

    // Sets a field of the panel for mass spectrometry: an edit's text, or in a list the
    // item of that name chosen (none for "").
    void SetPanelField(int nID, LPCSTR lpszValue)
    {
        const HWND hField = PanelField(nID);
        ASSERT_NE((HWND)NULL, hField) << nID;
        char szClass[16] = "";
        ::GetClassNameA(hField, szClass, sizeof(szClass));
        if (_stricmp(szClass, "ListBox") != 0)
        {
            ::SetWindowTextA(hField, lpszValue);
            return;
        }
        const LRESULT nItem =
            *lpszValue ? ::SendMessageA(hField, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)lpszValue) : -1;
        ASSERT_TRUE(nItem != LB_ERR || !*lpszValue) << lpszValue;
        ::SendMessageA(hField, LB_SETSEL, *lpszValue != '\0', nItem);
    }

    std::string StatusText() const
    {
        char szText[256] = "";
        ::GetDlgItemTextA(m_pWindow->m_hWnd, CMainWindow::IDC_STATUS_BAR, szText, sizeof(szText));
        return szText;
    }

    // The fragment table (or the matches table) as shown: a line per row, its cells
    // separated by tabs.
    std::string ShownTable(int nID = CMainWindow::IDC_RESULT_LIST) const
    {
        const HWND hList = ::GetDlgItem(m_pWindow->m_hWnd, nID);
        std::string table;
        const int nRows = (int)::SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0);
        const HWND hHeader = (HWND)::SendMessageA(hList, LVM_GETHEADER, 0, 0);
        const int nColumns = (int)::SendMessageA(hHeader, HDM_GETITEMCOUNT, 0, 0);
        for (int nRow = 0; nRow < nRows; ++nRow)
        {
            for (int nColumn = 0; nColumn < nColumns; ++nColumn)
            {
                char szCell[256] = "";
                LVITEMA item = {};
                item.iSubItem = nColumn;
                item.pszText = szCell;
                item.cchTextMax = sizeof(szCell);
                ::SendMessageA(hList, LVM_GETITEMTEXTA, nRow, (LPARAM)&item);
                table += (nColumn > 0 ? "\t" : "") + std::string(szCell);
            }
            table += "\n";
        }
        return table;
    }

    HWND MassesField(int nID) const
    {
        return ::GetDlgItem(::GetDlgItem(m_pWindow->m_hWnd, CMainWindow::IDC_MASSES_PANE), nID);
    }

    // The Masses pane's values as typed or pasted, what they are (the choice's place in
    // its list) and the tolerance.
    void SetMasses(LPCSTR lpszValues, int nObserved = 0, LPCSTR lpszTolerance = "20ppm")
    {
        ::SetWindowTextA(MassesField(CMassesPane::IDC_MASSES), lpszValues);
        ::SendMessageA(MassesField(CMassesPane::IDC_OBSERVED), CB_SETCURSEL, nObserved, 0);
        ::SetWindowTextA(MassesField(CMassesPane::IDC_TOLERANCE), lpszTolerance);
    }

    std::string MatchSummary() const
    {
        char szText[256] = "";
        ::GetWindowTextA(MassesField(CMassesPane::IDC_MATCH_SUMMARY), szText, sizeof(szText));
        return szText;
    }

    // A key pressed where the focus is, handled as the workbench's loop handles it.
    void Press(UINT nVirtualKey)
    {
        PostKey(::GetFocus(), nVirtualKey);
        PumpMessages();
    }

    // The focused control: its id, after the pane that holds it when that is not the window.
    std::string FocusedControl() const
    {
        const HWND hFocus = ::GetFocus();
        const HWND hParent = ::GetParent(hFocus);
        const std::string strID = std::to_string(::GetDlgCtrlID(hFocus));
        if (hParent == m_hForm)
            return "form " + strID;
        if (hParent == ::GetDlgItem(m_pWindow->m_hWnd, CMainWindow::IDC_DIGEST_PANEL))
            return "panel " + strID;
        if (hParent == ::GetDlgItem(m_pWindow->m_hWnd, CMainWindow::IDC_MASSES_PANE))
            return "masses " + strID;
        return hParent == m_pWindow->m_hWnd ? strID : "elsewhere " + strID;
    }

    // Range from Selection, and the form's From and To after it: "9-30".
    std::string RangeFromSelection()
    {
        m_pWindow->SendMessage(WM_COMMAND, CMainWindow::ID_ANALYSIS_RANGE_FROM_SELECTION);
        char szFrom[16] = "";
        char szTo[16] = "";
        ::GetDlgItemTextA(m_hForm, IDC_RANGE_FROM, szFrom, sizeof(szFrom));
        ::GetDlgItemTextA(m_hForm, IDC_RANGE_TO, szTo, sizeof(szTo));
        return std::string(szFrom) + "-" + szTo;
    }

    ScratchFolder m_scratch;
    CPlugInSet m_plugIns;
    std::unique_ptr<CMainWindow> m_pWindow;
    HWND m_hForm = NULL;
};
}

TEST_F(MainWindowTest, SettingsFileRestoresTheFormItWasSavedFrom)
{
    ASSERT_TRUE(m_pWindow->OpenSettings(ProgramFolder() + "\\samples\\trypsin.settings"));
    EXPECT_EQ("Trypsin|best 40|sort 8032|HBB_HUMAN", FormState());
    // The status bar shows the reagent as the settings record takes it, also after a click
    // in the form's list.
    EXPECT_EQ("Trypsin: recognition P1 KR P1' {P} at 100 %; exception none at 100 %", StatusText());
    SetForm("Lys-C", "12", IDC_SORT_WEIGHT);
    PumpMessages();
    EXPECT_EQ("Lys-C: recognition P1 K P1' . at 100 %; exception none at 100 %", StatusText());
    SetForm("Trypsin", "3", IDC_SORT_POSITION);
    const std::string saved = FormState();
    const CString strFile = m_scratch.PathOf("trypsin.settings");
    ASSERT_TRUE(m_pWindow->SaveSettings(strFile));
    const std::string text = ReadWholeFile(strFile);
    EXPECT_NE(std::string::npos, text.find("enz_name=Trypsin\n")) << text;
    EXPECT_NE(std::string::npos, text.find("analysis_fragments=3\n")) << text;
    EXPECT_NE(std::string::npos, text.find("sorting=2\n")) << text;

    SetForm("Lys-C", "12", IDC_SORT_WEIGHT);
    ASSERT_NE(saved, FormState());
    ASSERT_TRUE(m_pWindow->OpenSettings(strFile));
    EXPECT_EQ(saved, FormState());

    // Saved again unchanged, the file is the same bytes; a run uses what was opened.
    ASSERT_TRUE(m_pWindow->SaveSettings(m_scratch.PathOf("again.settings")));
    EXPECT_EQ(text, ReadWholeFile(m_scratch.PathOf("again.settings")));
    m_pWindow->SendMessage(WM_COMMAND, CMainWindow::ID_ANALYSIS_RUN);
    const std::string table = ShownTable();
    EXPECT_EQ("1\t8\t8\t0\t100\t951.502547\t952.0627\tVHLTPEEK\n"
              "9\t17\t9\t0\t100\t931.512718\t932.0745\tSAVTALWGK\n"
              "18\t30\t13\t0\t100\t1313.657544\t1314.4017\tVNVDEVGGEALGR\n",
              table);
    // Exported as shown, with the engine's headings.
    ASSERT_TRUE(m_pWindow->ExportResults(m_scratch.PathOf("fragments.csv")));
    EXPECT_EQ(0u, ReadWholeFile(m_scratch.PathOf("fragments.csv"))
                      .find("start,end,length,missed,probability,mono_mass,average_mass,sequence\r\n"
                            "1,8,8,0,1,951.502547,952.0627,VHLTPEEK\r\n"));
}

TEST_F(MainWindowTest, DamagedSettingsFilesGetTheirMessageAndChangeNothing)
{
    SetForm("Trypsin", "3", IDC_SORT_POSITION);
    const CString strGood = m_scratch.PathOf("good.settings");
    ASSERT_TRUE(m_pWindow->SaveSettings(strGood));
    const std::string good = ReadWholeFile(strGood);
    SetForm("Lys-C", "12", IDC_SORT_WEIGHT);
    const std::string before = FormState();

    auto replaced = [&good](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    WriteWholeFile(m_scratch.PathOf("text.settings"), replaced("analysis_fragments=3", "analysis_fragments=three"));
    WriteWholeFile(m_scratch.PathOf("short.settings"), good.substr(0, good.find("range=")));
    WriteWholeFile(m_scratch.PathOf("charges.settings"), good + "charges=2+\n");
    WriteWholeFile(m_scratch.PathOf("mods.settings"), good + "fixed_mod=Oxidation (M)\nvariable_mod=Oxidation (M)\n");
    WriteWholeFile(m_scratch.PathOf("twice.settings"), good + "charges=2-3\ncharges=1-2\n");
    const struct
    {
        LPCSTR lpszFile;
        LPCSTR lpszMessage;
    } cases[] = {
        {"text.settings", "'analysis_fragments' needs a whole number, not 'three'"},
        {"short.settings", "the key 'range' is missing"},
        {"missing.settings", "Cannot read "},
        // The panel's keys, checked as the engine checks them.
        {"charges.settings", "key 'charges': \"2+\" is not a range of charges"},
        {"mods.settings", "key 'variable_mod': \"Oxidation (M)\" names Oxidation (M) a second time"},
        {"twice.settings", "key 'charges': the key was already given on line"},
    };
    for (const auto& damaged : cases)
    {
        MessageBoxScript script;
        script.Answer(IDOK);
        EXPECT_FALSE(m_pWindow->OpenSettings(m_scratch.PathOf(damaged.lpszFile))) << damaged.lpszFile;
        ASSERT_EQ(1u, script.Calls().size()) << damaged.lpszFile;
        const CString& strMessage = script.Calls()[0].strText;
        EXPECT_NE(-1, strMessage.Find(damaged.lpszMessage)) << (LPCSTR)strMessage;
        EXPECT_NE(-1, strMessage.Find("The settings were not changed.")) << (LPCSTR)strMessage;
        EXPECT_EQ(before, FormState()) << damaged.lpszFile;
        EXPECT_EQ("", PanelText(CDigestPanel::IDC_CHARGES)) << damaged.lpszFile;
    }
    // The record was not changed either: what was set before saves as before.
    ASSERT_TRUE(m_pWindow->SaveSettings(m_scratch.PathOf("after.settings")));
    EXPECT_NE(std::string::npos, ReadWholeFile(m_scratch.PathOf("after.settings")).find("enz_name=Lys-C\n"));
}

// A save that fails (another program holds the file) leaves the user's file whole, and
// no part of the new one behind.
TEST_F(MainWindowTest, AFailedSaveLeavesTheOldFile)
{
    const CString strFile = m_scratch.PathOf("kept.settings");
    WriteWholeFile(strFile, "the user's old file\n");
    const HANDLE hHeld = CreateFileA(strFile, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHeld);
    MessageBoxScript script;
    script.Answer(IDOK);
    EXPECT_FALSE(m_pWindow->SaveSettings(strFile));
    ASSERT_EQ(1u, script.Calls().size());
    EXPECT_EQ(0, script.Calls()[0].strText.Find("Cannot write " + strFile + ": ")) << (LPCSTR)script.Calls()[0].strText;
    EXPECT_EQ("the user's old file\n", ReadWholeFile(strFile));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(strFile + ".saving"));
    CloseHandle(hHeld);
}

TEST_F(MainWindowTest, TheUserPicksTheRecordAndKeepsTheSettings)
{
    const HWND hRecords = ::GetDlgItem(m_pWindow->m_hWnd, CMainWindow::IDC_RECORD_LIST);
    ASSERT_EQ(2, ::SendMessageA(hRecords, CB_GETCOUNT, 0, 0));
    EXPECT_TRUE(::IsWindowEnabled(hRecords));
    char szItem[64] = "";
    ::SendMessageA(hRecords, CB_GETLBTEXT, 1, (LPARAM)szItem);
    EXPECT_STREQ("HBA_HUMAN (141 residues)", szItem);

    SetForm("Trypsin", "3", IDC_SORT_POSITION);
    m_pWindow->SendMessage(WM_COMMAND, CMainWindow::ID_ANALYSIS_RUN);
    ::SendMessageA(hRecords, CB_SETCURSEL, 1, 0);
    m_pWindow->SendMessage(WM_COMMAND, MAKEWPARAM(CMainWindow::IDC_RECORD_LIST, CBN_SELCHANGE), (LPARAM)hRecords);
    char szTitle[128] = "";
    ::GetWindowTextA(m_pWindow->m_hWnd, szTitle, sizeof(szTitle));
    EXPECT_STREQ("Cleavage Workbench - HBA_HUMAN", szTitle);
    EXPECT_EQ("Trypsin|best 3|sort 8032|HBA_HUMAN", FormState());
    EXPECT_EQ("", ShownTable());  // the last record's table is gone with it

    m_pWindow->SendMessage(WM_COMMAND, CMainWindow::ID_ANALYSIS_RUN);
    EXPECT_EQ(0u, ShownTable().find("1\t7\t7\t0\t100\t")) << ShownTable();
    // The table shows whole rows: none is cut off at its bottom.
    const HWND hTable = ::GetDlgItem(m_pWindow->m_hWnd, CMainWindow::IDC_RESULT_LIST);
    CRect rcRow(LVIR_BOUNDS, 0, 0, 0);
    CRect rcTable;
    ASSERT_TRUE(::SendMessageA(hTable, LVM_GETITEMRECT, 0, (LPARAM)&rcRow));
    ::GetClientRect(hTable, &rcTable);
    EXPECT_EQ(0, (rcTable.bottom - rcRow.top) % rcRow.Height());
    EXPECT_NE(std::string::npos, ShownTable().find("\tVLSPADK\n")) << ShownTable();

    // A file that cannot be read leaves the records and the molecule.
    MessageBoxScript script;
    script.Answer(IDOK);
    EXPECT_FALSE(m_pWindow->OpenFasta(m_scratch.PathOf("missing.fasta")));
    EXPECT_EQ(2, ::SendMessageA(hRecords, CB_GETCOUNT, 0, 0));
    EXPECT_EQ("Trypsin|best 3|sort 8032|HBA_HUMAN", FormState());
}

// The panel's choices reach the engine beside the form's; a value the panel refuses
// stops the run before the engine starts, with a message naming the field, and the
// focus on it.
TEST_F(MainWindowTest, ThePanelForMassSpectrometryAddsItsKeysOrNamesItsField)
{
    SetForm("Trypsin", "1000", IDC_SORT_POSITION);
    SetPanelField(CDigestPanel::IDC_VARIABLE_MODS, "Oxidation (M)");
    SetPanelField(CDigestPanel::IDC_CHARGES, " 2-2 ");  // spaces around a value are not part of it
    m_pWindow->SendMessage(WM_COMMAND, CMainWindow::ID_ANALYSIS_RUN);
    const std::string table = ShownTable();
    // m/z (2+) = (951.502547 + 2 x 1.007276467) / 2
    EXPECT_EQ(0u, table.find("1\t8\t8\t0\t100\t951.502547\t952.0627\tVHLTPEEK\t\t476.758550\n")) << table;
    EXPECT_NE(std::string::npos, table.find("\tFFESFGDLSTPDAVMGNPK\t\t")) << table;
    EXPECT_NE(std::string::npos, table.find("\tFFESFGDLSTPDAVMGNPK\tM55:Oxidation\t")) << table;

    // A settings file keeps the panel's choices as the engine's keys, and gives them back.
    const CString strFile = m_scratch.PathOf("panel.settings");
    ASSERT_TRUE(m_pWindow->SaveSettings(strFile));
    const std::string text = ReadWholeFile(strFile);
    EXPECT_NE(std::string::npos, text.find("\ncharges=2-2\n")) << text;
    EXPECT_NE(std::string::npos, text.find("\nvariable_mod=Oxidation (M)\n")) << text;
    // Other names chosen before the file is opened are chosen no longer.
    SetPanelField(CDigestPanel::IDC_CHARGES, "");
    SetPanelField(CDigestPanel::IDC_VARIABLE_MODS, "Phospho (STY)");
    SetPanelField(CDigestPanel::IDC_ALSO_REAGENTS, "Asp-N");
    SetPanelField(CDigestPanel::IDC_MIN_MASS, "1");
    ASSERT_TRUE(m_pWindow->OpenSettings(strFile));
    EXPECT_EQ("", PanelText(CDigestPanel::IDC_MIN_MASS));
    m_pWindow->SendMessage(WM_COMMAND, CMainWindow::ID_ANALYSIS_RUN);
    EXPECT_EQ(table, ShownTable());

    const struct
    {
        int nID;
        LPCSTR lpszValue;
        LPCSTR lpszMessageStart;
    } refused[] = {
        {CDigestPanel::IDC_CHARGES, "2+", "Charges: \"2+\" is not a range of charges"},
        {CDigestPanel::IDC_MAX_VARIABLE_MODS, "9", "Most variable per fragment: 9 is outside 0..8"},
        {CDigestPanel::IDC_MIN_MASS, "12,5", "Lowest mass (Da): \"12,5\" is not a mass in daltons"},
        {CDigestPanel::IDC_BACKGROUND, "101", "Background cleavage (%): a background efficiency of 101 % is above"},
        {CDigestPanel::IDC_FIXED_MODS, "Oxidation (M)",
         "Variable modifications: \"Oxidation (M)\" names Oxidation (M) a second time"},
    };
    for (const auto& field : refused)
    {
        SCOPED_TRACE(field.lpszValue);
        SetPanelField(field.nID, field.lpszValue);
        MessageBoxScript script;
        script.Answer(IDOK);
        m_pWindow->SendMessage(WM_COMMAND, CMainWindow::ID_ANALYSIS_RUN);
        ASSERT_EQ(1u, script.Calls().size());
        EXPECT_EQ(0, script.Calls()[0].strText.Find(field.lpszMessageStart)) << (LPCSTR)script.Calls()[0].strText;
        EXPECT_EQ(table, ShownTable());  // no run: the last one's table stays
        if (field.nID != CDigestPanel::IDC_FIXED_MODS)
        {
            EXPECT_EQ(PanelField(field.nID), ::GetFocus());
        }
        SetPanelField(field.nID, "");
    }
}

// A form that cannot take its values (its library is gone) stops the run before the
// engine starts, with the form's message the only one; a value only the engine refuses
// gets the engine's message.
TEST_F(MainWindowTest, ARunStopsWithTheMessageOfWhoRefused)
{
    SetForm("Trypsin", "0", IDC_SORT_POSITION);
    ASSERT_TRUE(MoveFileA(m_scratch.PathOf("AM\\Enzymes.dat"), m_scratch.PathOf("AM\\Enzymes.away")));
    {
        MessageBoxScript script;
        script.Answer(IDOK);
        m_pWindow->SendMessage(WM_COMMAND, CMainWindow::ID_ANALYSIS_RUN);
        ASSERT_EQ(1u, script.Calls().size());
        EXPECT_EQ(-1, script.Calls()[0].strText.Find("outside")) << (LPCSTR)script.Calls()[0].strText;
        EXPECT_EQ("", ShownTable());
    }
    ASSERT_TRUE(MoveFileA(m_scratch.PathOf("AM\\Enzymes.away"), m_scratch.PathOf("AM\\Enzymes.dat")));
    MessageBoxScript script;
    script.Answer(IDOK);
    m_pWindow->SendMessage(WM_COMMAND, CMainWindow::ID_ANALYSIS_RUN);
    ASSERT_EQ(1u, script.Calls().size());
    EXPECT_NE(-1, script.Calls()[0].strText.Find("'analysis_fragments': 0 is outside 1..2147483647"))
        << (LPCSTR)script.Calls()[0].strText;
    EXPECT_EQ("", ShownTable());

    // Without a table there is nothing to export, and nothing is written.
    script.Answer(IDOK);
    EXPECT_FALSE(m_pWindow->ExportResults(m_scratch.PathOf("none.tsv")));
    ASSERT_EQ(2u, script.Calls().size());
    EXPECT_EQ(0, script.Calls()[1].strText.Find("There are no results to export")) << (LPCSTR)script.Calls()[1].strText;
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(m_scratch.PathOf("none.tsv")));
}

// A text a validated field of the form refuses stops F5's run (and Save Settings) before
// the engine, with the field's own message and the focus on it; the last table stays.
TEST_F(MainWindowTest, ARefusedFieldStopsTheRunWithItsMessage)
{
    m_pWindow->ShowWindow(SW_SHOW);
    SetForm("Trypsin", "3", IDC_SORT_POSITION);
    m_pWindow->SendMessage(WM_COMMAND, CMainWindow::ID_ANALYSIS_RUN);
    const std::string table = ShownTable();
    ASSERT_NE("", table);
    const struct
    {
        int nButton;  // the button that enables the field
        int nField;
        LPCSTR lpszText;
        LPCSTR lpszMessage;
    } refused[] = {
        {IDC_BEST_FRAGMENTS, IDC_FRAGMENTS, "abc", "Can not convert value abc to integer"},
        {IDC_BEST_FRAGMENTS, IDC_FRAGMENTS, "-1", "Value -1 must be more or equal then 0"},
        {IDC_ABOVE_PROBABILITY, IDC_PROBABILITY, "101", "Value 101 must be less or equal then 100"},
        // The range's check is From's (To is its bound).
        {IDC_RANGE_ONLY, IDC_RANGE_FROM, "300", "Value 300 must be less or equal then 146"},
    };
    for (const auto& field : refused)
    {
        SCOPED_TRACE(field.lpszText);
        const HWND hField = ::GetDlgItem(m_hForm, field.nField);
        if (!::IsWindowEnabled(hField))
            ::SendMessageA(::GetDlgItem(m_hForm, field.nButton), BM_CLICK, 0, 0);
        ::SetFocus(hField);
        ::SetWindowTextA(hField, field.lpszText);
        MessageBoxScript script;
        script.Answer(IDOK);
        ::SetFocus(::GetDlgItem(m_hForm, IDC_REAGENT_LIST));
        Press(VK_F5);
        ASSERT_EQ(1u, script.Calls().size());
        EXPECT_STREQ(field.lpszMessage, script.Calls()[0].strText);
        EXPECT_EQ(hField, ::GetFocus());
        EXPECT_EQ(table, ShownTable());
        script.Answer(IDOK);
        EXPECT_FALSE(m_pWindow->SaveSettings(m_scratch.PathOf("refused.settings")));
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(m_scratch.PathOf("refused.settings")));
        ::SetWindowTextA(hField, "3");
    }
}

// The window's keys work wherever the focus is: F5 runs from the form, the panel, the
// records, the sequence and the table, and Ctrl+E asks where to export from the form and
// from the table.
TEST_F(MainWindowTest, TheWindowsKeysWorkWhereverTheFocusIs)
{
    m_pWindow->ShowWindow(SW_SHOW);
    SetForm("Trypsin", "1", IDC_SORT_POSITION);
    const HWND hWindow = m_pWindow->m_hWnd;
    const HWND places[] = {
        ::GetDlgItem(m_hForm, IDC_REAGENT_LIST),        ::GetDlgItem(m_hForm, IDC_FRAGMENTS),
        PanelField(CDigestPanel::IDC_SPECIFICITY),      PanelField(CDigestPanel::IDC_CHARGES),
        ::GetDlgItem(hWindow, CMainWindow::IDC_RECORD_LIST), ::GetDlgItem(hWindow, CMainWindow::IDC_SEQUENCE_PANE),
        ::GetDlgItem(hWindow, CMainWindow::IDC_RESULT_LIST),
    };
    int nBest = 1;
    for (HWND hPlace : places)
    {
        SCOPED_TRACE(::GetDlgCtrlID(hPlace));
        // Each run asks for one fragment more: the table shows which run it is.
        ::SetDlgItemTextA(m_hForm, IDC_FRAGMENTS, std::to_string(++nBest).c_str());
        ::SetFocus(hPlace);
        Press(VK_F5);
        const std::string table = ShownTable();
        EXPECT_EQ(nBest, std::count(table.begin(), table.end(), '\n')) << table;
    }
    for (HWND hPlace : {::GetDlgItem(m_hForm, IDC_FRAGMENTS), ::GetDlgItem(hWindow, CMainWindow::IDC_RESULT_LIST)})
    {
        SCOPED_TRACE(::GetDlgCtrlID(hPlace));
        HWND hOwner = NULL;
        CancelDialogWhenShown(hOwner);
        ::SetFocus(hPlace);
        HoldKey(VK_CONTROL, true);
        PostKey(hPlace, 'E');
        RunWithWatchdog([] { PumpMessages(); }, 20000);
        HoldKey(VK_CONTROL, false);
        EXPECT_EQ(hWindow, hOwner);  // the Save As dialog was open
        PumpMessages();
    }
    // An open drop-down list keeps Esc, which closes it.
    const HWND hRecords = ::GetDlgItem(hWindow, CMainWindow::IDC_RECORD_LIST);
    ::SetFocus(hRecords);
    ::SendMessageA(hRecords, CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(::SendMessageA(hRecords, CB_GETDROPPEDSTATE, 0, 0));
    Press(VK_ESCAPE);
    EXPECT_FALSE(::SendMessageA(hRecords, CB_GETDROPPEDSTATE, 0, 0));
}

// Tab goes through every control of the window in reading order: the form's in the form's
// own order, the panel's, the Masses pane's, the records, the sequence and the tables, then
// round again; Shift+Tab goes back.
TEST_F(MainWindowTest, TabAndShiftTabGoThroughEveryPaneInReadingOrder)
{
    m_pWindow->ShowWindow(SW_SHOW);
    SetForm("Trypsin", "3", IDC_SORT_POSITION);
    m_pWindow->SendMessage(WM_COMMAND, CMainWindow::ID_ANALYSIS_RUN);
    // Best N is chosen and Range Only is not: the threshold and the range are disabled. A
    // group of radio buttons is entered at its checked one.
    const std::vector<std::string> order = {
        "form 5009", "form 8016",  "form 8021", "form 8000", "form 8002", "form 8001", "form 8003",
        "form 2278", "form 8014",  "form 8032", "panel 400", "panel 401", "panel 402", "panel 403",
        "panel 404", "panel 405",  "panel 406", "panel 407", "panel 408", "masses 450", "masses 451", "masses 452",
        "masses 453", "202",       "200",       "201",       "208",       "form 5009"};
    std::vector<std::string> forward;
    ::SetFocus(::GetDlgItem(m_pWindow->m_hWnd, CMainWindow::IDC_MATCH_LIST));
    for (size_t i = 0; i < order.size(); ++i)
    {
        Press(VK_TAB);
        forward.push_back(FocusedControl());
    }
    EXPECT_EQ(order, forward);
    // The table entered shows its focus on a row, not chosen.
    const HWND hTable = ::GetDlgItem(m_pWindow->m_hWnd, CMainWindow::IDC_RESULT_LIST);
    EXPECT_EQ(0, ::SendMessageA(hTable, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_FOCUSED));
    EXPECT_EQ(-1, ::SendMessageA(hTable, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED));

    std::vector<std::string> backward;
    HoldKey(VK_SHIFT, true);
    for (size_t i = 0; i < order.size(); ++i)
    {
        Press(VK_TAB);
        backward.push_back(FocusedControl());
    }
    HoldKey(VK_SHIFT, false);
    std::vector<std::string> reversed(order.rbegin() + 1, order.rend());
    reversed.push_back("208");
    EXPECT_EQ(reversed, backward);
}

// The control the user was in has the focus again when the window is activated again
// (after a message box, a dialog or another program).
TEST_F(MainWindowTest, TheFocusComesBackWithTheWindow)
{
    m_pWindow->ShowWindow(SW_SHOW);
    ::SetActiveWindow(m_pWindow->m_hWnd);
    const HWND hCharges = PanelField(CDigestPanel::IDC_CHARGES);
    ::SetFocus(hCharges);
    TestHostWindow other;
    ::SetActiveWindow(other.m_hWnd);
    PumpMessages();
    ASSERT_NE(hCharges, ::GetFocus());
    ::SetActiveWindow(m_pWindow->m_hWnd);
    PumpMessages();
    EXPECT_EQ(hCharges, ::GetFocus());
}

// Esc during a run ends an engine that would run on, and says so.
TEST_F(MainWindowTest, EscCancelsARunGoingOn)
{
    ASSERT_TRUE(CopyFileA(ProgramFolder() + "\\WineIdle.exe", m_scratch.PathOf("Cleavage.exe"), FALSE));
    SetForm("Trypsin", "3", IDC_SORT_POSITION);
    PostKey(m_pWindow->m_hWnd, VK_ESCAPE);
    MessageBoxScript script;
    script.Answer(IDOK);
    RunWithWatchdog([this] { m_pWindow->SendMessage(WM_COMMAND, CMainWindow::ID_ANALYSIS_RUN); });
    ASSERT_EQ(1u, script.Calls().size());
    EXPECT_STREQ("The run was cancelled.", script.Calls()[0].strText);
    EXPECT_EQ("", ShownTable());
}

// The status bar describes the list's selection however it changed: a key in the list,
// New (the list refilled), Edit (the library's record changed), Remove.
TEST_F(MainWindowTest, TheStatusBarFollowsTheSelectionAndTheLibrary)
{
    SetForm("Lys-C", "40", IDC_SORT_POSITION);
    const HWND hList = ::GetDlgItem(m_hForm, IDC_REAGENT_LIST);
    ::SetFocus(hList);
    PostKey(hList, VK_DOWN);
    ASSERT_TRUE(PumpUntil([&] { return SelectedReagent() != "Lys-C"; }, 2000));
    ExpectStatusOfSelection("recognition P1 . P1' K at 100 %; exception none at 100 %");

    RunReagentDialog(IDC_NEW_REAGENT, {{IDC_REAGENT_NAME, "AAA"}, {IDC_RECOGNITION_EFFICIENCY, "50"}});
    ASSERT_STREQ("AAA", SelectedReagent());
    ExpectStatusOfSelection("recognition none at 50 %; exception none at 100 %");

    SetForm("Lys-C", "40", IDC_SORT_POSITION);
    RunReagentDialog(IDC_EDIT_REAGENT, {{IDC_RECOGNITION_EFFICIENCY, "60"}});
    ExpectStatusOfSelection("recognition P1 K P1' . at 60 %; exception none at 100 %");

    MessageBoxScript boxes;
    boxes.Answer(IDOK);
    RunWithWatchdog([&] { ::SendMessageA(::GetDlgItem(m_hForm, IDC_REMOVE_REAGENT), BM_CLICK, 0, 0); });
    ASSERT_EQ(1u, boxes.Calls().size());
    ASSERT_STREQ("AAA", SelectedReagent());
    ExpectStatusOfSelection("recognition none at 50 %; exception none at 100 %");
}

// Lock makes the form read-only; residues selected in the sequence pane become its range,
// switched on: a run analyses them alone.
TEST_F(MainWindowTest, LockAndRangeFromTheSelectionReachTheForm)
{
    m_pWindow->ShowWindow(SW_SHOW);
    SetForm("Trypsin", "40", IDC_SORT_POSITION);
    // Residues 9 to 30 selected with the keys: past 8, then Shift and 22 more.
    ::SetFocus(::GetDlgItem(m_pWindow->m_hWnd, CMainWindow::IDC_SEQUENCE_PANE));
    for (int i = 0; i < 8; ++i)
        Press(VK_RIGHT);
    HoldKey(VK_SHIFT, true);
    for (int i = 0; i < 22; ++i)
        Press(VK_RIGHT);
    HoldKey(VK_SHIFT, false);
    EXPECT_EQ("9-30", RangeFromSelection());
    EXPECT_TRUE(::IsDlgButtonChecked(m_hForm, IDC_RANGE_ONLY));
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(m_hForm, IDC_RANGE_TO)));
    m_pWindow->SendMessage(WM_COMMAND, CMainWindow::ID_ANALYSIS_RUN);
    EXPECT_EQ("9\t17\t9\t0\t100\t931.512718\t932.0745\tSAVTALWGK\n"
              "18\t30\t13\t0\t100\t1313.657544\t1314.4017\tVNVDEVGGEALGR\n",
              ShownTable());

    const HWND hList = ::GetDlgItem(m_hForm, IDC_REAGENT_LIST);
    m_pWindow->SendMessage(WM_COMMAND, CMainWindow::ID_ANALYSIS_LOCK);
    EXPECT_FALSE(::IsWindowEnabled(hList));
    EXPECT_FALSE(::IsWindowEnabled(PanelField(CDigestPanel::IDC_CHARGES)));  // the panel too
    // A new molecule keeps the lock.
    m_pWindow->SelectRecord(1);
    EXPECT_FALSE(::IsWindowEnabled(hList));
    m_pWindow->SendMessage(WM_COMMAND, CMainWindow::ID_ANALYSIS_LOCK);
    EXPECT_TRUE(::IsWindowEnabled(hList));
    EXPECT_TRUE(::IsWindowEnabled(PanelField(CDigestPanel::IDC_VARIABLE_MODS)));
}

// A drag with the mouse selects from the gap before the residue pressed to the gap after
// the one let go, across the spaces between groups and the end of a line.
TEST_F(MainWindowTest, TheMouseSelectsResiduesInTheSequencePane)
{
    m_pWindow->ShowWindow(SW_SHOW);
    const HWND hPane = ::GetDlgItem(m_pWindow->m_hWnd, CMainWindow::IDC_SEQUENCE_PANE);
    const CSequencePane* pPane = static_cast<CSequencePane*>(CWnd::FromHandlePermanent(hPane));
    ASSERT_NE(nullptr, pPane);
    const int nPerLine = pPane->GetResiduesPerLine();
    ASSERT_EQ(0, nPerLine % 10);
    CSize charSize;
    {
        CClientDC dc(CWnd::FromHandle(hPane));
        dc.SelectStockObject(ANSI_FIXED_FONT);
        charSize = dc.GetTextExtent("W");
    }
    // The 0-based residue's left (or right) edge: a 4-pixel margin, the name's line, a
    // space after each group of ten.
    const auto edge = [&](int nResidue, bool bRight) {
        const int nInLine = nResidue % nPerLine;
        const int x = 4 + (nInLine + nInLine / 10) * charSize.cx + (bRight ? charSize.cx - 1 : 1);
        const int y = 4 + (1 + nResidue / nPerLine) * charSize.cy + charSize.cy / 2;
        return MAKELPARAM(x, y);
    };
    // Residue 11, the second group's first, to the fifth of the second line.
    ::PostMessageA(hPane, WM_LBUTTONDOWN, MK_LBUTTON, edge(10, false));
    ::PostMessageA(hPane, WM_MOUSEMOVE, MK_LBUTTON, edge(nPerLine + 9, true));
    ::PostMessageA(hPane, WM_LBUTTONUP, 0, edge(nPerLine + 4, true));
    PumpMessages();
    EXPECT_EQ(hPane, ::GetFocus());
    EXPECT_EQ("11-" + std::to_string(nPerLine + 5), RangeFromSelection());
}

// At the least size and larger, every pane is inside the window, not empty and apart from
// the others; a panel cut short scrolls to the field Tab goes to. The status bar says how
// a run ended.
TEST_F(MainWindowTest, EveryPaneHasRoomAtEverySize)
{
    m_pWindow->ShowWindow(SW_SHOW);
    SetForm("Trypsin", "3", IDC_SORT_POSITION);
    m_pWindow->SendMessage(WM_COMMAND, CMainWindow::ID_ANALYSIS_RUN);
    char szState[64] = "";
    ::SendDlgItemMessageA(m_pWindow->m_hWnd, CMainWindow::IDC_STATUS_BAR, SB_GETTEXTA, 1, (LPARAM)szState);
    EXPECT_STREQ("Run ended: 3 fragments found", szState);
    m_pWindow->SelectRecord(0);  // the table emptied, the run's end goes too
    ::SendDlgItemMessageA(m_pWindow->m_hWnd, CMainWindow::IDC_STATUS_BAR, SB_GETTEXTA, 1, (LPARAM)szState);
    EXPECT_STREQ("", szState);
    m_pWindow->SendMessage(WM_COMMAND, CMainWindow::ID_ANALYSIS_RUN);
    const int panes[] = {1,
                         CMainWindow::IDC_DIGEST_PANEL,
                         CMainWindow::IDC_RECORD_LABEL,
                         CMainWindow::IDC_RECORD_LIST,
                         CMainWindow::IDC_SEQUENCE_PANE,
                         CMainWindow::IDC_CLEAVAGE_MAP,
                         CMainWindow::IDC_RESULT_LIST,
                         CMainWindow::IDC_MASSES_PANE,
                         CMainWindow::IDC_MATCH_LIST,
                         CMainWindow::IDC_STATUS_BAR};
    struct Size
    {
        int cx, cy;    // asked for
        int nShownCx;  // what the window takes
        int nShownCy;
    };
    // 600 x 400 is below the least, 640 x 480.
    for (const Size& size : {Size{600, 400, 640, 480}, Size{1024, 768, 1024, 768}, Size{1280, 1000, 1280, 1000}})
    {
        SCOPED_TRACE(std::to_string(size.cx) + " x " + std::to_string(size.cy));
        m_pWindow->MoveWindow(0, 0, size.cx, size.cy);
        PumpMessages();
        CRect rcWindow;
        m_pWindow->GetWindowRect(&rcWindow);
        EXPECT_EQ(size.nShownCx, rcWindow.Width());
        EXPECT_EQ(size.nShownCy, rcWindow.Height());
        CRect rcClient;
        m_pWindow->GetClientRect(&rcClient);
        std::vector<CRect> placed;
        for (int nID : panes)
        {
            SCOPED_TRACE(nID);
            const HWND hPane = ::GetDlgItem(m_pWindow->m_hWnd, nID);
            ASSERT_NE((HWND)NULL, hPane);
            CRect rcPane;
            ::GetWindowRect(hPane, &rcPane);
            ::MapWindowPoints(NULL, m_pWindow->m_hWnd, (LPPOINT)&rcPane, 2);
            CRect rcInside;
            EXPECT_TRUE(rcPane.Width() > 0 && rcPane.Height() > 0);
            EXPECT_TRUE(rcInside.IntersectRect(&rcPane, &rcClient) && rcInside == rcPane);
            for (const CRect& rcOther : placed)
                EXPECT_FALSE(rcInside.IntersectRect(&rcPane, &rcOther));
            placed.push_back(rcPane);
        }
        const HWND hPanel = ::GetDlgItem(m_pWindow->m_hWnd, CMainWindow::IDC_DIGEST_PANEL);
        ::SetFocus(PanelField(CDigestPanel::IDC_MIN_MASS));
        Press(VK_TAB);
        ASSERT_EQ(PanelField(CDigestPanel::IDC_MAX_MASS), ::GetFocus());
        CRect rcField;
        ::GetWindowRect(::GetFocus(), &rcField);
        ::MapWindowPoints(NULL, hPanel, (LPPOINT)&rcField, 2);
        CRect rcPanel;
        ::GetClientRect(hPanel, &rcPanel);
        CRect rcShown;
        EXPECT_TRUE(rcShown.IntersectRect(&rcField, &rcPanel) && rcShown == rcField);
    }
}

// Help > About: the workbench's version, and the module's from its version resource.
TEST_F(MainWindowTest, AboutShowsTheVersionsOfTheWorkbenchAndTheModule)
{
    MessageBoxScript script;
    script.Answer(IDOK);
    m_pWindow->SendMessage(WM_COMMAND, CMainWindow::ID_HELP_ABOUT);
    ASSERT_EQ(1u, script.Calls().size());
    EXPECT_STREQ("Cleavage Workbench " CLEAVAGE_VERSION_TEXT "\n\nCleavagePlugin.tsplugin " CLEAVAGE_VERSION_TEXT,
                 script.Calls()[0].strText);
    EXPECT_EQ((UINT)(MB_OK | MB_ICONINFORMATION), script.Calls()[0].nType);
}

// Help > Read Me opens the read-me the build puts beside the program: Wine has no program
// for Markdown, so Notepad shows it. A file that cannot be opened is named with the reason.
TEST_F(MainWindowTest, ReadMeOpensInNotepadOrNamesTheReason)
{
    m_pWindow->SendMessage(WM_COMMAND, CMainWindow::ID_HELP_READ_ME);
    HWND hNotepad = NULL;
    ASSERT_TRUE(PumpUntil([&hNotepad] { return (hNotepad = ::FindWindowA("Notepad", "README.md - Notepad")) != NULL; },
                          20000));
    ::PostMessageA(hNotepad, WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil([hNotepad] { return !::IsWindow(hNotepad); }, 10000));

    MessageBoxScript script;
    script.Answer(IDOK);
    const CString strMissing = m_scratch.PathOf("README.md");
    EXPECT_FALSE(m_pWindow->OpenDocument(strMissing));
    ASSERT_EQ(1u, script.Calls().size());
    EXPECT_STREQ("Cannot open " + strMissing + ": " + AfxGetSystemErrorText(ERROR_FILE_NOT_FOUND),
                 script.Calls()[0].strText);
}

// Modules that are not plug-ins are named with the system's reason; the good one loads.
TEST(PlugInSetTest, ModulesThatCannotServeAreNamedWithTheReason)
{
    ScratchFolder scratch;
    WriteWholeFile(scratch.PathOf("Text.tsplugin"), "not a module\n");
    ASSERT_TRUE(CopyFileA(ProgramFolder() + "\\TessaroUtils.dll", scratch.PathOf("Utils.tsplugin"), FALSE));
    ASSERT_TRUE(CopyFileA(ProgramFolder() + "\\CleavagePlugin.tsplugin", scratch.PathOf("Cleavage.tsplugin"), FALSE));
    CPlugInSet plugIns;
    CStringList lstErrors;
    plugIns.Load(scratch.GetPath(), CPkMol::kProteinKind, lstErrors);
    EXPECT_EQ(1u, plugIns.GetAnalyses().size());
    ASSERT_EQ(2, lstErrors.GetCount());
    // Each message names the file, then gives the system's reason.
    const CString strNotModule = lstErrors.GetHead();
    const CString strNoEntry = lstErrors.GetTail();
    const CString strNotModulePrefix = "Cannot load the plug-in " + scratch.PathOf("Text.tsplugin") + ": ";
    const CString strNoEntryPrefix = "The plug-in " + scratch.PathOf("Utils.tsplugin") + " has no GetPlugIn: ";
    EXPECT_EQ(0, strNotModule.Find(strNotModulePrefix)) << (LPCSTR)strNotModule;
    EXPECT_GT(strNotModule.GetLength(), strNotModulePrefix.GetLength() + 3) << (LPCSTR)strNotModule;
    EXPECT_EQ(0, strNoEntry.Find(strNoEntryPrefix)) << (LPCSTR)strNoEntry;
    EXPECT_GT(strNoEntry.GetLength(), strNoEntryPrefix.GetLength() + 3) << (LPCSTR)strNoEntry;
}

// Every program and DLL the workbench ships with carries the project's version, in
// numbers and as text, and its own file name; a file without a version resource is named
// with the reason.
TEST(VersionResourceTest, EachShippedFileCarriesTheProjectVersion)
{
    const LPCSTR files[] = {"CleavagePlugin.tsplugin", "Workbench.exe", "Cleavage.exe", "Toolkit.dll",
                            "TessaroDB.dll",           "TessaroUtils.dll", "libsrv.dll"};
    for (LPCSTR lpszFile : files)
    {
        SCOPED_TRACE(lpszFile);
        const CString strPath = ProgramFolder() + "\\" + lpszFile;
        CString strVersion;
        CString strError;
        EXPECT_TRUE(GetFileVersionText(strPath, strVersion, strError)) << (LPCSTR)strError;
        EXPECT_STREQ(CLEAVAGE_VERSION_TEXT, strVersion);
        DWORD dwHandle = 0;
        std::vector<BYTE> info(GetFileVersionInfoSizeA(strPath, &dwHandle));
        ASSERT_TRUE(!info.empty() && GetFileVersionInfoA(strPath, 0, (DWORD)info.size(), info.data()));
        const auto value = [&info](LPCSTR lpszName) {
            char* pszValue = NULL;
            UINT nLength = 0;
            const CString strKey = CString("\\StringFileInfo\\040904b0\\") + lpszName;
            return VerQueryValueA(info.data(), strKey, (void**)&pszValue, &nLength) ? CString(pszValue)
                                                                                     : CString("(none)");
        };
        EXPECT_STREQ(CLEAVAGE_VERSION_TEXT, value("FileVersion"));
        EXPECT_STREQ(CLEAVAGE_VERSION_TEXT, value("ProductVersion"));
        EXPECT_STREQ("Cleavage Plug-in", value("ProductName"));
        EXPECT_STREQ(lpszFile, value("OriginalFilename"));
    }
    const CString strTests = ProgramFolder() + "\\workbench_tests.exe";
    CString strVersion;
    CString strError;
    EXPECT_FALSE(GetFileVersionText(strTests, strVersion, strError));
    EXPECT_EQ(0, strError.Find(strTests + ": the version cannot be read: ")) << (LPCSTR)strError;
}

// A peak list opened into the Masses pane is matched to every fragment of the digest,
// whatever Best N shows: the matches table is the engine's (Cleavage.exe gives these rows
// for the same settings and file), the values without a candidate are named, and Export
// Results writes the matches beside the fragments; an empty pane matches nothing, and the
// panel's background cleavage reaches the matching.
TEST_F(MainWindowTest, ObservedMassesAreMatchedShownAndExportedBesideTheFragments)
{
    SetForm("Trypsin", "3", IDC_SORT_POSITION);
    ASSERT_TRUE(m_pWindow->OpenMasses(ProgramFolder() + "\\samples\\hemoglobin-tryptic.masses"));
    m_pWindow->SendMessage(WM_COMMAND, CMainWindow::ID_ANALYSIS_RUN);
    const std::string fragments = ShownTable();
    EXPECT_EQ(3, std::count(fragments.begin(), fragments.end(), '\n'));
    // Probability and share in percent; an unmatched value says so in the sequence's column.
    const char kNone[] = "\t\t\t(no fragment within the tolerance)\t\t\t\t\t\t\t\n";
    EXPECT_EQ("952.5098\t\t951.502524\t1520\t1\t8\tVHLTPEEK\t\t951.502547\t-0.02\t-0.000023\t100\t100\t1\n"
              "1314.6648\t\t1313.657524\t3400\t18\t30\tVNVDEVGGEALGR\t\t1313.657544\t-0.02\t-0.000020\t100\t100\t1\n"
              "1274.7256\t\t1273.718324\t2810\t31\t40\tLLVVYPWTQR\t\t1273.718295\t0.02\t0.000029\t100\t100\t1\n"
              "2058.9477\t\t2057.940424\t950\t41\t59\tFFESFGDLSTPDAVMGNPK\t\t2057.940444\t-0.01\t-0.000020\t100\t100\t1\n"
              "1529.7343\t\t1528.727024\t2200" + std::string(kNone) +
              "1833.8919\t\t1832.884624\t1300" + kNone + "1487.7013\t\t1486.694024\t120" + kNone,
              ShownTable(CMainWindow::IDC_MATCH_LIST));
    EXPECT_EQ("Run matched 4 of 7 observed values; residues covered by the first-ranked candidates: 34 %.\n"
              "Unmatched: 1529.7343, 1833.8919, 1487.7013",
              MatchSummary());

    // The engine's texts, in the order shown, beside each format's file.
    ASSERT_TRUE(m_pWindow->ExportResults(m_scratch.PathOf("fragments.tsv")));
    EXPECT_EQ("observed\tcharge\tobserved_mass\textra_1\tstart\tend\tsequence\tmodifications\tmass\terror_ppm\t"
              "error_da\tprobability\tshare\trank\r\n"
              "952.5098\t\t951.502524\t1520\t1\t8\tVHLTPEEK\t\t951.502547\t-0.02\t-0.000023\t1\t1.0000\t1\r\n"
              "1314.6648\t\t1313.657524\t3400\t18\t30\tVNVDEVGGEALGR\t\t1313.657544\t-0.02\t-0.000020\t1\t1.0000\t1\r\n"
              "1274.7256\t\t1273.718324\t2810\t31\t40\tLLVVYPWTQR\t\t1273.718295\t0.02\t0.000029\t1\t1.0000\t1\r\n"
              "2058.9477\t\t2057.940424\t950\t41\t59\tFFESFGDLSTPDAVMGNPK\t\t2057.940444\t-0.01\t-0.000020\t1\t1.0000\t"
              "1\r\n"
              "1529.7343\t\t1528.727024\t2200\t\t\t\t\t\t\t\t\t\t\r\n"
              "1833.8919\t\t1832.884624\t1300\t\t\t\t\t\t\t\t\t\t\r\n"
              "1487.7013\t\t1486.694024\t120\t\t\t\t\t\t\t\t\t\t\r\n",
              ReadWholeFile(m_scratch.PathOf("fragments.matches.tsv")));
    ASSERT_TRUE(m_pWindow->ExportResults(m_scratch.PathOf("fragments.csv")));
    EXPECT_EQ(0u, ReadWholeFile(m_scratch.PathOf("fragments.matches.csv"))
                      .find("observed,charge,observed_mass,extra_1,start,end,sequence,modifications,mass,error_ppm,"
                            "error_da,probability,share,rank\r\n"
                            "952.5098,,951.502524,1520,1,8,VHLTPEEK,,951.502547,-0.02,-0.000023,1,1.0000,1\r\n"));

    SetMasses(" \r\n");
    m_pWindow->SendMessage(WM_COMMAND, CMainWindow::ID_ANALYSIS_RUN);
    EXPECT_EQ("", ShownTable(CMainWindow::IDC_MATCH_LIST));
    EXPECT_EQ("", MatchSummary());
    ASSERT_TRUE(m_pWindow->ExportResults(m_scratch.PathOf("plain.tsv")));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(m_scratch.PathOf("plain.matches.tsv")));

    // LLVVYPWTQ ends at no site: only the panel's background cleavage makes it a fragment.
    SetMasses("1118.6245\r\n");
    m_pWindow->SendMessage(WM_COMMAND, CMainWindow::ID_ANALYSIS_RUN);
    EXPECT_EQ("Unmatched: 1118.6245", MatchSummary().substr(MatchSummary().find('\n') + 1));
    SetPanelField(CDigestPanel::IDC_BACKGROUND, "1");
    m_pWindow->SendMessage(WM_COMMAND, CMainWindow::ID_ANALYSIS_RUN);
    EXPECT_EQ("1118.6245\t\t1117.617224\t31\t39\tLLVVYPWTQ\t\t1117.617184\t0.04\t0.000040\t0.92\t100\t1\n",
              ShownTable(CMainWindow::IDC_MATCH_LIST));
}

// A value or choice the engine would refuse stops the run before it starts, with the
// engine's message naming the pane's line or field, the focus there, and the last
// results kept.
TEST_F(MainWindowTest, ARefusedMassStopsTheRunNamingThePanesLine)
{
    SetForm("Trypsin", "3", IDC_SORT_POSITION);
    SetMasses("952.5098\r\n");
    m_pWindow->SendMessage(WM_COMMAND, CMainWindow::ID_ANALYSIS_RUN);
    const std::string table = ShownTable();
    const std::string matches = ShownTable(CMainWindow::IDC_MATCH_LIST);
    ASSERT_NE("", matches);
    const struct
    {
        LPCSTR lpszValues;
        int nObserved;  // [M+H]+, neutral, m/z
        LPCSTR lpszTolerance;
        int nField;
        LPCSTR lpszMessageStart;
    } refused[] = {
        // Comments and blank lines count as lines of the pane.
        {"# peaks\r\n952.5098\r\n\r\n1000,5\r\n", 0, "20ppm", CMassesPane::IDC_MASSES,
         "Masses, line 4: \"1000,5\" is not a number"},
        {"952.5098 2+\r\n", 0, "20ppm", CMassesPane::IDC_MASSES,
         "Masses, line 1: 952.5098 has charge 2+, so it is an m/z"},
        {"476.7586\r\n", 2, "20ppm", CMassesPane::IDC_MASSES, "Masses, line 1: an m/z needs its charge"},
        {"# only a comment\r\n", 1, "20ppm", CMassesPane::IDC_MASSES, "Masses: the mass list holds no value"},
        {"952.5098\r\n", 0, "20 furlongs", CMassesPane::IDC_TOLERANCE, "Tolerance: "},
    };
    for (const auto& field : refused)
    {
        SCOPED_TRACE(field.lpszValues);
        SetMasses(field.lpszValues, field.nObserved, field.lpszTolerance);
        MessageBoxScript script;
        script.Answer(IDOK);
        m_pWindow->SendMessage(WM_COMMAND, CMainWindow::ID_ANALYSIS_RUN);
        ASSERT_EQ(1u, script.Calls().size());
        EXPECT_EQ(0, script.Calls()[0].strText.Find(field.lpszMessageStart)) << (LPCSTR)script.Calls()[0].strText;
        EXPECT_EQ(MassesField(field.nField), ::GetFocus());
        EXPECT_EQ(table, ShownTable());
        EXPECT_EQ(matches, ShownTable(CMainWindow::IDC_MATCH_LIST));
    }
}

// Selecting a row of the matches table picks its observed value's candidates together,
// on the map and among the fragments the table shows; a value without candidates picks
// none. A semi-specific digest at 0.5 % gives 952.5098 four candidates.
TEST_F(MainWindowTest, SelectingAMatchPicksItsValuesCandidatesTogether)
{
    SetForm("Trypsin", "1000", IDC_SORT_POSITION);
    ::SendMessageA(PanelField(CDigestPanel::IDC_SPECIFICITY), CB_SETCURSEL, 1, 0);
    SetMasses("952.5098\r\n1274.7256\r\n1314.6648\r\n20000.5\r\n", 0, "0.5%");
    m_pWindow->SendMessage(WM_COMMAND, CMainWindow::ID_ANALYSIS_RUN);
    const HWND hMatches = ::GetDlgItem(m_pWindow->m_hWnd, CMainWindow::IDC_MATCH_LIST);
    const HWND hFragments = ::GetDlgItem(m_pWindow->m_hWnd, CMainWindow::IDC_RESULT_LIST);
    const CCleavageMap* pMap =
        static_cast<CCleavageMap*>(CWnd::FromHandlePermanent(::GetDlgItem(m_pWindow->m_hWnd, CMainWindow::IDC_CLEAVAGE_MAP)));
    ASSERT_NE(nullptr, pMap);
    typedef std::vector<std::pair<int, int>> Spans;
    const auto selectedFragments = [&] {
        Spans spans;
        for (int nItem = -1; (nItem = (int)::SendMessageA(hFragments, LVM_GETNEXTITEM, nItem, LVNI_SELECTED)) >= 0;)
        {
            char szStart[16] = "";
            char szEnd[16] = "";
            ListView_GetItemText(hFragments, nItem, 0, szStart, sizeof(szStart));
            ListView_GetItemText(hFragments, nItem, 1, szEnd, sizeof(szEnd));
            spans.emplace_back(atoi(szStart), atoi(szEnd));
        }
        std::sort(spans.begin(), spans.end());
        return spans;
    };
    const struct
    {
        int nRow;  // of the matches table
        Spans picked;
    } cases[] = {
        {2, {{1, 8}, {34, 40}, {67, 76}, {135, 144}}},  // the third candidate of 952.5098
        {4, {{31, 40}}},                                 // 1274.7256's only one
        {6, {{18, 30}, {67, 79}}},                       // the second of 1314.6648's two
        {7, {}},                                         // 20000.5 has none
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nRow);
        ListView_SetItemState(hMatches, -1, 0, LVIS_SELECTED);
        ListView_SetItemState(hMatches, c.nRow, LVIS_SELECTED, LVIS_SELECTED);
        Spans picked = pMap->GetPickedSpans();
        std::sort(picked.begin(), picked.end());
        EXPECT_EQ(c.picked, picked);
        EXPECT_EQ(c.picked, selectedFragments());
    }
}
