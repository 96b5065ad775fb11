// The analysis the plug-in hands the host: it names itself, makes settings records
// and settings editors, and starts the cleavage engine.
#pragma once
#include <TessaroDB.h>

class CCleavageAnalysis : public CAnalysisPlugIn
{
public:
    CCleavageAnalysis();
    ~CCleavageAnalysis() override = default;

    bool IsKindAccepted(int nKind) override;
    int GetAnalysisCode() override;
    CString GetErrorText() override;
    CAnalysisData* CreateData(CAnalysisHeaderBase* pHeader) override;
    CWnd* CreateEditor(CWnd* pParent) override;
    int ExchangeData(CWnd* pEditor, CAnalysisContext* pContext, BOOL bSaveAndValidate) override;
    void SetReadOnly(CWnd* pEditor, CAnalysisContext* pContext, BOOL bReadOnly) override;
    DWORD RunAnalysis(LPCSTR lpszParamFile) override;
    int IsAcceptable(CAnalysisHeaderBase* pHeader, CAnalysisData* pData) override;
    void SetRange(CWnd* pEditor, LPCSTR lpszMolName, int nKind, int nFrom, int nTo) override;

    enum
    {
        kAnalysisCode = 33,   // the host's code for this analysis
        kEditorId = 1,        // control identifier of the settings form in the host's window
    };
    static constexpr DWORD kLaunchFailed = 0xFFFFFFFF;

private:
    CString m_strErrorText;  // text of the last failed launch, for the host
};
