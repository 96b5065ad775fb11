// One run of an analysis: the parameter file in a scratch folder of its own, the launch
// through RunAnalysis, the wait for the engine and its table. A run is one molecule (the
// window) or a whole FASTA file (the batch).
#pragma once
#include <TessaroDB.h>
#include <functional>

class CAnalysisRun
{
public:
    // Called while the engine runs, about ten times a second; FALSE cancels the run.
    typedef std::function<BOOL()> ProgressAction;

    CAnalysisRun();
    // Removes the scratch folder and everything in it.
    ~CAnalysisRun();
    CAnalysisRun(const CAnalysisRun&) = delete;
    CAnalysisRun& operator=(const CAnalysisRun&) = delete;

    // Writes the settings (the record's storage) with the molecule and the result file as
    // the parameter file, starts the analysis and waits for the engine, pumping messages.
    // TRUE with the engine's tables; FALSE with the launch error, the engine's message or
    // the reason the run stopped in GetError().
    BOOL Run(CAnalysisPlugIn& plugIn, const CKeyValueStorage& settings, LPCSTR lpszMolName, LPCSTR lpszSequence,
             const ProgressAction& onProgress = ProgressAction());
    // The same for every record of a FASTA file in one engine run (the parameter file's
    // fasta key). TRUE with the fragment table left at GetResultPath(), not read; the
    // engine tells its progress and the records it left out on the host's stderr.
    BOOL RunBatch(CAnalysisPlugIn& plugIn, const CKeyValueStorage& settings, LPCSTR lpszFastaPath,
                  const ProgressAction& onProgress = ProgressAction());

    const CString& GetTable() const { return m_strTable; }
    const CString& GetSites() const { return m_strSites; }
    // The matches table, when the settings gave the engine masses; else empty.
    const CString& GetMatches() const { return m_strMatches; }
    const CString& GetError() const { return m_strError; }
    // Makes the run's scratch folder (the runs make it themselves); FALSE with strError set.
    BOOL MakeFolder(CString& strError);
    // A file of the run's scratch folder (removed with it).
    CString PathOf(LPCSTR lpszName) const;
    CString GetResultPath() const;
    // After a batch: the engine left records out (its warning file is there).
    BOOL LeftRecordsOut() const;
    // GetError() is the engine's own message, which it has also written to the host's
    // stderr.
    BOOL IsEngineMessage() const { return m_bEngineMessage; }

private:
    BOOL Start(CAnalysisPlugIn& plugIn, CKeyValueStorage& parameters, const ProgressAction& onProgress);
    BOOL WaitForEngine(DWORD dwProcessId, const ProgressAction& onProgress);

    CString m_strFolder;
    CString m_strTable;
    CString m_strSites;
    CString m_strMatches;
    CString m_strError;
    BOOL m_bEngineMessage = FALSE;
};

// "Cannot write <path>: <reason>"
CString CannotWrite(LPCSTR lpszPath, const CString& strReason);
// The whole file as text; FALSE when it cannot be read, with the reason in *pstrError.
BOOL ReadTextFile(LPCSTR lpszPath, CString& strText, CString* pstrError = NULL);
// Writes the text as the whole file; FALSE with strError set when it cannot, and the
// file as it was.
BOOL WriteTextFile(LPCSTR lpszPath, const CString& strText, CString& strError);
// The name beside lpszPath under which its new content is written before it replaces it.
CString SavingPathOf(LPCSTR lpszPath);
// Replaces lpszPath with its new content at SavingPathOf(lpszPath), in one step; FALSE
// with strError set, the saving file removed and lpszPath as it was.
BOOL ReplaceWithSaved(LPCSTR lpszPath, CString& strError);
