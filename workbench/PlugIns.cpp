#include "PlugIns.h"

namespace
{
typedef DWORD (*GetPlugInFunction)(DWORD dwNumber, CAnalysisPlugIn** ppPlugIn);
}

CPlugInSet::~CPlugInSet()
{
    m_analyses.clear();
    for (HMODULE hModule : m_modules)
        FreeLibrary(hModule);
}

void CPlugInSet::Load(const CString& strFolder, int nKind, CStringList& lstErrors)
{
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA(strFolder + "\\*.tsplugin", &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do
    {
        const CString strPath = strFolder + "\\" + found.cFileName;
        HMODULE hModule = LoadLibraryA(strPath);
        if (hModule == NULL)
        {
            lstErrors.AddTail("Cannot load the plug-in " + strPath + ": " + AfxGetSystemErrorText(GetLastError()));
            continue;
        }
        GetPlugInFunction pfnGetPlugIn = (GetPlugInFunction)(void*)GetProcAddress(hModule, "GetPlugIn");
        if (pfnGetPlugIn == NULL)
        {
            lstErrors.AddTail("The plug-in " + strPath + " has no GetPlugIn: " + AfxGetSystemErrorText(GetLastError()));
            FreeLibrary(hModule);
            continue;
        }
        m_modules.push_back(hModule);
        for (DWORD dwNumber = 0;; ++dwNumber)
        {
            CAnalysisPlugIn* pPlugIn = NULL;
            if (pfnGetPlugIn(dwNumber, &pPlugIn) != 0 || pPlugIn == NULL)
                break;
            std::unique_ptr<CAnalysisPlugIn> analysis(pPlugIn);
            if (analysis->IsKindAccepted(nKind))
                m_analyses.push_back(std::move(analysis));
        }
    } while (FindNextFileA(hFind, &found));
    FindClose(hFind);
}

CString GetProgramFolder()
{
    char szPath[MAX_PATH];
    const DWORD nLength = GetModuleFileNameA(NULL, szPath, MAX_PATH);
    CString strPath(szPath, (int)nLength);
    return strPath.Left(strPath.ReverseFind('\\'));
}
