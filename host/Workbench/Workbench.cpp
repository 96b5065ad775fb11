// The workbench: a host application that loads the analyses beside it the way the host
// does. With /batch it analyses a FASTA file without showing a window; otherwise it
// shows the first analysis's settings form in its main window, with the FASTA file
// named on the command line opened.
#include "Batch.h"
#include "MainWindow.h"
#include "PlugIns.h"
#include <afxwin.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace
{
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
        m_pWindow.reset(new CMainWindow(plugIn));
        if (!m_pWindow->Create())
        {
            Report(bBatch, "Cannot make the main window: " + AfxGetSystemErrorText(GetLastError()));
            m_nExitCode = 1;
            return FALSE;
        }
        m_pMainWnd = m_pWindow.get();
        m_pWindow->ShowWindow(m_nCmdShow);
        // A FASTA file named on the command line is opened at once, and with /run analysed.
        if (__argc > 1 && m_pWindow->OpenFasta(__argv[1]) && __argc > 2 && strcmp(__argv[2], "/run") == 0)
            m_pWindow->PostMessage(WM_COMMAND, CMainWindow::ID_ANALYSIS_RUN);
        return TRUE;
    }

    int ExitInstance() override
    {
        if (m_pWindow && m_pWindow->m_hWnd != NULL)
            m_pWindow->DestroyWindow();
        m_pWindow.reset();
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
    std::unique_ptr<CMainWindow> m_pWindow;
};

CWorkbenchApp theApp;
}

int main()
{
    return AfxWinMain(GetModuleHandleA(NULL), GetCommandLineA(), SW_SHOWNORMAL);
}
