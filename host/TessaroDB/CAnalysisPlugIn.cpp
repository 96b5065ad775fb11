#include "CAnalysisPlugIn.h"
#include "MainDir.h"

DWORD CAnalysisPlugIn::StartProcess(LPCSTR lpszProgram, LPCSTR lpszArguments)
{
    CString strProgram = lpszProgram;
    if (strProgram.Find('\\') < 0 && strProgram.Find('/') < 0 && strProgram.Find(':') < 0)
        strProgram = MAINDIR.GetPath() + "\\" + strProgram;

    // CreateProcessA may write into the command line, so it gets a buffer of its own.
    CString strCommandLine;
    strCommandLine.Format("\"%s\" %s", (LPCSTR)strProgram, lpszArguments ? lpszArguments : "");

    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(strProgram, strCommandLine.GetBuffer(0), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return 0xFFFFFFFF;

    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return pi.dwProcessId;
}
