// Times the reagent library's three bulk operations on 10,000 reagents: writing them,
// reading them through the read loop, and rewriting the library with one replaced.
// Run it with TESSARO_MAINDIR pointing at a scratch folder: it overwrites AM\Enzymes.dat there.
#include "BenchSupport.h"
#include <CReagentLibrary.h>
#include <MainDir.h>

#include <cstdio>

namespace
{
const int kReagents = 10000;

BOOL OpenOrReport(CFile& file, UINT nOpenFlags)
{
    CFileException error;
    if (CReagentLibrary::Open(file, nOpenFlags, &error))
        return TRUE;
    char szMessage[512];
    error.GetErrorMessage(szMessage, sizeof(szMessage));
    fprintf(stderr, "Cannot open the library: %s\n", szMessage);
    return FALSE;
}
}

int main()
{
    const CString strFolder = MAINDIR.GetPath() + "\\AM";
    if (!CreateDirectoryA(strFolder, NULL) && GetLastError() != ERROR_ALREADY_EXISTS)
    {
        fprintf(stderr, "Cannot create %s (error %lu)\n", (LPCSTR)strFolder, GetLastError());
        return 1;
    }

    try
    {
        CFile file;
        double dStart = Seconds();
        if (!OpenOrReport(file, CFile::modeCreate | CFile::modeWrite))
            return 1;
        {
            CPkArchive ar(&file, CPkArchive::store);
            CEnzymeDlg reagent;
            for (int i = 0; i < kReagents; ++i)
            {
                MakeSampleReagent(reagent, i);
                reagent.SerializeReagent(ar);
            }
        }
        const ULONGLONG nBytes = file.GetLength();
        file.Close();
        const double dWrite = Seconds() - dStart;

        dStart = Seconds();
        if (!OpenOrReport(file, CFile::modeRead))
            return 1;
        CEnzymeDlg holder;
        const int nRead = CReagentLibrary::ReadRecords(file, holder, [](IReagentRecord&) { return TRUE; });
        file.Close();
        const double dRead = Seconds() - dStart;

        dStart = Seconds();
        if (!OpenOrReport(file, CFile::modeReadWrite))
            return 1;
        CEnzymeDlg replacement;
        MakeSampleReagent(replacement, 1);
        replacement.m_strName = "Replaced";
        CMemFile image(1024);
        CReagentLibrary::BuildImage(file, holder, image, [&](IReagentRecord& record, CPkArchive& arImage) {
            (record.GetReagentName() == "Reagent 05000" ? replacement : record).SerializeReagent(arImage);
        });
        CReagentLibrary::WriteImage(file, image);
        file.Close();
        const double dRewrite = Seconds() - dStart;

        printf("library: %d reagents, %llu bytes\n", nRead, nBytes);
        printf("write   %8.1f ms\n", dWrite * 1000.0);
        printf("read    %8.1f ms\n", dRead * 1000.0);
        printf("rewrite %8.1f ms\n", dRewrite * 1000.0);
        return nRead == kReagents ? 0 : 1;
    }
    catch (CException* pException)
    {
        char szMessage[512];
        pException->GetErrorMessage(szMessage, sizeof(szMessage));
        fprintf(stderr, "Failed: %s\n", szMessage);
        pException->Delete();
        return 1;
    }
}
