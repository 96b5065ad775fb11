// Base of an analysis that a plug-in hands the host: its ten operations and the engine launch.
#pragma once
#include "CAnalysisContext.h"

class CWnd;

class TESSARODB_API CAnalysisPlugIn : public CObject
{
public:
    CAnalysisPlugIn() = default;
    ~CAnalysisPlugIn() override = default;

    virtual bool IsKindAccepted(int nKind) = 0;
    virtual int GetAnalysisCode() = 0;
    virtual CString GetErrorText() = 0;
    virtual CAnalysisData* CreateData(CAnalysisHeaderBase* pHeader) = 0;
    virtual CWnd* CreateEditor(CWnd* pParent) = 0;
    virtual int ExchangeData(CWnd* pEditor, CAnalysisContext* pContext, BOOL bSaveAndValidate) = 0;
    virtual void SetReadOnly(CWnd* pEditor, CAnalysisContext* pContext, BOOL bReadOnly) = 0;
    virtual DWORD RunAnalysis(LPCSTR lpszParamFile) = 0;
    virtual int IsAcceptable(CAnalysisHeaderBase* pHeader, CAnalysisData* pData) = 0;
    virtual void SetRange(CWnd* pEditor, LPCSTR lpszMolName, int nKind, int nFrom, int nTo) = 0;

    const CString& GetAnalysisName() const { return m_strAnalysisName; }
    const CString& GetAnalysisDescription() const { return m_strAnalysisDescription; }

protected:
    // Starts the program with the argument line and returns its process id; on failure
    // 0xFFFFFFFF with the system's last-error code kept. A bare program name is looked up
    // in the installation directory, where the host's engines are installed. The program
    // writes to the host's standard streams.
    DWORD StartProcess(LPCSTR lpszProgram, LPCSTR lpszArguments);

    CString m_strAnalysisName;
    CString m_strAnalysisDescription;
};
