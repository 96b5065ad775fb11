#include "AnalysisRun.h"
#include <fstream>
#include <sstream>

namespace
{
const char kParameterFile[] = "parameters.txt";
const char kResultFile[] = "result.tsv";
const char kSitesFile[] = "result.sites.tsv";
const char kErrorFile[] = "result.tsv.error";
const char kParameterErrorFile[] = "parameters.txt.error";
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

BOOL WriteTextFile(LPCSTR lpszPath, const CString& strText, CString& strError)
{
    // The text goes to a file beside the target first, which then replaces it: a failed
    // write leaves whatever file the user had as it was.
    const CString strTemporary = CString(lpszPath) + ".saving";
    HANDLE hFile = CreateFileA(strTemporary, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    BOOL bWritten = FALSE;
    if (hFile != INVALID_HANDLE_VALUE)
    {
        DWORD dwWritten = 0;
        bWritten = WriteFile(hFile, (LPCSTR)strText, (DWORD)strText.GetLength(), &dwWritten, NULL) &&
                   dwWritten == (DWORD)strText.GetLength();
        bWritten = CloseHandle(hFile) && bWritten;
        bWritten = bWritten && MoveFileExA(strTemporary, lpszPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    }
    if (!bWritten)
    {
        const DWORD dwError = GetLastError();
        DeleteFileA(strTemporary);
        strError.Format("Cannot write %s: %s", lpszPath, (LPCSTR)AfxGetSystemErrorText(dwError));
    }
    return bWritten;
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
    for (LPCSTR lpszName : {kParameterFile, kResultFile, kSitesFile, kErrorFile, kParameterErrorFile})
        DeleteFileA(PathOf(lpszName));
    RemoveDirectoryA(m_strFolder);
}

BOOL CAnalysisRun::Run(CAnalysisPlugIn& plugIn, const CKeyValueStorage& settings, LPCSTR lpszMolName,
                       LPCSTR lpszSequence, const ProgressAction& onProgress)
{
    m_strTable.Empty();
    m_strSites.Empty();
    m_strError.Empty();
    if (!CreateDirectoryA(m_strFolder, NULL) && GetLastError() != ERROR_ALREADY_EXISTS)
    {
        m_strError = "Cannot make the folder " + m_strFolder + ": " + AfxGetSystemErrorText(GetLastError());
        return FALSE;
    }
    CKeyValueStorage parameters = settings;
    parameters.SetValue("molecule_name", CString(lpszMolName));
    parameters.SetValue("sequence", CString(lpszSequence));
    parameters.SetValue("result_file", CString(kResultFile));
    const CString strParameterFile = PathOf(kParameterFile);
    if (!WriteTextFile(strParameterFile, parameters.ToText(), m_strError))
        return FALSE;

    const DWORD dwProcessId = plugIn.RunAnalysis(strParameterFile);
    if (dwProcessId == 0xFFFFFFFF)
    {
        m_strError = plugIn.GetErrorText();
        return FALSE;
    }
    if (!WaitForEngine(dwProcessId, onProgress))
        return FALSE;
    if (ReadTextFile(PathOf(kResultFile), m_strTable))
    {
        // The engine writes both tables or neither.
        if (ReadTextFile(PathOf(kSitesFile), m_strSites))
            return TRUE;
        m_strError = "The engine wrote its fragment table but no site table (" + PathOf(kSitesFile) + ").";
        m_strTable.Empty();
        return FALSE;
    }
    if (!ReadTextFile(PathOf(kErrorFile), m_strError) && !ReadTextFile(PathOf(kParameterErrorFile), m_strError))
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
