// The host's archive: moves strings, integers and string lists between variables and a file,
// in one direction chosen when it is made.
#pragma once
#include "LibsrvApi.h"
#include <afx.h>

// Byte layout, fixed (a library written by one build is read by any other):
//   int          4 bytes, little-endian two's complement
//   string       int length n (n >= 0), then the n bytes, no terminator
//   string list  int count c (c >= 0), then the c strings in list order
// Nothing else: no header, no padding, no type tags. A fresh archive that writes one
// record at the end of a file adds exactly that record's bytes.
//
// Writing: each value goes to the file in one Write call of its whole encoding before
// the operator returns; the archive keeps no buffer, so a file may be closed, or handed
// to another archive, at any moment. Nothing is flushed to the disk beyond that call.
//
// Reading: a value that runs past the end of the file throws
// CArchiveException(endOfFile); a negative length or count throws
// CArchiveException(badIndex). A length or count is checked against the bytes left in
// the file before anything is allocated for it, so a damaged file cannot make the
// archive allocate more than the file's own size. The file position is then somewhere
// inside the damaged value. A list is read by appending to the variable: read into an
// empty list to get exactly the list that was written.
class LIBSRV_API CPkArchive
{
public:
    enum Mode
    {
        store = 0,
        load = 1
    };

    // The archive does not own the file. Throws CArchiveException(genericException)
    // for a null file or an unknown mode.
    CPkArchive(CFile* pFile, int nMode);
    CPkArchive(const CPkArchive&) = delete;
    CPkArchive& operator=(const CPkArchive&) = delete;

    BOOL IsLoading() const { return m_nMode == load; }
    CFile* GetFile() const { return m_pFile; }

    // Reads into the variable when loading, writes it otherwise.
    CPkArchive& operator()(CString& str);
    CPkArchive& operator()(int& n);
    CPkArchive& operator()(CStringList& lst);

private:
    void ReadExactly(void* pBuffer, UINT nCount);
    int ReadInt();
    // A length or count that promises at least nMinBytesEach bytes per unit.
    int ReadSize(UINT nMinBytesEach);
    void ReadString(CString& str);

    CFile* m_pFile;
    int m_nMode;
};
