// The analyses of the plug-in modules beside the workbench, loaded the way the host
// does: LoadLibrary, then GetPlugIn for each analysis the module offers.
#pragma once
#include <TessaroDB.h>
#include <memory>
#include <vector>

class CPlugInSet
{
public:
    CPlugInSet() = default;
    CPlugInSet(const CPlugInSet&) = delete;
    CPlugInSet& operator=(const CPlugInSet&) = delete;
    // The analyses go before the modules that hold their code.
    ~CPlugInSet();

    // Loads every *.tsplugin in the folder and keeps the analyses that accept nKind. A
    // module that cannot be loaded or has no GetPlugIn adds a message naming the file
    // and the system's reason to lstErrors.
    void Load(const CString& strFolder, int nKind, CStringList& lstErrors);

    const std::vector<std::unique_ptr<CAnalysisPlugIn>>& GetAnalyses() const { return m_analyses; }
    // The file of the module that holds one of the analyses.
    CString GetModulePath(const CAnalysisPlugIn& analysis) const;

private:
    std::vector<std::unique_ptr<CAnalysisPlugIn>> m_analyses;
    std::vector<HMODULE> m_analysisModules;  // the module of each analysis, in the same order
    std::vector<HMODULE> m_modules;
};

// The folder of the running program, without a final backslash.
CString GetProgramFolder();

// The file version a program's or DLL's VERSIONINFO gives, as "major.minor.patch"; FALSE
// with a message naming the file and the system's reason when it cannot be read.
BOOL GetFileVersionText(LPCSTR lpszPath, CString& strVersion, CString& strError);
