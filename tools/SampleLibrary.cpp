// Writes a small reagent library into the installation folder, for looking at the
// settings form by hand. A program of its own: it links the plug-in's record code, and a
// program that loads the module must not hold a second copy of it.
#include <CEnzymeDlg.h>
#include <CReagentLibrary.h>
#include <cstdio>

namespace
{
void AddSampleReagent(CFile& file, LPCSTR lpszName, LPCSTR lpszRecognition, int nBegin, int nCount)
{
    CEnzymeDlg reagent;
    reagent.m_strName = lpszName;
    reagent.m_strRecognitionProbability = "95";
    reagent.m_recognition.m_nBegin = nBegin;
    reagent.m_recognition.m_nCount = nCount;
    reagent.m_recognition.m_lstCells.AddTail(lpszRecognition);
    CReagentLibrary::AppendReagent(file, reagent);
}

bool WriteSampleLibrary()
{
    const CString strPath = CReagentLibrary::GetPath();
    CreateDirectoryA(strPath.Left(strPath.ReverseFind('\\')), NULL);
    CFile file;
    if (!CReagentLibrary::Open(file, CFile::modeWrite | CFile::modeCreate))
        return false;
    AddSampleReagent(file, "Trypsin", "KR", 0, 2);
    AddSampleReagent(file, "Chymotrypsin", "FYW", 0, 2);
    AddSampleReagent(file, "Asp-N", "D", 1, 1);
    AddSampleReagent(file, "Lys-C", "K", 0, 2);
    AddSampleReagent(file, "Glu-C", "E", 0, 2);
    return true;
}

}

int main()
{
    if (!WriteSampleLibrary())
    {
        fprintf(stderr, "cannot write the sample library %s\n", (LPCSTR)CReagentLibrary::GetPath());
        return 1;
    }
    return 0;
}
