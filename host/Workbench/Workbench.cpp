// The workbench: a host application that loads the analyses beside it the way the host
// does. With /batch it analyses a FASTA file without showing a window; otherwise it
// shows the first analysis's settings form in its main window.
#include "Batch.h"
#include "PlugIns.h"
#include <afxwin.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{
class CWorkbenchWnd : public CWnd
{
public:
    // Makes the window with the analysis's settings form filling it.
    BOOL Create(CAnalysisPlugIn& plugIn)
    {
        if (!CreateEx(0, AfxRegisterWndClass(0, LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)),
                      "Cleavage Workbench", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 700, 520, NULL, NULL))
            return FALSE;
        m_pEditor = plugIn.CreateEditor(this);
        if (m_pEditor != NULL)
        {
            CRect rcClient;
            GetClientRect(&rcClient);
            m_pEditor->MoveWindow(&rcClient);
        }
        return TRUE;
    }

protected:
    afx_msg void OnSize(UINT /*nType*/, int cx, int cy)
    {
        if (m_pEditor != NULL)
            m_pEditor->MoveWindow(CRect(0, 0, cx, cy));
    }
    // The window is a member of the application; its end ends the program.
    void PostNcDestroy() override { PostQuitMessage(0); }
    DECLARE_MESSAGE_MAP()

private:
    CWnd* m_pEditor = NULL;
};

BEGIN_MESSAGE_MAP(CWorkbenchWnd, CWnd)
    ON_WM_SIZE()
END_MESSAGE_MAP()

class CWorkbenchApp : public CWinApp
{
public:
    CWorkbenchApp() : CWinApp("Cleavage Workbench") {}

    BOOL InitInstance() override
    {
        const bool bBatch = __argc > 1 && strcmp(__argv[1], "/batch") == 0;
        CStringList lstErrors;
        m_plugIns.Load(GetProgramFolder(), CPkMol::kProteinKind, lstErrors);
        for (POSITION pos = lstErrors.GetHeadPosition(); pos != NULL;)
            Report(bBatch, lstErrors.GetNext(pos));
        if (m_plugIns.GetAnalyses().empty())
        {
            Report(bBatch, "No analysis of proteins was found beside " + GetProgramFolder() + ".");
            m_nExitCode = 1;
            return FALSE;
        }
        CAnalysisPlugIn& plugIn = *m_plugIns.GetAnalyses().front();
        if (bBatch)
        {
            CBatchOptions options;
            CString strError;
            if (!ParseBatchOptions(__argc - 2, __argv + 2, options, strError))
            {
                fprintf(stderr, "%s\nUsage: %s\n", (LPCSTR)strError, kBatchUsage);
                m_nExitCode = 2;
                return FALSE;
            }
            m_nExitCode = RunBatch(plugIn, options);
            return FALSE;
        }
        if (!m_window.Create(plugIn))
        {
            Report(bBatch, "Cannot make the main window: " + AfxGetSystemErrorText(GetLastError()));
            m_nExitCode = 1;
            return FALSE;
        }
        m_pMainWnd = &m_window;
        m_window.ShowWindow(m_nCmdShow);
        return TRUE;
    }

    int ExitInstance() override
    {
        if (m_window.m_hWnd != NULL)
            m_window.DestroyWindow();
        return CWinApp::ExitInstance();
    }

private:
    static void Report(bool bBatch, const CString& strMessage)
    {
        if (bBatch)
            fprintf(stderr, "%s\n", (LPCSTR)strMessage);
        else
            AfxMessageBox(strMessage, MB_OK | MB_ICONEXCLAMATION);
    }

    CPlugInSet m_plugIns;
    CWorkbenchWnd m_window;
};

CWorkbenchApp theApp;
}

int main()
{
    return AfxWinMain(GetModuleHandleA(NULL), GetCommandLineA(), SW_SHOWNORMAL);
}
