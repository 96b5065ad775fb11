#include "AnalysisRun.h"
#include "ResultFormat.h"
#include <fstream>
#include <sstream>

namespace
{
const char kParameterFile[] = "parameters.txt";
const char kResultFile[] = "result.tsv";
// The engine's files beside them, as the engine names them.
const CString kSitesFile = cleavage::SiteFilePath(kResultFile).c_str();
const CString kWarningFile = cleavage::WarningFilePath(kResultFile).c_str();
const CString kErrorFile = cleavage::ErrorFilePath(kResultFile).c_str();
const CString kParameterErrorFile = cleavage::ErrorFilePath(kParameterFile).c_str();
// What a plug-in's RunAnalysis returns, by the host's convention, when it could not start
// its engine.
const DWORD kRunAnalysisFailed = 0xFFFFFFFF;
}

CString CannotWrite(LPCSTR lpszPath, const CString& strReason)
{
    return "Cannot write " + CString(lpszPath) + ": " + strReason;
}

BOOL ReadTextFile(LPCSTR lpszPath, CString& strText, CString* pstrError)
{
    std::ifstream in(lpszPath, std::ios::binary);
    std::ostringstream text;
    if (in)
        text << in.rdbuf();
    if (!in)
    {
        if (pstrError != NULL)
            pstrError->Format("Cannot read %s: %s", lpszPath, (LPCSTR)AfxGetSystemErrorText(GetLastError()));
        return FALSE;
    }
    strText = text.str().c_str();
    return TRUE;
}

CString SavingPathOf(LPCSTR lpszPath)
{
    return CString(lpszPath) + ".saving";
}

BOOL ReplaceWithSaved(LPCSTR lpszPath, CString& strError)
{
    const CString strSaving = SavingPathOf(lpszPath);
    if (MoveFileExA(strSaving, lpszPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return TRUE;
    const DWORD dwError = GetLastError();
    DeleteFileA(strSaving);
    strError = CannotWrite(lpszPath, AfxGetSystemErrorText(dwError));
    return FALSE;
}

BOOL WriteTextFile(LPCSTR lpszPath, const CString& strText, CString& strError)
{
    // The text goes to a file beside the target first, which then replaces it: a failed
    // write leaves whatever file the user had as it was.
    const CString strSaving = SavingPathOf(lpszPath);
    HANDLE hFile = CreateFileA(strSaving, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    BOOL bWritten = FALSE;
    if (hFile != INVALID_HANDLE_VALUE)
    {
        DWORD dwWritten = 0;
        bWritten = WriteFile(hFile, (LPCSTR)strText, (DWORD)strText.GetLength(), &dwWritten, NULL) &&
                   dwWritten == (DWORD)strText.GetLength();
        bWritten = CloseHandle(hFile) && bWritten;
    }
    if (!bWritten)
    {
        const DWORD dwError = GetLastError();
        DeleteFileA(strSaving);
        strError = CannotWrite(lpszPath, AfxGetSystemErrorText(dwError));
        return FALSE;
    }
    return ReplaceWithSaved(lpszPath, strError);
}

CAnalysisRun::CAnalysisRun()
{
    static LONG nRuns = 0;
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    m_strFolder.Format("%sWorkbench-%lu-%ld", szTemp, GetCurrentProcessId(), InterlockedIncrement(&nRuns));
}


CAnalysisRun::~CAnalysisRun()
{
    // The parameter file, the tables, a warning or error file, the parts of an engine
    // that was stopped.
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA(PathOf("*"), &found);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
                DeleteFileA(PathOf(found.cFileName));
        while (FindNextFileA(hFind, &found));
        FindClose(hFind);
    }
    RemoveDirectoryA(m_strFolder);
}

BOOL CAnalysisRun::MakeFolder(CString& strError)
{
    if (CreateDirectoryA(m_strFolder, NULL) || GetLastError() == ERROR_ALREADY_EXISTS)
        return TRUE;
    strError = "Cannot make the folder " + m_strFolder + ": " + AfxGetSystemErrorText(GetLastError());
    return FALSE;
}

CString CAnalysisRun::PathOf(LPCSTR lpszName) const
{
    return m_strFolder + "\\" + lpszName;
}

CString CAnalysisRun::GetResultPath() const
{
    return PathOf(kResultFile);
}

BOOL CAnalysisRun::LeftRecordsOut() const
{
    return GetFileAttributesA(PathOf(kWarningFile)) != INVALID_FILE_ATTRIBUTES;
}

BOOL CAnalysisRun::Run(CAnalysisPlugIn& plugIn, const CKeyValueStorage& settings, LPCSTR lpszMolName,
                       LPCSTR lpszSequence, const ProgressAction& onProgress)
{
    CKeyValueStorage parameters = settings;
    parameters.SetValue("molecule_name", CString(lpszMolName));
    parameters.SetValue("sequence", CString(lpszSequence));
    if (!Start(plugIn, parameters, onProgress))
        return FALSE;
    if (!ReadTextFile(GetResultPath(), m_strTable, &m_strError))
        return FALSE;
    // The engine writes both tables or neither.
    if (ReadTextFile(PathOf(kSitesFile), m_strSites))
        return TRUE;
    m_strError = "The engine wrote its fragment table but no site table (" + PathOf(kSitesFile) + ").";
    m_strTable.Empty();
    return FALSE;
}

BOOL CAnalysisRun::RunBatch(CAnalysisPlugIn& plugIn, const CKeyValueStorage& settings, LPCSTR lpszFastaPath,
                            const ProgressAction& onProgress)
{
    CKeyValueStorage parameters = settings;
    parameters.SetValue("fasta", CString(lpszFastaPath));
    return Start(plugIn, parameters, onProgress);
}

BOOL CAnalysisRun::Start(CAnalysisPlugIn& plugIn, CKeyValueStorage& parameters, const ProgressAction& onProgress)
{
    m_strTable.Empty();
    m_strSites.Empty();
    m_strError.Empty();
    m_bEngineMessage = FALSE;
    if (!MakeFolder(m_strError))
        return FALSE;
    parameters.SetValue("result_file", CString(kResultFile));
    const CString strParameterFile = PathOf(kParameterFile);
    if (!WriteTextFile(strParameterFile, parameters.ToText(), m_strError))
        return FALSE;

    const DWORD dwProcessId = plugIn.RunAnalysis(strParameterFile);
    if (dwProcessId == kRunAnalysisFailed)
    {
        m_strError = plugIn.GetErrorText();
        return FALSE;
    }
    if (!WaitForEngine(dwProcessId, onProgress))
        return FALSE;
    if (GetFileAttributesA(GetResultPath()) != INVALID_FILE_ATTRIBUTES)
        return TRUE;
    m_bEngineMessage =
        ReadTextFile(PathOf(kErrorFile), m_strError) || ReadTextFile(PathOf(kParameterErrorFile), m_strError);
    if (!m_bEngineMessage)
        m_strError = "The engine ended without writing its table or a message.";
    m_strError.TrimRight();
    return FALSE;
}

BOOL CAnalysisRun::WaitForEngine(DWORD dwProcessId, const ProgressAction& onProgress)
{
    // An engine that has already ended cannot be opened; its files tell how it went.
    HANDLE hProcess = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, dwProcessId);
    if (hProcess == NULL)
        return TRUE;
    BOOL bFinished = TRUE;
    for (;;)
    {
        const DWORD dwWait = MsgWaitForMultipleObjects(1, &hProcess, FALSE, 100, QS_ALLINPUT);
        if (dwWait == WAIT_OBJECT_0)
            break;
        if (!AfxPumpWaitingMessages())
        {
            m_strError = "The program is ending; the engine was stopped.";
            bFinished = FALSE;
        }
        else if (onProgress && !onProgress())
        {
            m_strError = "The run was cancelled.";
            bFinished = FALSE;
        }
        if (!bFinished)
        {
            TerminateProcess(hProcess, 1);
            WaitForSingleObject(hProcess, 5000);
            break;
        }
    }
    CloseHandle(hProcess);
    return bFinished;
}
