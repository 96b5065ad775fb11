// The reagent library file Enzymes.dat: where it lives, the one loop that reads it, and
// the ways it is written. Callers open the file and show the user any failure.
#pragma once
#include "IReagentRecord.h"
#include "Markers.h"
#include <functional>

// What the user is told when the library cannot be opened.
extern const char kCannotOpenLibrary[];

class CReagentLibrary
{
public:
    // Called with each record read; FALSE ends the loop after that record.
    typedef std::function<BOOL(IReagentRecord& record)> RecordAction;
    // Called with each record read while the library is rebuilt: writes to arImage what
    // takes the record's place (the record itself, a replacement, or nothing).
    typedef std::function<void(IReagentRecord& record, CPkArchive& arImage)> RewriteAction;

    // Every read loop stops after this many records.
    static const int kMaxRecords = kMarkerValue;
    // The step by which a library image in memory grows.
    static const UINT kImageGrowBytes = 1024;

    // <installation folder>\AM\Enzymes.dat, built anew on every call.
    static CString GetPath();
    // Opens the library with exclusive sharing (whatever share mode nOpenFlags names).
    // FALSE on failure, with pError filled in for the caller's message.
    static BOOL Open(CFile& file, UINT nOpenFlags, CFileException* pError = NULL);

    // Reads records from the start of the file into holder, emptying its pattern lists
    // before each, and runs onRecord on each complete one. Any toolkit exception while
    // reading ends the loop (the end of the file is such an exception); an exception
    // from onRecord goes to the caller. The file is read into memory in one pass
    // first, then decoded. Leaves the file positioned after the last record read.
    // Returns the number of complete records read.
    static int ReadRecords(CFile& file, IReagentRecord& holder, const RecordAction& onRecord);

    // Copies the last record named lpszName (exact comparison) into found; holder is
    // the record the loop reads into.
    static BOOL FindReagent(CFile& file, LPCSTR lpszName, IReagentRecord& holder, IReagentRecord& found);

    // Writes the reagent at the end of the file through a fresh writing archive.
    static void AppendReagent(CFile& file, IReagentRecord& reagent);
    // Writes the reagent at nOffset, the end of the file's last complete record, and
    // keeps whatever follows (the unreadable rest of a damaged library) after it.
    static void InsertReagent(CFile& file, ULONGLONG nOffset, IReagentRecord& reagent);

    // The library's new contents, built in memory from every record read. A damaged
    // record ends the rebuild like the end of the file: it and what follows it are
    // dropped, or with bKeepUnreadRest copied unchanged after the rebuilt records. A file
    // that cannot be read, or an exception from onRecord, is thrown, so that the caller
    // writes nothing.
    static void BuildImage(CFile& file, IReagentRecord& holder, CMemFile& image, const RewriteAction& onRecord,
                           BOOL bKeepUnreadRest = FALSE);
    // Replaces the open file's contents by the image (which is consumed). A write that
    // fails part-way puts the old contents back before the error is thrown.
    static void WriteImage(CFile& file, CMemFile& image);
    // Closes the file, opens the library again for writing, writes the image and closes
    // it. FALSE when it cannot be opened again; the library is then unchanged.
    static BOOL ReopenAndWriteImage(CFile& file, CMemFile& image, CFileException* pError = NULL);

    // Rebuilds the library without the records named lpszName, reading into holder; the
    // result of ReopenAndWriteImage.
    static BOOL RemoveReagent(CFile& file, LPCSTR lpszName, IReagentRecord& holder, CFileException* pError = NULL);

private:
    // Replaces the file's contents from nOffset on by the image (which is consumed).
    static void WriteImageAt(CFile& file, ULONGLONG nOffset, CMemFile& image);
    // The read loop; returns the exception that ended it (the caller's to delete), or
    // NULL when onRecord stopped it or the record limit was reached.
    static CException* ReadUntilEnd(CFile& file, IReagentRecord& holder, const RecordAction& onRecord, int& nRecords);
};
