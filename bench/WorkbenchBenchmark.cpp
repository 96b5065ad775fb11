// Times what a user waits for when opening a long protein in the workbench: one record of
// the sample's residues repeated N times (2,000 unless given: WorkbenchBenchmark.exe [N],
// 574,000 residues), opened in the real main window on the module beside the program, from
// OpenFasta until every pane has painted. Not a test: run it under Wine with a display.
#include "MainWindow.h"
#include "PlugIns.h"

#include <afxwin.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace
{
const int kDefaultRepeats = 2000;

double Seconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The residues of every record of the sample, one after the other, nRepeats times, as
// one record in lines of 60.
BOOL WriteLongRecord(LPCSTR lpszPath, int nRepeats, int& nResidues)
{
    std::vector<CFastaRecord> sample;
    CString strError;
    if (!ReadFastaFile(GetProgramFolder() + "\\samples\\hemoglobin.fasta", sample, strError))
    {
        fprintf(stderr, "%s\n", (LPCSTR)strError);
        return FALSE;
    }
    CString strUnit;
    for (const CFastaRecord& record : sample)
        strUnit += record.strSequence;
    CString strSequence;
    for (int i = 0; i < nRepeats; ++i)
        strSequence += strUnit;
    nResidues = strSequence.GetLength();
    CString strText = ">LONG_PROTEIN the sample repeated\n";
    for (int i = 0; i < nResidues; i += 60)
        strText += strSequence.Mid(i, 60) + "\n";
    FILE* pFile = fopen(lpszPath, "wb");
    const BOOL bWritten = pFile != NULL && fwrite((LPCSTR)strText, 1, strText.GetLength(), pFile) ==
                                               (size_t)strText.GetLength();
    if (pFile == NULL || fclose(pFile) != 0 || !bWritten)
    {
        fprintf(stderr, "cannot write %s\n", lpszPath);
        return FALSE;
    }
    return TRUE;
}

void PumpUntilIdle()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}
}

int main(int argc, char** argv)
{
    const int nRepeats = argc > 1 ? atoi(argv[1]) : kDefaultRepeats;
    if (nRepeats < 1)
    {
        fprintf(stderr, "usage: WorkbenchBenchmark.exe [repeats of the sample, 1 or more]\n");
        return 2;
    }
    char szTemp[MAX_PATH] = "";
    if (!::GetTempPathA(sizeof(szTemp), szTemp))
        return 1;
    const CString strFasta = CString(szTemp) + "WorkbenchBenchmark.fasta";
    int nResidues = 0;
    if (!WriteLongRecord(strFasta, nRepeats, nResidues))
        return 1;

    CStringList lstErrors;
    CPlugInSet plugIns;
    plugIns.Load(GetProgramFolder(), CPkMol::kProteinKind, lstErrors);
    if (!lstErrors.IsEmpty() || plugIns.GetAnalyses().empty())
    {
        fprintf(stderr, "no analysis beside the program: %s\n",
                lstErrors.IsEmpty() ? "" : (LPCSTR)lstErrors.GetHead());
        return 1;
    }
    CAnalysisPlugIn& plugIn = *plugIns.GetAnalyses().front();
    CMainWindow window(plugIn, plugIns.GetModulePath(plugIn));
    if (!window.Create())
        return 1;
    window.ShowWindow(SW_SHOW);
    PumpUntilIdle();

    const double dStart = Seconds();
    const BOOL bOpened = window.OpenFasta(strFasta);
    const double dOpened = Seconds();
    window.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
    PumpUntilIdle();
    const double dShown = Seconds();
    window.DestroyWindow();
    ::DeleteFileA(strFasta);
    if (!bOpened)
        return 1;
    printf("%d residues: OpenFasta %.3f s, painted %.3f s, in all %.3f s\n", nResidues, dOpened - dStart,
           dShown - dOpened, dShown - dStart);
    return 0;
}
