// Times what the user waits for in the settings form, with a library of N reagents (1,000
// unless given: EditorBenchmark.exe [N]): from CreateEditor to a filled list, and one save
// exchange. Not a test: run it under Wine with a display, with TESSARO_MAINDIR pointing at
// a scratch folder (it overwrites AM\Enzymes.dat there), or through
// scripts/run-benchmarks.sh.
#include "CCleavageAnalysis.h"
#include "CCleavageData.h"
#include "CEnzymeDlg.h"
#include "CReagentLibrary.h"

#include <afxwin.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <MainDir.h>

namespace
{
const int kDefaultReagents = 1000;
const int kRuns = 20;

double Milliseconds(std::chrono::steady_clock::duration elapsed)
{
    return std::chrono::duration<double, std::milli>(elapsed).count();
}

void WriteLibrary(int nReagents)
{
    CreateDirectoryA(MAINDIR.GetPath() + "\\AM", NULL);
    CFile file;
    if (!CReagentLibrary::Open(file, CFile::modeWrite | CFile::modeCreate))
        throw std::runtime_error("cannot write the benchmark library");
    CMemFile image;
    CPkArchive ar(&image, CPkArchive::store);
    for (int i = 0; i < nReagents; ++i)
    {
        CEnzymeDlg reagent;
        // The names in a scrambled order: 7919 is a prime that divides no count used.
        reagent.m_strName.Format("Reagent %05d", (int)((i * 7919LL) % nReagents));
        reagent.m_strRecognitionProbability = "95";
        reagent.m_recognition.m_nBegin = -3;
        reagent.m_recognition.m_nCount = 6;
        for (int nCell = 0; nCell < 18; ++nCell)
            reagent.m_recognition.m_lstCells.AddTail(nCell % 3 == 0 ? "{P}" : "KR");
        reagent.m_exception.m_nBegin = 0;
        reagent.m_exception.m_nCount = 2;
        reagent.m_exception.m_lstCells.AddTail("P");
        reagent.SerializeReagent(ar);
    }
    CReagentLibrary::WriteImage(file, image);
}
}

int main(int argc, char** argv)
{
    const int nReagents = argc > 1 ? atoi(argv[1]) : kDefaultReagents;
    if (nReagents < 1)
    {
        fprintf(stderr, "usage: EditorBenchmark.exe [reagents, 1 or more]\n");
        return 2;
    }
    WriteLibrary(nReagents);

    CWnd host;
    if (!host.CreateEx(0, "STATIC", "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 700, 500), NULL, 0))
        return 1;
    CCleavageAnalysis analysis;
    CPkMol mol("Lysozyme", 147);
    CAnalysisHeaderBase header(&mol);

    double dCreateTotal = 0, dCreateWorst = 0, dSaveTotal = 0, dSaveWorst = 0;
    for (int nRun = 0; nRun < kRuns; ++nRun)
    {
        const auto start = std::chrono::steady_clock::now();
        CWnd* pEditor = analysis.CreateEditor(&host);
        const double dCreate = Milliseconds(std::chrono::steady_clock::now() - start);
        if (pEditor == NULL)
            return 1;

        CCleavageData record;
        CAnalysisContext context(&header, &record);
        const auto startSave = std::chrono::steady_clock::now();
        analysis.ExchangeData(pEditor, &context, TRUE);
        const double dSave = Milliseconds(std::chrono::steady_clock::now() - startSave);
        if (record.m_strEnzName.IsEmpty())
            return 1;

        pEditor->DestroyWindow();
        dCreateTotal += dCreate;
        dCreateWorst = std::max(dCreateWorst, dCreate);
        dSaveTotal += dSave;
        dSaveWorst = std::max(dSaveWorst, dSave);
    }
    printf("library of %d reagents, %d runs\n", nReagents, kRuns);
    printf("CreateEditor to a filled list: mean %.1f ms, worst %.1f ms\n", dCreateTotal / kRuns, dCreateWorst);
    printf("one save exchange:             mean %.1f ms, worst %.1f ms\n", dSaveTotal / kRuns, dSaveWorst);

    host.DestroyWindow();
    return 0;
}
