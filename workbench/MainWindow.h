// The workbench's main window: the analysis's settings form at the top left, the panel
// for mass spectrometry beside it, the Masses pane (observed values to match) beside that,
// then the records of the open FASTA file and the chosen one's sequence, and below them
// the last run's cleavage map, its fragment table and its matches table. File > Open FASTA
// reads a file; Open and Save Settings keep the settings record in a file; Open Masses
// fills the Masses pane; Export Results writes the tables. Run (F5) analyses the chosen
// record, and Cancel (Esc) ends the engine of a run going on. Lock makes the form, the
// panel and the pane read-only; Range from Selection gives the form the residues selected
// in the sequence pane. Selecting a match picks its value's candidates on the map and in
// the fragment table. The status bar shows the chosen reagent's rule and efficiencies.
// Help opens the read-me beside the program and shows the versions of the workbench and
// the analysis module.
#pragma once
#include "CleavageMap.h"
#include "DigestPanel.h"
#include "Fasta.h"
#include "MassesPane.h"
#include "MatchesView.h"
#include "ResultsView.h"
#include "SequencePane.h"
#include <TessaroDB.h>
#include <afxwin.h>
#include <memory>
#include <vector>

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
        ID_FILE_OPEN_SETTINGS,
        ID_FILE_SAVE_SETTINGS,
        ID_FILE_EXPORT_RESULTS,
        ID_HELP_READ_ME,
        ID_HELP_ABOUT,
        ID_REAGENT_CHOSEN,  // posted when the user may have chosen another reagent in the form
        ID_FILE_OPEN_MASSES,
        IDC_SEQUENCE_PANE = 200,
        IDC_RESULT_LIST,
        IDC_RECORD_LIST,
        IDC_RECORD_LABEL,
        IDC_CLEAVAGE_MAP,
        IDC_STATUS_BAR,
        IDC_DIGEST_PANEL,
        IDC_MASSES_PANE,
        IDC_MATCH_LIST,
    };

    // strPlugInModule: the file of the module that holds the analysis.
    CMainWindow(CAnalysisPlugIn& plugIn, const CString& strPlugInModule);
    ~CMainWindow() override;

    BOOL Create();
    // Reads the records of the file and makes the first one the molecule; FALSE with a
    // message to the user when the file cannot be read, and the molecule as it was.
    BOOL OpenFasta(LPCSTR lpszPath);
    // Makes the file's record nRecord (0-based) the molecule and shows it in the form.
    void SelectRecord(int nRecord);
    // Reads a settings file into the record and the form, and the engine's keys it holds
    // into the panel. A file that cannot be read or is damaged: FALSE with a message, and
    // the record, the form and the panel as they were.
    BOOL OpenSettings(LPCSTR lpszPath);
    // Takes the form's values into the record and writes it with the panel's keys; FALSE
    // when the form or the panel refuses them (each says why) or the file cannot be
    // written (a message says why).
    BOOL SaveSettings(LPCSTR lpszPath);
    // Fills the Masses pane with the lines of a mass list; FALSE with a message when the
    // file cannot be read, and the pane as it was.
    BOOL OpenMasses(LPCSTR lpszPath);
    // Writes the fragment table in the order shown: CSV for a .csv name, else TSV; and
    // after a run with masses the matches table beside it, as the engine names it
    // (name.matches.csv for name.csv). FALSE with a message when there is no table or a
    // file cannot be written.
    BOOL ExportResults(LPCSTR lpszPath);
    // Opens a document in the program the system has for its type, or in Notepad where
    // there is none; FALSE with a message naming the file and the system's reason when
    // it cannot be opened.
    BOOL OpenDocument(LPCSTR lpszPath);

protected:
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void PostNcDestroy() override;
    // The subclass on the form that tells the main window (dwRefData) of a possible change of reagent.
    static LRESULT CALLBACK WatchFormProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam, UINT_PTR uIdSubclass,
                                          DWORD_PTR dwRefData);

    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnOpenFasta();
    afx_msg void OnOpenSettings();
    afx_msg void OnOpenMasses();
    afx_msg void OnSaveSettings();
    afx_msg void OnExportResults();
    afx_msg void OnExit();
    afx_msg void OnRun();
    afx_msg void OnCancelRun();
    afx_msg void OnLock();
    afx_msg void OnRangeFromSelection();
    afx_msg void OnRecordChange();
    afx_msg void OnReagentChosen();
    afx_msg void OnMatchChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnHelpReadMe();
    afx_msg void OnHelpAbout();
    DECLARE_MESSAGE_MAP()

private:
    void LoadForm();
    // The form's values into the record, as before a run; FALSE when the form refused.
    BOOL SaveForm();
    // FALSE with the message of the first field of the form that refuses its text, and
    // the focus on that field.
    BOOL CheckFormFields();
    // The panel's choices as the engine's keys; FALSE when it refused (it has said why).
    BOOL GetPanelKeys(CEngineKeys& engineKeys);
    CSize GetFormSize() const;
    // Puts the panes in reading order, the order Tab follows.
    void ArrangeTabOrder();
    // Moves the focus to the next tab stop of the window, or the one before.
    void MoveFocus(BOOL bPrevious);
    // The table's height for the room it has: whole rows, so that none is cut off.
    int GetTableHeight(int nRoom) const;
    // The run's end in the status bar's second part: how many fragments it found.
    void ShowRunState(LPCSTR lpszState);
    // The matches table of a run (empty: the run had no masses) in its pane, on the map
    // and in the Masses pane's summary; FALSE with strError when it is not the engine's.
    BOOL ShowMatches(const CString& strMatches, CString& strError);
    // Shows the reagent the form has chosen, as the analysis's settings record takes it.
    void ShowChosenReagent();
    void ShowMessages(const CStringList& lstMessages);
    // The path the user picks in the system's Open or Save As dialog; FALSE when cancelled.
    BOOL AskForPath(BOOL bOpen, LPCSTR lpszFilter, LPCSTR lpszDefaultExtension, CString& strPath);

    CAnalysisPlugIn& m_plugIn;
    CString m_strPlugInModule;
    CWnd* m_pEditor = NULL;
    CWnd m_recordLabel;
    CWnd m_recordList;
    CSequencePane m_sequencePane;
    CWnd m_statusBar;
    CDigestPanel m_digestPanel;
    CMassesPane m_massesPane;
    CCleavageMap m_cleavageMap;
    CResultsView m_resultsView;
    CMatchesView m_matchesView;
    int m_nPickedValue = -1;  // the observed value whose candidates are picked on the map
    HACCEL m_hAccelerators = NULL;
    HWND m_hWndFocus = NULL;  // the control that had the focus when the window was deactivated
    std::vector<CFastaRecord> m_records;
    CFastaRecord m_molecule;
    std::unique_ptr<CPkMol> m_pMol;
    std::unique_ptr<CAnalysisHeaderBase> m_pHeader;
    // The user's settings: one record for the window's life, shown for each molecule.
    std::unique_ptr<CAnalysisData> m_pData;
    std::unique_ptr<CAnalysisContext> m_pContext;
    BOOL m_bRunning = FALSE;
    BOOL m_bCancelled = FALSE;  // Cancel was chosen during the run
    BOOL m_bLocked = FALSE;     // the form is read-only
    HMENU m_hAnalysisMenu = NULL;
    CString m_strFastaPath;  // the open FASTA file; its folder is where the file dialogs start
};
