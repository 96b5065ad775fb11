#include "CCleavageAnalysis.h"
#include "CCleavageData.h"

namespace
{
const char kEngineProgram[] = "Cleavage.exe";

// The system's message for an error code exactly as the system gives it, trailing
// line break included; empty when the system has none.
CString SystemMessageText(DWORD dwError)
{
    LPSTR lpBuffer = NULL;
    const DWORD nLength = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL,
        dwError, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), (LPSTR)&lpBuffer, 0, NULL);
    CString strText(lpBuffer, (int)nLength);
    if (lpBuffer)
        LocalFree(lpBuffer);
    return strText;
}
}

CCleavageAnalysis::CCleavageAnalysis()
{
    m_strAnalysisName = "CleavageAnalysis";
    m_strAnalysisDescription = "The search of proteolytic cleavage of a target protein";
}

bool CCleavageAnalysis::IsKindAccepted(int nKind)
{
    return nKind == kProteinKind;
}

int CCleavageAnalysis::GetAnalysisCode()
{
    return kAnalysisCode;
}

CString CCleavageAnalysis::GetErrorText()
{
    return m_strErrorText;
}

CAnalysisData* CCleavageAnalysis::CreateData(CAnalysisHeaderBase* /*pHeader*/)
{
    return new CCleavageData;
}

CWnd* CCleavageAnalysis::CreateEditor(CWnd* /*pParent*/)
{
    m_strErrorText.Empty();
    // The settings form does not exist yet: no editor is made.
    return NULL;
}

int CCleavageAnalysis::ExchangeData(CWnd* /*pEditor*/, CAnalysisContext* /*pContext*/, BOOL /*bSaveAndValidate*/)
{
    // No window is a settings editor until the settings form exists.
    return 0;
}

void CCleavageAnalysis::SetReadOnly(CWnd* /*pEditor*/, CAnalysisContext* /*pContext*/, BOOL /*bReadOnly*/)
{
    m_strErrorText.Empty();
}

DWORD CCleavageAnalysis::RunAnalysis(LPCSTR lpszParamFile)
{
    m_strErrorText.Empty();

    CString strArguments;
    strArguments.Format("/f \"%s\"", lpszParamFile);
    const DWORD dwResult = StartProcess(kEngineProgram, strArguments);
    if (dwResult == kLaunchFailed)
    {
        const DWORD dwError = GetLastError();
        m_strErrorText.Format("Error: '%s'\n\n", kEngineProgram);
        m_strErrorText += SystemMessageText(dwError);
    }
    return dwResult;
}

int CCleavageAnalysis::IsAcceptable(CAnalysisHeaderBase* /*pHeader*/, CAnalysisData* /*pData*/)
{
    return 1;
}

void CCleavageAnalysis::SetRange(CWnd* /*pEditor*/, LPCSTR /*lpszMolName*/, int /*nKind*/, int /*nFrom*/, int /*nTo*/)
{
}
