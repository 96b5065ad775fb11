// Build step: writes the shipped reagent library from the project's reviewed reagent
// list, each reagent through the reagent record's own serialiser, so that the file is
// exactly what the reagent dialog would have written.
//   MakeReagentLibrary <reagent list> <library>
#include <CEnzymeDlg.h>
#include <CReagentLibrary.h>
#include <ReagentList.h>
#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace
{
void CopySide(const cleavage::PatternSet& side, CPatternSet& set)
{
    set.m_nBegin = side.begin;
    set.m_nCount = side.count;
    for (const std::string& cell : side.cells)
        set.m_lstCells.AddTail(cell.c_str());
}
}

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        fprintf(stderr, "usage: MakeReagentLibrary <reagent list> <library>\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in)
    {
        fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    try
    {
        const std::vector<cleavage::ReagentText> reagents = cleavage::ReadReagentList(in, argv[1]);
        CFile file;
        CFileException error;
        if (!file.Open(argv[2], CFile::modeCreate | CFile::modeWrite, &error))
        {
            char szReason[512];
            error.GetErrorMessage(szReason, sizeof(szReason));
            fprintf(stderr, "%s\n", szReason);
            return 1;
        }
        for (const cleavage::ReagentText& text : reagents)
        {
            CEnzymeDlg reagent;
            reagent.m_strName = text.name.c_str();
            reagent.m_strRecognitionProbability.Format("%d", text.recognitionEfficiency);
            reagent.m_strExceptionProbability.Format("%d", text.exceptionEfficiency);
            CopySide(text.recognition, reagent.m_recognition);
            CopySide(text.exception, reagent.m_exception);
            CReagentLibrary::AppendReagent(file, reagent);
        }
        file.Close();
        printf("%s: %d reagents\n", argv[2], (int)reagents.size());
    }
    catch (const std::exception& e)
    {
        fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    catch (CException* e)
    {
        char szReason[512];
        e->GetErrorMessage(szReason, sizeof(szReason));
        e->Delete();
        fprintf(stderr, "%s: %s\n", argv[2], szReason);
        return 1;
    }
    return 0;
}
