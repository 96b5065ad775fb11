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

    // The program shares the host's standard streams, where an engine says how a long
    // run goes and what it left out: it inherits copies of them (a host without them
    // passes none).
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    const DWORD kStreams[] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
    HANDLE hShared[3] = {};
    BOOL bShared = FALSE;
    for (int i = 0; i < 3; ++i)
    {
        const HANDLE hStream = GetStdHandle(kStreams[i]);
        if (hStream != NULL && hStream != INVALID_HANDLE_VALUE &&
            DuplicateHandle(GetCurrentProcess(), hStream, GetCurrentProcess(), &hShared[i], 0, TRUE,
                            DUPLICATE_SAME_ACCESS))
            bShared = TRUE;
    }
    if (bShared)
    {
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = hShared[0];
        si.hStdOutput = hShared[1];
        si.hStdError = hShared[2];
    }
    PROCESS_INFORMATION pi = {};
    const BOOL bStarted =
        CreateProcessA(strProgram, strCommandLine.GetBuffer(0), NULL, NULL, bShared, 0, NULL, NULL, &si, &pi);
    const DWORD dwError = GetLastError();
    for (HANDLE hStream : hShared)
        if (hStream != NULL)
            CloseHandle(hStream);
    if (!bStarted)
    {
        SetLastError(dwError);
        return 0xFFFFFFFF;
    }

    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return pi.dwProcessId;
}
