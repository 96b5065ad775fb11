// The workbench's main window: the analysis's settings form on the left, the molecule's
// sequence and the last run's fragment table on the right. File > Open FASTA reads a
// file (its first record becomes the molecule); Run (F5) analyses it, and Cancel (Esc)
// ends the engine of a run going on. Lock makes the form read-only; Range from Selection
// gives the form the residues selected in the sequence pane.
#pragma once
#include "Fasta.h"
#include <TessaroDB.h>
#include <afxwin.h>
#include <memory>

class CMainWindow : public CWnd
{
public:
    enum
    {
        ID_FILE_OPEN_FASTA = 100,
        ID_FILE_EXIT,
        ID_ANALYSIS_RUN,
        ID_ANALYSIS_CANCEL,
        ID_ANALYSIS_LOCK,
        ID_ANALYSIS_RANGE_FROM_SELECTION,
        IDC_SEQUENCE_PANE = 200,
        IDC_RESULT_PANE,
    };

    explicit CMainWindow(CAnalysisPlugIn& plugIn);
    ~CMainWindow() override;

    BOOL Create();
    // Makes the file's first record the molecule and loads the form for it; FALSE with
    // a message to the user when the file cannot be read.
    BOOL OpenFasta(LPCSTR lpszPath);

protected:
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The window is the application's member; its end ends the program.
    void PostNcDestroy() override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnOpenFasta();
    afx_msg void OnExit();
    afx_msg void OnRun();
    afx_msg void OnCancelRun();
    afx_msg void OnLock();
    afx_msg void OnRangeFromSelection();
    DECLARE_MESSAGE_MAP()

private:
    void LoadForm();

    CAnalysisPlugIn& m_plugIn;
    CWnd* m_pEditor = NULL;
    CWnd m_sequencePane;
    CWnd m_resultPane;
    HACCEL m_hAccelerators = NULL;
    HFONT m_hFixedFont = NULL;
    CFastaRecord m_molecule;
    std::unique_ptr<CPkMol> m_pMol;
    std::unique_ptr<CAnalysisHeaderBase> m_pHeader;
    std::unique_ptr<CAnalysisData> m_pData;
    std::unique_ptr<CAnalysisContext> m_pContext;
    BOOL m_bRunning = FALSE;
    BOOL m_bCancelled = FALSE;  // Cancel was chosen during the run
    BOOL m_bLocked = FALSE;     // the form is read-only
    HMENU m_hAnalysisMenu = NULL;
    int m_nSequenceOffset = 0;  // characters of the sequence pane before the first residue
};
