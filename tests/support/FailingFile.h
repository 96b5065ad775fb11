// A disk file on a failing disk: it cannot grow past a capacity (a full disk, where a
// write stops at the last byte that fits), one write fails part-way once a number of bytes
// were written, and one read fails once a number of bytes were read (the disk recovers
// after each, so that no later call hides an error that went unnoticed). Each failure
// throws CFileException, as the system's own failures do.
#pragma once
#include <afx.h>
#include <algorithm>
#include <climits>

class FailingFile : public CFile
{
public:
    void SetLength(ULONGLONG nNewLength) override
    {
        if (nNewLength > m_nCapacity)
            AfxThrowFileException(CFileException::diskFull, ERROR_DISK_FULL, GetFilePath());
        CFile::SetLength(nNewLength);
    }

    void Write(const void* lpBuf, UINT nCount) override
    {
        if (nCount > m_nWritableBytes)
        {
            CFile::Write(lpBuf, (UINT)m_nWritableBytes);
            m_nWritableBytes = ULLONG_MAX;
            AfxThrowFileException(CFileException::hardIO, ERROR_WRITE_FAULT, GetFilePath());
        }
        if (m_nWritableBytes != ULLONG_MAX)
            m_nWritableBytes -= nCount;
        const ULONGLONG nRoom = m_nCapacity - std::min(GetPosition(), m_nCapacity);
        CFile::Write(lpBuf, (UINT)std::min<ULONGLONG>(nCount, nRoom));
        if (nCount > nRoom)
            AfxThrowFileException(CFileException::diskFull, ERROR_DISK_FULL, GetFilePath());
    }

    UINT Read(void* lpBuf, UINT nCount) override
    {
        if (nCount > 0 && m_nReadableBytes == 0)
        {
            m_nReadableBytes = ULLONG_MAX;
            AfxThrowFileException(CFileException::hardIO, ERROR_CRC, GetFilePath());
        }
        const UINT nRead = CFile::Read(lpBuf, (UINT)std::min<ULONGLONG>(nCount, m_nReadableBytes));
        m_nReadableBytes -= nRead;
        return nRead;
    }

    ULONGLONG m_nCapacity = ULLONG_MAX;       // the length the file cannot grow past
    ULONGLONG m_nReadableBytes = ULLONG_MAX;  // what is still read before one read fails
    ULONGLONG m_nWritableBytes = ULLONG_MAX;  // what is still written before one write fails
};
