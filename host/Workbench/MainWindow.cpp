#include "MainWindow.h"
#include "AnalysisRun.h"
#include <commdlg.h>

namespace
{
const int kFormWidth = 590;
const char kTitle[] = "Cleavage Workbench";

// Edit controls show line breaks only as CR LF.
CString WithCrLf(const CString& strText)
{
    CString strShown;
    for (int i = 0; i < strText.GetLength(); ++i)
    {
        if (strText[i] == '\n')
            strShown += '\r';
        strShown += strText[i];
    }
    return strShown;
}
}

BEGIN_MESSAGE_MAP(CMainWindow, CWnd)
    ON_WM_SIZE()
    ON_COMMAND(ID_FILE_OPEN_FASTA, OnOpenFasta)
    ON_COMMAND(ID_FILE_EXIT, OnExit)
    ON_COMMAND(ID_ANALYSIS_RUN, OnRun)
    ON_COMMAND(ID_ANALYSIS_CANCEL, OnCancelRun)
    ON_COMMAND(ID_ANALYSIS_LOCK, OnLock)
    ON_COMMAND(ID_ANALYSIS_RANGE_FROM_SELECTION, OnRangeFromSelection)
END_MESSAGE_MAP()

CMainWindow::CMainWindow(CAnalysisPlugIn& plugIn) : m_plugIn(plugIn)
{
    m_molecule.strName = "(no molecule)";
}

CMainWindow::~CMainWindow()
{
    if (m_hAccelerators != NULL)
        DestroyAcceleratorTable(m_hAccelerators);
    if (m_hFixedFont != NULL)
        DeleteObject(m_hFixedFont);
}

BOOL CMainWindow::Create()
{
    HMENU hFile = CreatePopupMenu();
    AppendMenuA(hFile, MF_STRING, ID_FILE_OPEN_FASTA, "&Open FASTA...\tCtrl+O");
    AppendMenuA(hFile, MF_SEPARATOR, 0, NULL);
    AppendMenuA(hFile, MF_STRING, ID_FILE_EXIT, "E&xit");
    HMENU hAnalysis = CreatePopupMenu();
    AppendMenuA(hAnalysis, MF_STRING, ID_ANALYSIS_RUN, "&Run\tF5");
    AppendMenuA(hAnalysis, MF_STRING, ID_ANALYSIS_CANCEL, "&Cancel\tEsc");
    AppendMenuA(hAnalysis, MF_SEPARATOR, 0, NULL);
    AppendMenuA(hAnalysis, MF_STRING, ID_ANALYSIS_RANGE_FROM_SELECTION, "Range from &Selection");
    AppendMenuA(hAnalysis, MF_STRING, ID_ANALYSIS_LOCK, "&Lock Settings");
    m_hAnalysisMenu = hAnalysis;
    HMENU hMenu = CreateMenu();
    AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hFile, "&File");
    AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hAnalysis, "&Analysis");
    ACCEL accelerators[] = {
        {FVIRTKEY | FCONTROL, 'O', ID_FILE_OPEN_FASTA},
        {FVIRTKEY, VK_F5, ID_ANALYSIS_RUN},
        {FVIRTKEY, VK_ESCAPE, ID_ANALYSIS_CANCEL},
    };
    m_hAccelerators = CreateAcceleratorTableA(accelerators, (int)(sizeof(accelerators) / sizeof(accelerators[0])));

    if (!CreateEx(0, AfxRegisterWndClass(0, LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)), kTitle,
                  WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 1016, 700, NULL, hMenu))
        return FALSE;
    const DWORD dwPaneStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL;
    m_sequencePane.Attach(CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", dwPaneStyle, 0, 0, 0, 0, m_hWnd,
                                          (HMENU)IDC_SEQUENCE_PANE, GetModuleHandleA(NULL), NULL));
    m_resultPane.Attach(CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", dwPaneStyle | WS_HSCROLL | ES_AUTOHSCROLL, 0, 0,
                                        0, 0, m_hWnd, (HMENU)IDC_RESULT_PANE, GetModuleHandleA(NULL), NULL));
    VERIFY(m_sequencePane.m_hWnd != NULL && m_resultPane.m_hWnd != NULL);
    m_hFixedFont = (HFONT)GetStockObject(ANSI_FIXED_FONT);
    m_resultPane.SendMessage(WM_SETFONT, (WPARAM)m_hFixedFont);
    m_sequencePane.SendMessage(WM_SETFONT, (WPARAM)m_hFixedFont);
    m_hFixedFont = NULL;  // a stock object, not deleted

    m_pEditor = m_plugIn.CreateEditor(this);
    if (m_pEditor == NULL)
        AfxMessageBox("The analysis could not make its settings form.", MB_OK | MB_ICONEXCLAMATION);
    LoadForm();
    CRect rcClient;
    GetClientRect(&rcClient);
    OnSize(SIZE_RESTORED, rcClient.Width(), rcClient.Height());
    return TRUE;
}

void CMainWindow::PostNcDestroy()
{
    // The panes' windows ended with this one.
    m_sequencePane.Detach();
    m_resultPane.Detach();
    PostQuitMessage(0);
}

void CMainWindow::OnSize(UINT /*nType*/, int cx, int cy)
{
    const int nFormWidth = cx > kFormWidth * 2 ? kFormWidth : cx / 2;
    if (m_pEditor != NULL)
        m_pEditor->MoveWindow(0, 0, nFormWidth, cy);
    if (m_sequencePane.m_hWnd != NULL)
        m_sequencePane.MoveWindow(nFormWidth, 0, cx - nFormWidth, cy / 4);
    if (m_resultPane.m_hWnd != NULL)
        m_resultPane.MoveWindow(nFormWidth, cy / 4, cx - nFormWidth, cy - cy / 4);
}

BOOL CMainWindow::PreTranslateMessage(MSG* pMsg)
{
    return TranslateAcceleratorA(m_hWnd, m_hAccelerators, pMsg) || CWnd::PreTranslateMessage(pMsg);
}

// A new molecule gets a new settings record, and the form shows it.
void CMainWindow::LoadForm()
{
    m_pContext.reset();
    m_pData.reset();
    m_pHeader.reset();
    m_pMol.reset(new CPkMol(m_molecule.strName, m_molecule.strSequence.GetLength()));
    m_pHeader.reset(new CAnalysisHeaderBase(m_pMol.get()));
    m_pData.reset(m_plugIn.CreateData(m_pHeader.get()));
    m_pContext.reset(new CAnalysisContext(m_pHeader.get(), m_pData.get()));
    if (m_pEditor != NULL)
    {
        m_plugIn.ExchangeData(m_pEditor, m_pContext.get(), FALSE);
        m_plugIn.SetReadOnly(m_pEditor, m_pContext.get(), m_bLocked);
    }
    SetWindowText(CString(kTitle) + " - " + m_molecule.strName);
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
    m_molecule = records.front();
    const CString strHeader = ">" + m_molecule.strName + "\r\n";
    m_nSequenceOffset = strHeader.GetLength();
    m_sequencePane.SetWindowText(strHeader + m_molecule.strSequence);
    m_resultPane.SetWindowText("");
    LoadForm();
    return TRUE;
}

void CMainWindow::OnOpenFasta()
{
    char szPath[MAX_PATH] = "";
    OPENFILENAMEA open = {};
    open.lStructSize = sizeof(open);
    open.hwndOwner = m_hWnd;
    open.lpstrFilter = "FASTA files (*.fasta;*.fa;*.faa)\0*.fasta;*.fa;*.faa\0All files\0*.*\0";
    open.lpstrFile = szPath;
    open.nMaxFile = MAX_PATH;
    open.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (GetOpenFileNameA(&open))
        OpenFasta(szPath);
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
    m_plugIn.ExchangeData(m_pEditor, m_pContext.get(), TRUE);
    m_pData->StoreSettings();
    m_bRunning = TRUE;
    m_bCancelled = FALSE;
    m_resultPane.SetWindowText("");
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
        run.Run(m_plugIn, m_pData->m_Storage, m_molecule.strName, m_molecule.strSequence, showProgress);
    m_bRunning = FALSE;
    if (m_hWnd == NULL)
        return;
    SetWindowText(CString(kTitle) + " - " + m_molecule.strName);
    if (bDone)
        m_resultPane.SetWindowText(WithCrLf(run.GetTable()));
    else
        AfxMessageBox(run.GetError(), MB_OK | MB_ICONEXCLAMATION);
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
    CheckMenuItem(m_hAnalysisMenu, ID_ANALYSIS_LOCK, m_bLocked ? MF_CHECKED : MF_UNCHECKED);
}

void CMainWindow::OnRangeFromSelection()
{
    DWORD dwStart = 0;
    DWORD dwEnd = 0;
    m_sequencePane.SendMessage(EM_GETSEL, (WPARAM)&dwStart, (LPARAM)&dwEnd);
    const int nFirst = (int)dwStart - m_nSequenceOffset + 1;
    const int nLast = (int)dwEnd - m_nSequenceOffset;
    if (m_pEditor == NULL || m_molecule.strSequence.IsEmpty() || nFirst < 1 || nLast < nFirst)
    {
        AfxMessageBox("Select residues in the sequence pane first.", MB_OK | MB_ICONINFORMATION);
        return;
    }
    m_plugIn.SetRange(m_pEditor, m_molecule.strName, CPkMol::kProteinKind, nFirst, nLast);
}
