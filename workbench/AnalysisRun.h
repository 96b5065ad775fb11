// One run of an analysis on one molecule: the parameter file in a scratch folder of its
// own, the launch through RunAnalysis, the wait for the engine and its table.
#pragma once
#include <TessaroDB.h>
#include <functional>

class CAnalysisRun
{
public:
    // Called while the engine runs, about ten times a second; FALSE cancels the run.
    typedef std::function<BOOL()> ProgressAction;

    CAnalysisRun();
    // Removes the scratch folder and what the run wrote into it.
    ~CAnalysisRun();
    CAnalysisRun(const CAnalysisRun&) = delete;
    CAnalysisRun& operator=(const CAnalysisRun&) = delete;

    // Writes the settings (the record's storage) with the molecule and the result file as
    // the parameter file, starts the analysis and waits for the engine, pumping messages.
    // TRUE with the engine's tables; FALSE with the launch error, the engine's message or
    // the reason the run stopped in GetError().
    BOOL Run(CAnalysisPlugIn& plugIn, const CKeyValueStorage& settings, LPCSTR lpszMolName, LPCSTR lpszSequence,
             const ProgressAction& onProgress = ProgressAction());

    const CString& GetTable() const { return m_strTable; }
    const CString& GetSites() const { return m_strSites; }
    const CString& GetError() const { return m_strError; }

private:
    BOOL WaitForEngine(DWORD dwProcessId, const ProgressAction& onProgress);
    CString PathOf(LPCSTR lpszName) const { return m_strFolder + "\\" + lpszName; }

    CString m_strFolder;
    CString m_strTable;
    CString m_strSites;
    CString m_strError;
};

// The whole file as text; FALSE when it cannot be read, with the reason in *pstrError.
BOOL ReadTextFile(LPCSTR lpszPath, CString& strText, CString* pstrError = NULL);
// Writes the text as the whole file; FALSE with strError set when it cannot, and the
// file as it was.
BOOL WriteTextFile(LPCSTR lpszPath, const CString& strText, CString& strError);
