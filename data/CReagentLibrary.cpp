#include "CReagentLibrary.h"

#include <MainDir.h>
#include <climits>
#include <cstdlib>
#include <memory>
#include <vector>

namespace
{
const UINT kShareModes = CFile::shareExclusive | CFile::shareDenyWrite | CFile::shareDenyRead | CFile::shareDenyNone;
const UINT kImageGrowBytes = 1024;
const UINT kCopyChunkBytes = 64 * 1024;

}

CString CReagentLibrary::GetPath()
{
    return MAINDIR.GetPath() + "\\AM\\Enzymes.dat";
}

BOOL CReagentLibrary::Open(CFile& file, UINT nOpenFlags, CFileException* pError)
{
    return file.Open(GetPath(), (nOpenFlags & ~kShareModes) | CFile::shareExclusive, pError);
}

int CReagentLibrary::ReadRecords(CFile& file, IReagentRecord& holder, const RecordAction& onRecord)
{
    int nRecords = 0;
    CException* pEnd = ReadUntilEnd(file, holder, onRecord, nRecords);
    if (pEnd != NULL)
        pEnd->Delete();
    return nRecords;
}

BOOL CReagentLibrary::FindReagent(CFile& file, LPCSTR lpszName, IReagentRecord& holder, IReagentRecord& found)
{
    BOOL bFound = FALSE;
    ReadRecords(file, holder, [&](IReagentRecord& candidate) {
        if (candidate.GetReagentName() == lpszName)
        {
            found.CopyReagent(candidate);
            bFound = TRUE;
        }
        return TRUE;
    });
    return bFound;
}

void CReagentLibrary::AppendReagent(CFile& file, IReagentRecord& reagent)
{
    file.SeekToEnd();
    CPkArchive ar(&file, CPkArchive::store);
    reagent.SerializeReagent(ar);
}

void CReagentLibrary::BuildImage(CFile& file, IReagentRecord& holder, CMemFile& image, const RewriteAction& onRecord)
{
    CPkArchive arImage(&image, CPkArchive::store);
    int nRecords = 0;
    CException* pEnd = ReadUntilEnd(file, holder, [&](IReagentRecord& record) {
        onRecord(record, arImage);
        return TRUE;
    }, nRecords);
    // A damaged record ends the rebuild as the end of the file does; a file that could
    // not be read says nothing about its records, and is not rewritten.
    if (pEnd != NULL && !pEnd->IsKindOf(RUNTIME_CLASS(CArchiveException)))
        throw pEnd;
    if (pEnd != NULL)
        pEnd->Delete();
}

void CReagentLibrary::WriteImage(CFile& file, CMemFile& image)
{
    const ULONGLONG nLength = image.GetLength();
    if (nLength > UINT_MAX)
        AfxThrowFileException(CFileException::genericException, -1, file.GetFilePath());
    const std::unique_ptr<BYTE, void (*)(void*)> pImage(image.Detach(), &free);

    // Grow first: where the file system allocates on growing (NTFS does), a full disk
    // then fails here, before any record is overwritten.
    if (nLength > file.GetLength())
        file.SetLength(nLength);
    file.SeekToBegin();
    file.Write(pImage.get(), (UINT)nLength);
    file.SetLength(nLength);
}

BOOL CReagentLibrary::ReopenAndWriteImage(CFile& file, CMemFile& image, CFileException* pError)
{
    file.Close();
    // No truncation on opening: WriteImage cuts the file to the image's length only
    // once the image is written.
    if (!Open(file, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite, pError))
        return FALSE;
    WriteImage(file, image);
    file.Close();
    return TRUE;
}

BOOL CReagentLibrary::RemoveReagent(CFile& file, LPCSTR lpszName, IReagentRecord& holder, CFileException* pError)
{
    CMemFile image(kImageGrowBytes);
    BuildImage(file, holder, image, [&](IReagentRecord& candidate, CPkArchive& arImage) {
        if (candidate.GetReagentName() != lpszName)
            candidate.SerializeReagent(arImage);
    });
    return ReopenAndWriteImage(file, image, pError);
}

CException* CReagentLibrary::ReadUntilEnd(CFile& file, IReagentRecord& holder, const RecordAction& onRecord,
                                          int& nRecords)
{
    // The archive reads value by value. Over a copy of the file in memory each value
    // costs a copy instead of system calls, so the loop is bound by one pass over the
    // file. A read error part-way keeps what was copied: the records before it count.
    CMemFile copy(kImageGrowBytes);
    CException* pCopyError = NULL;
    file.SeekToBegin();
    try
    {
        copy.SetLength(file.GetLength());
        std::vector<BYTE> chunk(kCopyChunkBytes);
        for (UINT nRead; (nRead = file.Read(chunk.data(), kCopyChunkBytes)) > 0;)
            copy.Write(chunk.data(), nRead);
    }
    catch (CException* pException)
    {
        pCopyError = pException;
    }
    copy.SetLength(copy.GetPosition());
    copy.SeekToBegin();

    CPkArchive ar(&copy, CPkArchive::load);
    CException* pEnd = NULL;
    ULONGLONG nReadUpTo = 0;
    for (nRecords = 0; nRecords != kMaxRecords;)
    {
        holder.EmptyPatternLists();
        try
        {
            holder.SerializeReagent(ar);
        }
        catch (CException* pException)
        {
            pEnd = pException;
            break;
        }
        nReadUpTo = copy.GetPosition();
        const BOOL bGoOn = onRecord(holder);
        ++nRecords;
        if (!bGoOn)
            break;
    }

    // The copy ends early only at a read error, which is then the true cause of the end.
    if (pCopyError != NULL && pEnd != NULL)
    {
        pEnd->Delete();
        pEnd = pCopyError;
    }
    else if (pCopyError != NULL)
    {
        pCopyError->Delete();
    }
    file.Seek((LONGLONG)nReadUpTo, CFile::begin);
    return pEnd;
}
