#include "CReagentLibrary.h"

#include <MainDir.h>
#include <climits>
#include <cstdlib>
#include <memory>
#include <vector>

namespace
{
const UINT kShareModes = CFile::shareExclusive | CFile::shareDenyWrite | CFile::shareDenyRead | CFile::shareDenyNone;
const UINT kCopyChunkBytes = 64 * 1024;

// The file's bytes from its current position to its end.
std::vector<BYTE> ReadRest(CFile& file)
{
    std::vector<BYTE> rest((size_t)(file.GetLength() - file.GetPosition()));
    UINT nDone = 0;
    while (nDone < rest.size())
    {
        const UINT nRead = file.Read(rest.data() + nDone, (UINT)rest.size() - nDone);
        if (nRead == 0)
            break;
        nDone += nRead;
    }
    rest.resize(nDone);
    return rest;
}
}

const char kCannotOpenLibrary[] = "Cannot open the data file";

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

void CReagentLibrary::InsertReagent(CFile& file, ULONGLONG nOffset, IReagentRecord& reagent)
{
    CMemFile image(kImageGrowBytes);
    {
        CPkArchive ar(&image, CPkArchive::store);
        reagent.SerializeReagent(ar);
    }
    file.Seek((LONGLONG)nOffset, CFile::begin);
    const std::vector<BYTE> rest = ReadRest(file);
    if (!rest.empty())
        image.Write(rest.data(), (UINT)rest.size());
    WriteImageAt(file, nOffset, image);
}

void CReagentLibrary::BuildImage(CFile& file, IReagentRecord& holder, CMemFile& image, const RewriteAction& onRecord,
                                 BOOL bKeepUnreadRest)
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
    // The read loop left the file after its last complete record.
    if (bKeepUnreadRest)
    {
        const std::vector<BYTE> rest = ReadRest(file);
        if (!rest.empty())
            image.Write(rest.data(), (UINT)rest.size());
    }
}

void CReagentLibrary::WriteImage(CFile& file, CMemFile& image)
{
    WriteImageAt(file, 0, image);
}

void CReagentLibrary::WriteImageAt(CFile& file, ULONGLONG nOffset, CMemFile& image)
{
    const ULONGLONG nLength = image.GetLength();
    if (nOffset + nLength > UINT_MAX)
        AfxThrowFileException(CFileException::genericException, -1, file.GetFilePath());
    const std::unique_ptr<BYTE, void (*)(void*)> pImage(image.Detach(), &free);

    // What is overwritten is kept until the new contents are written.
    const ULONGLONG nOldLength = file.GetLength();
    file.Seek((LONGLONG)nOffset, CFile::begin);
    const std::vector<BYTE> old = ReadRest(file);
    try
    {
        // Grow first: where the file system allocates on growing (NTFS does), a full disk
        // then fails here, before any record is overwritten.
        if (nOffset + nLength > nOldLength)
            file.SetLength(nOffset + nLength);
        file.Seek((LONGLONG)nOffset, CFile::begin);
        file.Write(pImage.get(), (UINT)nLength);
        file.SetLength(nOffset + nLength);
    }
    catch (CException* pWriteError)
    {
        try
        {
            file.Seek((LONGLONG)nOffset, CFile::begin);
            if (!old.empty())
                file.Write(old.data(), (UINT)old.size());
            file.SetLength(nOldLength);
        }
        catch (CException* pRestoreError)
        {
            // The write's own error is the one the user must see.
            TRACE("the library could not be put back after a failed write\n");
            pRestoreError->Delete();
        }
        throw pWriteError;
    }
}

BOOL CReagentLibrary::ReopenAndWriteImage(CFile& file, CMemFile& image, CFileException* pError)
{
    file.Close();
    // No truncation on opening: WriteImage cuts the file to the image's length only once
    // the image is written, and reads the old contents to put them back after a failure.
    if (!Open(file, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite, pError))
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
