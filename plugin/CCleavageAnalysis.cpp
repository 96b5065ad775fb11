#include "CCleavageAnalysis.h"
#include "CCleavageData.h"
#include "CCleavageEditor.h"

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
    return nKind == CPkMol::kProteinKind;
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

CWnd* CCleavageAnalysis::CreateEditor(CWnd* pParent)
{
    m_strErrorText.Empty();
    CCleavageEditor* pEditor = new CCleavageEditor;
    // A failed creation has already deleted the editor, as its window would have.
    if (!pEditor->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParent, kEditorId, NULL))
        return NULL;
    return pEditor;
}

int CCleavageAnalysis::ExchangeData(CWnd* pEditor, CAnalysisContext* pContext, BOOL bSaveAndValidate)
{
    if (pEditor == NULL || !pEditor->IsKindOf(RUNTIME_CLASS(CCleavageEditor)))
        return 0;
    CCleavageEditor* pCleavageEditor = static_cast<CCleavageEditor*>(pEditor);
    // The context is lent for this one exchange, also when the exchange throws.
    struct ContextLoan
    {
        CCleavageEditor* pEditor;
        ~ContextLoan() { pEditor->m_pContext = NULL; }
    } loan{pCleavageEditor};
    pCleavageEditor->m_pContext = pContext;
    pCleavageEditor->UpdateData(bSaveAndValidate);
    return 1;
}

void CCleavageAnalysis::SetReadOnly(CWnd* pEditor, CAnalysisContext* /*pContext*/, BOOL bReadOnly)
{
    m_strErrorText.Empty();
    if (pEditor != NULL && pEditor->IsKindOf(RUNTIME_CLASS(CCleavageEditor)))
        static_cast<CCleavageEditor*>(pEditor)->SetReadOnly(bReadOnly != FALSE);
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

void CCleavageAnalysis::SetRange(CWnd* pEditor, LPCSTR lpszMolName, int nKind, int nFrom, int nTo)
{
    if (CCleavageEditor* pCleavageEditor = dynamic_cast<CCleavageEditor*>(pEditor))
        pCleavageEditor->SetRange(lpszMolName, nKind, nFrom, nTo);
}
