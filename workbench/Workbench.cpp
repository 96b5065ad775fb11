// The workbench: a host application that loads the analyses beside it the way the host
// does. With /batch it analyses a FASTA file without showing a window; otherwise it
// shows the first analysis's settings form in its main window, with the files named on
// the command line opened.
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
                fprintf(stderr, "%s\nUsage: %s\n", (LPCSTR)strError, (LPCSTR)BatchUsage());
                m_nExitCode = kBatchExitUsage;
                return FALSE;
            }
            m_nExitCode = RunBatch(plugIn, options);
            return FALSE;
        }
        m_pWindow.reset(new CMainWindow(plugIn, m_plugIns.GetModulePath(plugIn)));
        if (!m_pWindow->Create())
        {
            Report(bBatch, "Cannot make the main window: " + AfxGetSystemErrorText(GetLastError()));
            m_nExitCode = 1;
            return FALSE;
        }
        m_pMainWnd = m_pWindow.get();
        m_pWindow->ShowWindow(m_nCmdShow);
        OpenCommandLineFiles();
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
    // Workbench.exe [FASTA] [/settings FILE] [/masses FILE] [/run]: the files are opened
    // at once, and with /run the molecule is analysed when all opened.
    void OpenCommandLineFiles()
    {
        BOOL bOpened = TRUE;
        BOOL bRun = FALSE;
        for (int i = 1; i < __argc; ++i)
        {
            if (strcmp(__argv[i], "/run") == 0)
                bRun = TRUE;
            else if (strcmp(__argv[i], "/settings") == 0 && i + 1 < __argc)
                bOpened = m_pWindow->OpenSettings(__argv[++i]) && bOpened;
            else if (strcmp(__argv[i], "/masses") == 0 && i + 1 < __argc)
                bOpened = m_pWindow->OpenMasses(__argv[++i]) && bOpened;
            else
                bOpened = m_pWindow->OpenFasta(__argv[i]) && bOpened;
        }
        if (bRun && bOpened)
            m_pWindow->PostMessage(WM_COMMAND, CMainWindow::ID_ANALYSIS_RUN);
    }

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
