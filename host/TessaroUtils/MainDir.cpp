#include "MainDir.h"

CPkDirSpec MAINDIR;

CString CPkDirSpec::GetPath() const
{
    char szPath[MAX_PATH];
    const DWORD nOverride = GetEnvironmentVariableA(TESSARO_MAINDIR_VARIABLE, szPath, MAX_PATH);
    if (nOverride > 0 && nOverride < MAX_PATH)
    {
        CString strPath(szPath, (int)nOverride);
        while (!strPath.IsEmpty() && strPath.Right(1) == "\\")
            strPath = strPath.Left(strPath.GetLength() - 1);
        return strPath;
    }

    const DWORD nLength = GetModuleFileNameA(NULL, szPath, MAX_PATH);
    if (nLength == 0 || nLength >= MAX_PATH)
        AfxThrowFileException(CFileException::badPath, (LONG)GetLastError());
    CString strProgram(szPath, (int)nLength);
    return strProgram.Left(strProgram.ReverseFind('\\'));
}
