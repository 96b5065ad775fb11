#include "MainWindow.h"
#include "AnalysisRun.h"
#include "CleavageVersion.h"
#include "FormMessages.h"
#include "PlugIns.h"
#include <Reagent.h>
#include <algorithm>
#include <commctrl.h>
#include <commdlg.h>
#include <resource.h>
#include <shellapi.h>

namespace
{
const char kTitle[] = "Cleavage Workbench";
const char kFastaFilter[] = "FASTA files (*.fasta;*.fa;*.faa)\0*.fasta;*.fa;*.faa\0All files\0*.*\0";
const char kSettingsFilter[] = "Settings files (*.settings)\0*.settings\0All files\0*.*\0";
const char kResultsFilter[] = "Tab-separated tables (*.tsv)\0*.tsv\0Comma-separated tables (*.csv)\0*.csv\0";
const char kNotChanged[] = "\n\nThe settings were not changed.";
const int kGap = 4;
const int kRecordRowHeight = 26;
const int kRecordLabelWidth = 52;
const int kMapHeight = 150;
const int kMinTableHeight = 120;
// A short window takes room from the map before the settings form and the panel.
const int kMinMapHeight = 110;
// The sequence pane keeps room for a group of ten residues and its scroll bar.
const int kMinSequenceWidth = 140;
// The status bar's second part, the state of the last run.
const int kRunStateWidthPx = 240;
// The smallest window every pane is visible in (the form and the panel scroll).
const int kMinWindowWidth = 640;
const int kMinWindowHeight = 480;

// One side of a reagent as its record keys hold it: "P1 KR P1' {P}", each pattern's cells
// with their positions (patterns apart by " | ", "." for any residue), and the efficiency.
CString DescribeSide(const CKeyValueStorage& settings, const CString& strSide)
{
    int nBegin = 0;
    int nCount = 0;
    int nEfficiency = 0;
    CStringList lstCells;
    settings.GetValue(strSide + "_begining", nBegin);
    settings.GetValue(strSide + "_count", nCount);
    settings.GetValue(strSide + "_probability", nEfficiency);
    settings.GetValues(strSide + "_list", lstCells);
    CString strText;
    int nCell = 0;
    for (POSITION pos = lstCells.GetHeadPosition(); pos != NULL && nCount > 0; ++nCell)
    {
        const CString strCell = lstCells.GetNext(pos);
        if (nCell > 0)
            strText += nCell % nCount == 0 ? " | " : " ";
        strText += CString(cleavage::PositionLabel(nBegin + nCell % nCount).c_str()) + " " + (strCell.IsEmpty() ? CString(".") : strCell);
    }
    CString strEfficiency;
    strEfficiency.Format(" at %d %%", nEfficiency);
    return strSide + " " + (strText.IsEmpty() ? CString("none") : strText) + strEfficiency;
}

// Opens the file through the shell, without the shell's own error boxes. FALSE with the
// last error set; nResult is the shell's result (SE_ERR_NOASSOC: no program for the type).
BOOL ShellOpen(HWND hOwner, LPCSTR lpszFile, LPCSTR lpszParameters, INT_PTR& nResult)
{
    SHELLEXECUTEINFOA execute = {};
    execute.cbSize = sizeof(execute);
    execute.fMask = SEE_MASK_FLAG_NO_UI;
    execute.hwnd = hOwner;
    execute.lpVerb = "open";
    execute.lpFile = lpszFile;
    execute.lpParameters = lpszParameters;
    execute.nShow = SW_SHOWNORMAL;
    const BOOL bOpened = ShellExecuteExA(&execute);
    nResult = (INT_PTR)execute.hInstApp;
    return bOpened;
}
}

BEGIN_MESSAGE_MAP(CMainWindow, CWnd)
    ON_WM_ACTIVATE()
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
    ON_COMMAND(ID_FILE_OPEN_FASTA, OnOpenFasta)
    ON_COMMAND(ID_FILE_OPEN_SETTINGS, OnOpenSettings)
    ON_COMMAND(ID_FILE_SAVE_SETTINGS, OnSaveSettings)
    ON_COMMAND(ID_FILE_EXPORT_RESULTS, OnExportResults)
    ON_COMMAND(ID_FILE_EXIT, OnExit)
    ON_COMMAND(ID_ANALYSIS_RUN, OnRun)
    ON_COMMAND(ID_ANALYSIS_CANCEL, OnCancelRun)
    ON_COMMAND(ID_ANALYSIS_LOCK, OnLock)
    ON_COMMAND(ID_ANALYSIS_RANGE_FROM_SELECTION, OnRangeFromSelection)
    ON_COMMAND(ID_HELP_READ_ME, OnHelpReadMe)
    ON_COMMAND(ID_HELP_ABOUT, OnHelpAbout)
    ON_CONTROL(CBN_SELCHANGE, IDC_RECORD_LIST, OnRecordChange)
    ON_COMMAND(ID_REAGENT_CHOSEN, OnReagentChosen)
END_MESSAGE_MAP()

CMainWindow::CMainWindow(CAnalysisPlugIn& plugIn, const CString& strPlugInModule)
    : m_plugIn(plugIn), m_strPlugInModule(strPlugInModule)
{
    m_molecule.strName = "(no molecule)";
}

CMainWindow::~CMainWindow()
{
    if (m_hAccelerators != NULL)
        DestroyAcceleratorTable(m_hAccelerators);
}

BOOL CMainWindow::Create()
{
    HMENU hFile = CreatePopupMenu();
    AppendMenuA(hFile, MF_STRING, ID_FILE_OPEN_FASTA, "&Open FASTA...\tCtrl+O");
    AppendMenuA(hFile, MF_SEPARATOR, 0, NULL);
    AppendMenuA(hFile, MF_STRING, ID_FILE_OPEN_SETTINGS, "Open &Settings...");
    AppendMenuA(hFile, MF_STRING, ID_FILE_SAVE_SETTINGS, "Sa&ve Settings...\tCtrl+S");
    AppendMenuA(hFile, MF_SEPARATOR, 0, NULL);
    AppendMenuA(hFile, MF_STRING, ID_FILE_EXPORT_RESULTS, "&Export Results...\tCtrl+E");
    AppendMenuA(hFile, MF_SEPARATOR, 0, NULL);
    AppendMenuA(hFile, MF_STRING, ID_FILE_EXIT, "E&xit");
    HMENU hAnalysis = CreatePopupMenu();
    AppendMenuA(hAnalysis, MF_STRING, ID_ANALYSIS_RUN, "&Run\tF5");
    AppendMenuA(hAnalysis, MF_STRING, ID_ANALYSIS_CANCEL, "&Cancel\tEsc");
    AppendMenuA(hAnalysis, MF_SEPARATOR, 0, NULL);
    AppendMenuA(hAnalysis, MF_STRING, ID_ANALYSIS_RANGE_FROM_SELECTION, "Range from &Selection");
    AppendMenuA(hAnalysis, MF_STRING, ID_ANALYSIS_LOCK, "&Lock Settings");
    m_hAnalysisMenu = hAnalysis;
    HMENU hHelp = CreatePopupMenu();
    AppendMenuA(hHelp, MF_STRING, ID_HELP_READ_ME, "&Read Me");
    AppendMenuA(hHelp, MF_SEPARATOR, 0, NULL);
    AppendMenuA(hHelp, MF_STRING, ID_HELP_ABOUT, "&About " + CString(kTitle) + "...");
    HMENU hMenu = CreateMenu();
    AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hFile, "&File");
    AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hAnalysis, "&Analysis");
    AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hHelp, "&Help");
    ACCEL accelerators[] = {
        {FVIRTKEY | FCONTROL, 'O', ID_FILE_OPEN_FASTA},
        {FVIRTKEY | FCONTROL, 'S', ID_FILE_SAVE_SETTINGS},
        {FVIRTKEY | FCONTROL, 'E', ID_FILE_EXPORT_RESULTS},
        {FVIRTKEY, VK_F5, ID_ANALYSIS_RUN},
        {FVIRTKEY, VK_ESCAPE, ID_ANALYSIS_CANCEL},
    };
    m_hAccelerators = CreateAcceleratorTableA(accelerators, (int)(sizeof(accelerators) / sizeof(accelerators[0])));

    // As large as the work area allows, up to a size that shows the form, the sequence
    // and a table of fragments without scrolling.
    CRect rcWork;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    const int cx = std::min(1240, (int)rcWork.Width());
    const int cy = std::min(900, (int)rcWork.Height());
    if (!CreateEx(0, AfxRegisterWndClass(0, LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)), kTitle,
                  WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, rcWork.left + (rcWork.Width() - cx) / 2,
                  rcWork.top + (rcWork.Height() - cy) / 2, cx, cy, NULL, hMenu))
        return FALSE;
    const HINSTANCE hInstance = GetModuleHandleA(NULL);
    m_recordLabel.Attach(CreateWindowExA(0, "STATIC", "&Record:", WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE, 0, 0, 0, 0,
                                         m_hWnd, (HMENU)IDC_RECORD_LABEL, hInstance, NULL));
    m_recordList.Attach(CreateWindowExA(0, "COMBOBOX", "",
                                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 0, 0,
                                        0, m_hWnd, (HMENU)IDC_RECORD_LIST, hInstance, NULL));
    // No size grip: the status bar does not move it when the window is maximised, and the
    // window's frame sizes it.
    m_statusBar.Attach(CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, m_hWnd,
                                       (HMENU)IDC_STATUS_BAR, hInstance, NULL));
    VERIFY(m_recordLabel.m_hWnd != NULL && m_recordList.m_hWnd != NULL && m_statusBar.m_hWnd != NULL);
    VERIFY(m_sequencePane.Create(WS_VISIBLE | WS_TABSTOP, CRect(), this, IDC_SEQUENCE_PANE));
    VERIFY(m_digestPanel.Create(this, IDC_DIGEST_PANEL));
    VERIFY(m_cleavageMap.Create(WS_VISIBLE | WS_BORDER, CRect(), this, IDC_CLEAVAGE_MAP));
    VERIFY(m_resultsView.Create(WS_VISIBLE | WS_BORDER | WS_TABSTOP, CRect(), this, IDC_RESULT_LIST));
    // Stock fonts, never deleted; residues line up in the fixed one.
    const WPARAM hGuiFont = (WPARAM)GetStockObject(DEFAULT_GUI_FONT);
    m_recordLabel.SendMessage(WM_SETFONT, hGuiFont);
    m_recordList.SendMessage(WM_SETFONT, hGuiFont);
    m_recordList.EnableWindow(FALSE);

    // A form that refused (another workbench was reading the library) is made anew.
    CStringList lstMessages;
    RunFormStep(
        [this]() {
            if (m_pEditor != NULL)
                m_pEditor->DestroyWindow();
            m_pEditor = m_plugIn.CreateEditor(this);
            return m_pEditor != NULL;
        },
        lstMessages);
    ShowMessages(lstMessages);
    if (m_pEditor == NULL)
        AfxMessageBox("The analysis could not make its settings form.", MB_OK | MB_ICONEXCLAMATION);
    else
    {
        VERIFY(SetWindowSubclass(m_pEditor->m_hWnd, WatchFormProc, 0, (DWORD_PTR)m_hWnd));
        // Tab goes into the form's controls and out again, as into the panel's.
        ::SetWindowLongA(m_pEditor->m_hWnd, GWL_EXSTYLE,
                         ::GetWindowLongA(m_pEditor->m_hWnd, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    }
    ArrangeTabOrder();
    LoadForm();
    CRect rcClient;
    GetClientRect(&rcClient);
    OnSize(SIZE_RESTORED, rcClient.Width(), rcClient.Height());
    return TRUE;
}

void CMainWindow::PostNcDestroy()
{
    // The child windows ended with this one.
    m_recordLabel.Detach();
    m_recordList.Detach();
    m_statusBar.Detach();
}

// The window's keys are decided here, for the whole window: the accelerators work wherever
// the focus is, and Tab and Shift+Tab go through the controls of every pane. The form is a
// child dialog whose IsDialogMessage would take these keys and keep Tab inside the form;
// the toolkit's form lets its parents see a key first, as MFC's does, and keeps the
// dialog keys that stay inside it (arrows in a group, Enter, mnemonics).
BOOL CMainWindow::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    // An open drop-down list keeps its keys: Esc closes it.
    const HWND hFocus = ::GetFocus();
    char szClass[16] = "";
    if (hFocus != NULL && ::GetClassNameA(hFocus, szClass, sizeof(szClass)) && _stricmp(szClass, "ComboBox") == 0 &&
        ::SendMessageA(hFocus, CB_GETDROPPEDSTATE, 0, 0))
        return FALSE;
    if (TranslateAcceleratorA(m_hWnd, m_hAccelerators, pMsg))
        return TRUE;
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 &&
        GetKeyState(VK_MENU) >= 0)
    {
        MoveFocus(GetKeyState(VK_SHIFT) < 0);
        return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}

// The children's order is the tab order: the form, the panel, the records, the sequence,
// the map and the table, as they are read.
void CMainWindow::ArrangeTabOrder()
{
    const HWND panes[] = {m_pEditor != NULL ? m_pEditor->m_hWnd : NULL,
                          m_digestPanel.m_hWnd,
                          m_recordLabel.m_hWnd,
                          m_recordList.m_hWnd,
                          m_sequencePane.m_hWnd,
                          m_cleavageMap.m_hWnd,
                          m_resultsView.m_hWnd,
                          m_statusBar.m_hWnd};
    HWND hAfter = HWND_TOP;
    for (HWND hPane : panes)
    {
        if (hPane == NULL)
            continue;
        VERIFY(::SetWindowPos(hPane, hAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE));
        hAfter = hPane;
    }
}

// The next (or previous) tab stop of the whole window, the form's and the panel's controls
// included (they are control parents). As in a dialog, a field is entered with its text
// selected (not the sequence, whose selection is the range to take), and from the first
// key on the focus is marked.
void CMainWindow::MoveFocus(BOOL bPrevious)
{
    const HWND hFocus = ::GetFocus();
    const HWND hNext = ::GetNextDlgTabItem(m_hWnd, ::IsChild(m_hWnd, hFocus) ? hFocus : NULL, bPrevious);
    if (hNext == NULL)
        return;
    if ((::SendMessageA(hNext, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) &&
        !(::GetWindowLongA(hNext, GWL_STYLE) & ES_MULTILINE))
        ::SendMessageA(hNext, EM_SETSEL, 0, -1);
    ::SetFocus(hNext);
    // A panel cut by a short window scrolls to the field the focus went to.
    if (::IsChild(m_digestPanel.m_hWnd, hNext))
        m_digestPanel.ScrollIntoView(hNext);
    SendMessage(WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS));
}

// A window that is not a dialog gets the focus itself when it is activated again (after a
// message box, a dialog, another program): the control the user was in gets it back.
void CMainWindow::OnActivate(UINT nState, CWnd* /*pWndOther*/, BOOL bMinimized)
{
    if (nState == WA_INACTIVE)
    {
        const HWND hFocus = ::GetFocus();
        m_hWndFocus = ::IsChild(m_hWnd, hFocus) ? hFocus : NULL;
    }
    else if (!bMinimized && m_hWndFocus != NULL && ::IsWindow(m_hWndFocus) && ::IsChild(m_hWnd, m_hWndFocus))
        ::SetFocus(m_hWndFocus);
    else
        Default();
}

// The form keeps its controls' notifications; the workbench watches them from a subclass
// of its own. A change of the list's selection, New, Edit and Remove (they refill the list
// or change the library's record) and Delete in the list (it removes) may change the
// chosen reagent: the status bar reads it again once the form has handled the message.
LRESULT CALLBACK CMainWindow::WatchFormProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR /*uIdSubclass*/, DWORD_PTR dwRefData)
{
    const UINT nID = LOWORD(wParam);
    const UINT nCode = HIWORD(wParam);
    const BOOL bCommand = nMsg == WM_COMMAND && lParam != 0 &&
                          ((nID == IDC_REAGENT_LIST && nCode == LBN_SELCHANGE) ||
                           (nCode == BN_CLICKED && (nID == IDC_NEW_REAGENT || nID == IDC_EDIT_REAGENT ||
                                                    nID == IDC_REMOVE_REAGENT)));
    // Posted after the form's handler, whose dialog or message box has a loop of its own.
    const LRESULT lResult = DefSubclassProc(hWnd, nMsg, wParam, lParam);
    if (bCommand || (nMsg == WM_VKEYTOITEM && nID == VK_DELETE))
        VERIFY(::PostMessageA((HWND)dwRefData, WM_COMMAND, ID_REAGENT_CHOSEN, 0));
    return lResult;
}

// The form's own size: a form that scrolls knows it; another gets the usual size of one.
CSize CMainWindow::GetFormSize() const
{
    if (m_pEditor != NULL && m_pEditor->IsKindOf(RUNTIME_CLASS(CScrollView)))
    {
        const CSize total = static_cast<CScrollView*>(m_pEditor)->GetTotalSize();
        if (total.cx > 0 && total.cy > 0)
            return CSize(total.cx + GetSystemMetrics(SM_CXVSCROLL), total.cy + GetSystemMetrics(SM_CYHSCROLL));
    }
    return CSize(640, 460);
}

// The form keeps its size where the window allows it (it scrolls where it cannot); the
// panel for mass spectrometry (it scrolls when it is cut), then the records and the
// sequence sit beside it, and the map and the fragment table fill the width below.
void CMainWindow::OnSize(UINT /*nType*/, int cx, int cy)
{
    // The status bar places itself at the bottom.
    if (m_statusBar.m_hWnd != NULL)
    {
        m_statusBar.SendMessage(WM_SIZE);
        const int parts[] = {std::max(0, cx - kRunStateWidthPx), -1};
        m_statusBar.SendMessage(SB_SETPARTS, 2, (LPARAM)parts);
        CRect rcStatus;
        m_statusBar.GetWindowRect(&rcStatus);
        cy = std::max(0, cy - (int)rcStatus.Height());
    }
    const CSize formSize = GetFormSize();
    const CSize panelSize = CDigestPanel::GetIdealSize();
    // Room for the top row and the map above the table's least height.
    const int nSpare = cy - 3 * kGap - kMinTableHeight;
    const int nTop = std::max(0, std::min((int)std::max(formSize.cy, panelSize.cy), nSpare - kMinMapHeight));
    const int nPanelWidth = panelSize.cx + (nTop < panelSize.cy ? GetSystemMetrics(SM_CXVSCROLL) : 0);
    const int nFormWidth =
        std::max(0, std::min((int)formSize.cx, cx - nPanelWidth - kMinSequenceWidth - 3 * kGap));
    const int nRight = nFormWidth + kGap + nPanelWidth + kGap;
    const int nRightWidth = std::max(0, cx - nRight - kGap);
    const int nWidth = std::max(0, cx - 2 * kGap);
    if (m_pEditor != NULL)
        m_pEditor->MoveWindow(0, 0, nFormWidth, nTop);
    if (m_resultsView.m_hWnd == NULL)
        return;
    m_digestPanel.MoveWindow(nFormWidth + kGap, 0, nPanelWidth, nTop);
    m_recordLabel.MoveWindow(nRight, kGap, kRecordLabelWidth, kRecordRowHeight - kGap);
    // A drop-down list's height includes its open list.
    m_recordList.MoveWindow(nRight + kRecordLabelWidth, kGap, std::max(0, nRightWidth - kRecordLabelWidth), 240);
    m_sequencePane.MoveWindow(nRight, kRecordRowHeight + kGap, nRightWidth,
                              std::max(0, nTop - kRecordRowHeight - kGap));
    // The map takes what whole rows of the table leave.
    const int nMapHeight = std::max(0, std::min(kMapHeight, nSpare - nTop));
    const int nRoom = std::max(0, cy - nTop - nMapHeight - 3 * kGap);
    const int nTableHeight = GetTableHeight(nRoom);
    m_cleavageMap.MoveWindow(kGap, nTop + kGap, nWidth, nMapHeight + nRoom - nTableHeight);
    m_resultsView.MoveWindow(kGap, cy - kGap - nTableHeight, nWidth, nTableHeight);
    // Without a window manager Wine leaves parts of moved panes unpainted after a
    // maximise; every pane is drawn again.
    VERIFY(RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME));
}

// The panes need a window of at least 640 x 480.
void CMainWindow::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    lpMMI->ptMinTrackSize.x = std::max((int)lpMMI->ptMinTrackSize.x, kMinWindowWidth);
    lpMMI->ptMinTrackSize.y = std::max((int)lpMMI->ptMinTrackSize.y, kMinWindowHeight);
}

int CMainWindow::GetTableHeight(int nRoom) const
{
    CRect rcRow;
    rcRow.left = LVIR_BOUNDS;
    if (m_resultsView.GetItemCount() == 0 ||
        !m_resultsView.SendMessage(LVM_GETITEMRECT, 0, (LPARAM)(RECT*)&rcRow) || rcRow.Height() <= 0)
        return nRoom;
    CRect rcHeader;
    m_resultsView.GetHeaderCtrl()->GetWindowRect(&rcHeader);
    CRect rcWindow;
    CRect rcClient;
    m_resultsView.GetWindowRect(&rcWindow);
    m_resultsView.GetClientRect(&rcClient);
    const int nFrame = rcWindow.Height() - rcClient.Height() + rcHeader.Height();
    const int nRows = std::max(1, (nRoom - nFrame) / (int)rcRow.Height());
    return std::min(nRoom, nFrame + nRows * (int)rcRow.Height());
}

// The molecule gets a header of its own, and the form shows it with the user's settings.
// The settings record is made once, by the analysis, and kept from molecule to molecule.
void CMainWindow::LoadForm()
{
    m_pContext.reset();
    m_pMol.reset(new CPkMol(m_molecule.strName, m_molecule.strSequence.GetLength()));
    m_pHeader.reset(new CAnalysisHeaderBase(m_pMol.get()));
    if (!m_pData)
        m_pData.reset(m_plugIn.CreateData(m_pHeader.get()));
    m_pContext.reset(new CAnalysisContext(m_pHeader.get(), m_pData.get()));
    if (m_pEditor != NULL)
    {
        m_plugIn.ExchangeData(m_pEditor, m_pContext.get(), FALSE);
        m_plugIn.SetReadOnly(m_pEditor, m_pContext.get(), m_bLocked);
        ShowChosenReagent();
    }
    SetWindowText(CString(kTitle) + " - " + m_molecule.strName);
}

BOOL CMainWindow::SaveForm()
{
    if (m_pEditor == NULL || !CheckFormFields())
        return FALSE;
    CStringList lstMessages;
    const BOOL bSaved = RunFormStep(
        [this]() {
            m_plugIn.ExchangeData(m_pEditor, m_pContext.get(), TRUE);
            return TRUE;
        },
        lstMessages);
    ShowMessages(lstMessages);
    if (!bSaved)
        return FALSE;
    m_pData->StoreSettings();
    return TRUE;
}

// The form's validated fields check their text when the focus leaves them; the exchange
// would take a refused text as a number all the same (as 0, for "abc"), so each field is
// asked again first, in the form's order. The field keeps the focus when the message has
// been read.
BOOL CMainWindow::CheckFormFields()
{
    for (HWND hChild = ::GetWindow(m_pEditor->m_hWnd, GW_CHILD); hChild != NULL;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        CWnd* pField = CWnd::FromHandlePermanent(hChild);
        if (pField == NULL || !pField->IsKindOf(RUNTIME_CLASS(CValidatedEditEx)))
            continue;
        const CString strMessage = static_cast<CValidatedEditEx*>(pField)->Validate();
        if (strMessage.IsEmpty())
            continue;
        if (pField->IsWindowEnabled())
        {
            pField->SetFocus();
            pField->SendMessage(EM_SETSEL, 0, -1);
        }
        AfxMessageBox(strMessage, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}

BOOL CMainWindow::GetPanelKeys(CEngineKeys& engineKeys)
{
    CString strError;
    if (m_digestPanel.GetEngineKeys(engineKeys, strError))
        return TRUE;
    AfxMessageBox(strError, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

void CMainWindow::ShowMessages(const CStringList& lstMessages)
{
    for (POSITION pos = lstMessages.GetHeadPosition(); pos != NULL;)
        AfxMessageBox(lstMessages.GetNext(pos), MB_OK | MB_ICONEXCLAMATION);
}

// The form's choice goes into a copy of the settings record, the way a run takes it: the
// analysis looks the reagent up in its library. The user's record stays as it was.
void CMainWindow::ShowChosenReagent()
{
    std::unique_ptr<CAnalysisData> pCopy(m_pData->Clone());
    CAnalysisContext context(m_pHeader.get(), pCopy.get());
    CString strStatus;
    {
        CFormMessages messages;
        m_plugIn.ExchangeData(m_pEditor, &context, TRUE);
        if (!messages.GetMessages().IsEmpty())
            strStatus = "The reagent cannot be shown: " + messages.GetMessages().GetHead();
    }
    pCopy->StoreSettings();
    CString strName;
    if (strStatus.IsEmpty() && pCopy->m_Storage.GetValue("enz_name", strName) && !strName.IsEmpty())
        strStatus = strName + ": " + DescribeSide(pCopy->m_Storage, "recognition") + "; " +
                    DescribeSide(pCopy->m_Storage, "exception");
    m_statusBar.SetWindowText(strStatus);
}

BOOL CMainWindow::OpenFasta(LPCSTR lpszPath)
{
    std::vector<CFastaRecord> records;
    CString strError;
    if (!ReadFastaFile(lpszPath, records, strError))
    {
        AfxMessageBox(strError, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    m_records.swap(records);
    char szFullPath[MAX_PATH] = "";
    const DWORD dwLength = GetFullPathNameA(lpszPath, sizeof(szFullPath), szFullPath, NULL);
    m_strFastaPath = dwLength > 0 && dwLength < sizeof(szFullPath) ? szFullPath : lpszPath;
    m_recordList.SendMessage(CB_RESETCONTENT);
    for (const CFastaRecord& record : m_records)
    {
        CString strItem;
        strItem.Format("%s (%d residues)", (LPCSTR)record.strName, record.strSequence.GetLength());
        m_recordList.SendMessage(CB_ADDSTRING, 0, (LPARAM)(LPCSTR)strItem);
    }
    m_recordList.EnableWindow(m_records.size() > 1);
    SelectRecord(0);
    return TRUE;
}

void CMainWindow::SelectRecord(int nRecord)
{
    ASSERT(nRecord >= 0 && nRecord < (int)m_records.size());
    m_recordList.SendMessage(CB_SETCURSEL, nRecord);
    m_molecule = m_records[nRecord];
    m_sequencePane.SetRecord(m_molecule.strName, m_molecule.strSequence);
    m_cleavageMap.SetMolecule(m_molecule.strSequence);
    m_resultsView.Clear();
    // The last run's end would no longer describe the table.
    ShowRunState("");
    LoadForm();
}

void CMainWindow::OnRecordChange()
{
    const int nRecord = (int)m_recordList.SendMessage(CB_GETCURSEL);
    if (nRecord >= 0 && nRecord < (int)m_records.size())
        SelectRecord(nRecord);
}

void CMainWindow::OnReagentChosen()
{
    if (m_pEditor != NULL && m_pData)
        ShowChosenReagent();
}

BOOL CMainWindow::OpenSettings(LPCSTR lpszPath)
{
    if (m_pEditor == NULL)
        return FALSE;
    CString strText;
    CString strError;
    if (!ReadTextFile(lpszPath, strText, &strError))
    {
        AfxMessageBox(strError + kNotChanged, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    // A copy of the record takes the file's values, each key as the record stores it.
    std::unique_ptr<CAnalysisData> pData(m_pData->Clone());
    pData->StoreSettings();
    if (!pData->m_Storage.FromText(strText, strError))
    {
        AfxMessageBox(CString(lpszPath) + ", " + strError + kNotChanged, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    // The panel takes the engine's keys the file holds, or shows why it cannot, before
    // anything changes.
    if (!m_digestPanel.ShowEngineKeys(lpszPath, strError))
    {
        AfxMessageBox(strError + kNotChanged, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    pData->RestoreSettings();
    m_pData = std::move(pData);
    LoadForm();
    return TRUE;
}

BOOL CMainWindow::SaveSettings(LPCSTR lpszPath)
{
    CEngineKeys engineKeys;
    if (!SaveForm() || !GetPanelKeys(engineKeys))
        return FALSE;
    // The record's keys and the panel's, in the form of the engine's parameter file.
    CKeyValueStorage settings = m_pData->m_Storage;
    engineKeys.ApplyTo(settings);
    CString strError;
    if (!WriteTextFile(lpszPath, settings.ToText(), strError))
    {
        AfxMessageBox(strError, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}

BOOL CMainWindow::AskForPath(BOOL bOpen, LPCSTR lpszFilter, LPCSTR lpszDefaultExtension, CString& strPath)
{
    char szPath[MAX_PATH] = "";
    OPENFILENAMEA file = {};
    file.lStructSize = sizeof(file);
    file.hwndOwner = m_hWnd;
    file.lpstrFilter = lpszFilter;
    file.lpstrFile = szPath;
    file.nMaxFile = MAX_PATH;
    file.lpstrDefExt = lpszDefaultExtension;
    // The open FASTA file's folder; the system's choice while none is open.
    const CString strFolder =
        m_strFastaPath.Left(std::max(0, std::max(m_strFastaPath.ReverseFind('\\'), m_strFastaPath.ReverseFind('/'))));
    file.lpstrInitialDir = strFolder.IsEmpty() ? NULL : (LPCSTR)strFolder;
    file.Flags = OFN_HIDEREADONLY | (bOpen ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT);
    if (!(bOpen ? GetOpenFileNameA(&file) : GetSaveFileNameA(&file)))
        return FALSE;
    strPath = szPath;
    return TRUE;
}

BOOL CMainWindow::ExportResults(LPCSTR lpszPath)
{
    CString strError;
    if (m_resultsView.GetShownRows().empty())
        strError = "There are no results to export: run the analysis first (Analysis > Run).";
    else if (m_resultsView.Export(lpszPath, strError))
        return TRUE;
    AfxMessageBox(strError, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

BOOL CMainWindow::OpenDocument(LPCSTR lpszPath)
{
    INT_PTR nResult = 0;
    BOOL bOpened = ShellOpen(m_hWnd, lpszPath, NULL, nResult);
    // Text such as Markdown often has no program of its own.
    if (!bOpened && (nResult == SE_ERR_NOASSOC || GetLastError() == ERROR_NO_ASSOCIATION))
        bOpened = ShellOpen(m_hWnd, "notepad.exe", "\"" + CString(lpszPath) + "\"", nResult);
    if (bOpened)
        return TRUE;
    AfxMessageBox("Cannot open " + CString(lpszPath) + ": " + AfxGetSystemErrorText(GetLastError()),
                  MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

void CMainWindow::OnOpenFasta()
{
    CString strPath;
    if (AskForPath(TRUE, kFastaFilter, NULL, strPath))
        OpenFasta(strPath);
}

void CMainWindow::OnOpenSettings()
{
    CString strPath;
    if (AskForPath(TRUE, kSettingsFilter, NULL, strPath))
        OpenSettings(strPath);
}

void CMainWindow::OnSaveSettings()
{
    CString strPath;
    if (AskForPath(FALSE, kSettingsFilter, "settings", strPath))
        SaveSettings(strPath);
}

void CMainWindow::OnExportResults()
{
    CString strPath;
    if (AskForPath(FALSE, kResultsFilter, "tsv", strPath))
        ExportResults(strPath);
}

void CMainWindow::OnExit()
{
    DestroyWindow();
}

void CMainWindow::OnRun()
{
    if (m_bRunning || m_pEditor == NULL)
        return;
    if (m_molecule.strSequence.IsEmpty())
    {
        AfxMessageBox("Open a FASTA file first (File > Open FASTA).", MB_OK | MB_ICONINFORMATION);
        return;
    }
    // A value the form refuses stops the run; the form has said why. The panel's keys go
    // to the engine with the record's.
    if (!SaveForm())
        return;
    CEngineKeys engineKeys;
    if (!GetPanelKeys(engineKeys))
        return;
    CKeyValueStorage parameters = m_pData->m_Storage;
    engineKeys.ApplyTo(parameters);
    m_bRunning = TRUE;
    m_bCancelled = FALSE;
    m_cleavageMap.Clear();
    m_resultsView.Clear();
    ShowRunState("Running...");
    // The title shows the seconds the engine has been running.
    const DWORD dwStart = GetTickCount();
    auto showProgress = [this, dwStart]() {
        CString strTitle;
        strTitle.Format("%s - %s - running %lu s (Esc cancels)", kTitle, (LPCSTR)m_molecule.strName,
                        (GetTickCount() - dwStart) / 1000);
        SetWindowText(strTitle);
        return !m_bCancelled;
    };
    CAnalysisRun run;
    const BOOL bDone =
        run.Run(m_plugIn, parameters, m_molecule.strName, m_molecule.strSequence, showProgress);
    m_bRunning = FALSE;
    if (m_hWnd == NULL)
        return;
    SetWindowText(CString(kTitle) + " - " + m_molecule.strName);
    CFragmentTable table;
    CString strError = run.GetError();
    if (bDone && table.Parse(run.GetTable(), run.GetSites(), strError))
    {
        m_resultsView.SetResults(table);
        m_cleavageMap.SetResults(table);
        CString strState;
        strState.Format("Run ended: %d fragment%s found", table.GetFragmentCount(),
                        table.GetFragmentCount() == 1 ? "" : "s");
        ShowRunState(strState);
        // The table's rows have their height now: it shows whole rows.
        CRect rcClient;
        GetClientRect(&rcClient);
        OnSize(SIZE_RESTORED, rcClient.Width(), rcClient.Height());
    }
    else
    {
        ShowRunState(m_bCancelled ? "Run cancelled" : "Run ended without results");
        AfxMessageBox(strError, MB_OK | MB_ICONEXCLAMATION);
    }
}

void CMainWindow::ShowRunState(LPCSTR lpszState)
{
    VERIFY(m_statusBar.SendMessage(SB_SETTEXTA, 1, (LPARAM)lpszState));
}

void CMainWindow::OnCancelRun()
{
    m_bCancelled = m_bRunning;
}

void CMainWindow::OnLock()
{
    if (m_pEditor == NULL)
        return;
    m_bLocked = !m_bLocked;
    m_plugIn.SetReadOnly(m_pEditor, m_pContext.get(), m_bLocked);
    m_digestPanel.SetReadOnly(m_bLocked);
    CheckMenuItem(m_hAnalysisMenu, ID_ANALYSIS_LOCK, m_bLocked ? MF_CHECKED : MF_UNCHECKED);
}

void CMainWindow::OnRangeFromSelection()
{
    int nFirst = 0;
    int nLast = 0;
    if (m_pEditor == NULL || m_molecule.strSequence.IsEmpty() || !m_sequencePane.GetSelection(nFirst, nLast))
    {
        AfxMessageBox("Select residues in the sequence pane first.", MB_OK | MB_ICONINFORMATION);
        return;
    }
    m_plugIn.SetRange(m_pEditor, m_molecule.strName, CPkMol::kProteinKind, nFirst, nLast);
    // The form takes the range but leaves Range Only as it was; the command means the range.
    if (!m_bLocked && m_pEditor->IsDlgButtonChecked(IDC_RANGE_ONLY) != BST_CHECKED)
    {
        CWnd* pRangeOnly = m_pEditor->GetDlgItem(IDC_RANGE_ONLY);
        VERIFY(pRangeOnly != NULL);
        pRangeOnly->SendMessage(BM_CLICK);
    }
}

void CMainWindow::OnHelpReadMe()
{
    OpenDocument(GetProgramFolder() + "\\README.md");
}

// The workbench's version, and the analysis module's as its version resource gives it.
void CMainWindow::OnHelpAbout()
{
    CString strVersion;
    CString strModuleLine;  // the module's name and version, or why its version cannot be read
    if (GetFileVersionText(m_strPlugInModule, strVersion, strModuleLine))
        strModuleLine = m_strPlugInModule.Mid(m_strPlugInModule.ReverseFind('\\') + 1) + " " + strVersion;
    AfxMessageBox(CString(kTitle) + " " CLEAVAGE_VERSION_TEXT "\n\n" + strModuleLine, MB_OK | MB_ICONINFORMATION);
}
