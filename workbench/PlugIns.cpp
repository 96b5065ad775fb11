#include "PlugIns.h"
#include <algorithm>

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
            {
                m_analyses.push_back(std::move(analysis));
                m_analysisModules.push_back(hModule);
            }
        }
    } while (FindNextFileA(hFind, &found));
    FindClose(hFind);
}

CString CPlugInSet::GetModulePath(const CAnalysisPlugIn& analysis) const
{
    const auto found = std::find_if(m_analyses.begin(), m_analyses.end(),
                                    [&analysis](const std::unique_ptr<CAnalysisPlugIn>& pAnalysis) {
                                        return pAnalysis.get() == &analysis;
                                    });
    ASSERT(found != m_analyses.end());
    char szPath[MAX_PATH];
    const DWORD nLength = GetModuleFileNameA(m_analysisModules[found - m_analyses.begin()], szPath, MAX_PATH);
    VERIFY(nLength > 0 && nLength < MAX_PATH);
    return CString(szPath, (int)nLength);
}

CString GetProgramFolder()
{
    char szPath[MAX_PATH];
    const DWORD nLength = GetModuleFileNameA(NULL, szPath, MAX_PATH);
    CString strPath(szPath, (int)nLength);
    return strPath.Left(strPath.ReverseFind('\\'));
}

BOOL GetFileVersionText(LPCSTR lpszPath, CString& strVersion, CString& strError)
{
    DWORD dwHandle = 0;
    const DWORD nSize = GetFileVersionInfoSizeA(lpszPath, &dwHandle);
    std::vector<BYTE> info(nSize);
    VS_FIXEDFILEINFO* pFixed = NULL;
    UINT nFixedSize = 0;
    if (nSize == 0 || !GetFileVersionInfoA(lpszPath, 0, nSize, info.data()) ||
        !VerQueryValueA(info.data(), "\\", (void**)&pFixed, &nFixedSize) || nFixedSize < sizeof(VS_FIXEDFILEINFO))
    {
        strError.Format("%s: the version cannot be read: %s", lpszPath, (LPCSTR)AfxGetSystemErrorText(GetLastError()));
        return FALSE;
    }
    strVersion.Format("%u.%u.%u", (UINT)HIWORD(pFixed->dwFileVersionMS), (UINT)LOWORD(pFixed->dwFileVersionMS),
                      (UINT)HIWORD(pFixed->dwFileVersionLS));
    return TRUE;
}
