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

private:
    std::vector<std::unique_ptr<CAnalysisPlugIn>> m_analyses;
    std::vector<HMODULE> m_modules;
};

// The folder of the running program, without a final backslash.
CString GetProgramFolder();
