#include "afx.h"

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT nGrowBytes) : m_nGrowBytes(nGrowBytes ? nGrowBytes : 1024)
{
}

CMemFile::~CMemFile()
{
    free(m_lpBuffer);
}

ULONGLONG CMemFile::GetPosition() const
{
    return m_nPosition;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG lBase = 0;
    if (nFrom == current)
        lBase = (LONGLONG)m_nPosition;
    else if (nFrom == end)
        lBase = (LONGLONG)m_nFileSize;
    else if (nFrom != begin)
        AfxThrowFileException(CFileException::badSeek, ERROR_INVALID_PARAMETER);
    if (lBase + lOff < 0)
        AfxThrowFileException(CFileException::badSeek, ERROR_NEGATIVE_SEEK);
    m_nPosition = (SIZE_T)(lBase + lOff);
    return m_nPosition;
}

void CMemFile::SetLength(ULONGLONG dwNewLen)
{
    if (dwNewLen > m_nBufferSize)
        GrowFile((SIZE_T)dwNewLen);
    m_nFileSize = (SIZE_T)dwNewLen;
    if (m_nPosition > m_nFileSize)
        m_nPosition = m_nFileSize;
}

ULONGLONG CMemFile::GetLength() const
{
    return m_nFileSize;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (m_nPosition >= m_nFileSize)
        return 0;
    const SIZE_T nAvailable = m_nFileSize - m_nPosition;
    const UINT nRead = nCount < nAvailable ? nCount : (UINT)nAvailable;
    memcpy(lpBuf, m_lpBuffer + m_nPosition, nRead);
    m_nPosition += nRead;
    return nRead;
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    const SIZE_T nEnd = m_nPosition + nCount;
    if (nEnd > m_nBufferSize)
        GrowFile(nEnd);
    // A seek past the end leaves a gap: it reads back as zeros, not as stale memory.
    if (m_nPosition > m_nFileSize)
        memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = nEnd;
    if (m_nPosition > m_nFileSize)
        m_nFileSize = m_nPosition;
}

void CMemFile::Flush()
{
}

void CMemFile::Close()
{
    free(m_lpBuffer);
    m_lpBuffer = nullptr;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
}

void CMemFile::Abort()
{
    Close();
}

BYTE* CMemFile::Detach()
{
    BYTE* lpBuffer = m_lpBuffer;
    m_lpBuffer = nullptr;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
    return lpBuffer;
}

void CMemFile::GrowFile(SIZE_T nNewLen)
{
    // At least double, in whole steps of m_nGrowBytes: many small writes then cost
    // few reallocations however large the file grows.
    SIZE_T nNewBufferSize = nNewLen > 2 * m_nBufferSize ? nNewLen : 2 * m_nBufferSize;
    nNewBufferSize = (nNewBufferSize + m_nGrowBytes - 1) / m_nGrowBytes * m_nGrowBytes;
    BYTE* lpNew = (BYTE*)realloc(m_lpBuffer, nNewBufferSize);
    if (!lpNew)
        AfxThrowMemoryException();
    m_lpBuffer = lpNew;
    m_nBufferSize = nNewBufferSize;
}
