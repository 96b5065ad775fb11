#include "CPkArchive.h"

#include <climits>
#include <string>

namespace
{
const UINT kIntBytes = 4;

void AppendInt(std::string& buffer, int n)
{
    const UINT u = (UINT)n;
    const char bytes[kIntBytes] = {(char)(u & 0xFF), (char)((u >> 8) & 0xFF), (char)((u >> 16) & 0xFF),
                                   (char)((u >> 24) & 0xFF)};
    buffer.append(bytes, kIntBytes);
}

void AppendString(std::string& buffer, const CString& str)
{
    AppendInt(buffer, str.GetLength());
    buffer.append(str.GetString(), (size_t)str.GetLength());
}
}

CPkArchive::CPkArchive(CFile* pFile, int nMode) : m_pFile(pFile), m_nMode(nMode)
{
    if (pFile == NULL || (nMode != store && nMode != load))
        AfxThrowArchiveException(CArchiveException::genericException);
}

CPkArchive& CPkArchive::operator()(CString& str)
{
    if (IsLoading())
    {
        ReadString(str);
        return *this;
    }
    std::string buffer;
    buffer.reserve(kIntBytes + (size_t)str.GetLength());
    AppendString(buffer, str);
    m_pFile->Write(buffer.data(), (UINT)buffer.size());
    return *this;
}

CPkArchive& CPkArchive::operator()(int& n)
{
    if (IsLoading())
    {
        n = ReadInt();
        return *this;
    }
    std::string buffer;
    AppendInt(buffer, n);
    m_pFile->Write(buffer.data(), kIntBytes);
    return *this;
}

CPkArchive& CPkArchive::operator()(CStringList& lst)
{
    if (IsLoading())
    {
        // Every string takes at least its length field.
        const int nCount = ReadSize(kIntBytes);
        for (int i = 0; i < nCount; ++i)
        {
            CString str;
            ReadString(str);
            lst.AddTail(str);
        }
        return *this;
    }

    if (lst.GetCount() > INT_MAX)
        AfxThrowArchiveException(CArchiveException::badIndex, m_pFile->GetFilePath());
    std::string buffer;
    AppendInt(buffer, (int)lst.GetCount());
    for (POSITION pos = lst.GetHeadPosition(); pos != NULL;)
        AppendString(buffer, lst.GetNext(pos));
    if (buffer.size() > UINT_MAX)
        AfxThrowArchiveException(CArchiveException::badIndex, m_pFile->GetFilePath());
    m_pFile->Write(buffer.data(), (UINT)buffer.size());
    return *this;
}

void CPkArchive::ReadExactly(void* pBuffer, UINT nCount)
{
    if (m_pFile->Read(pBuffer, nCount) != nCount)
        AfxThrowArchiveException(CArchiveException::endOfFile, m_pFile->GetFilePath());
}

int CPkArchive::ReadInt()
{
    BYTE bytes[kIntBytes];
    ReadExactly(bytes, kIntBytes);
    return (int)((UINT)bytes[0] | ((UINT)bytes[1] << 8) | ((UINT)bytes[2] << 16) | ((UINT)bytes[3] << 24));
}

int CPkArchive::ReadSize(UINT nMinBytesEach)
{
    const int nSize = ReadInt();
    if (nSize < 0)
        AfxThrowArchiveException(CArchiveException::badIndex, m_pFile->GetFilePath());
    const ULONGLONG nLength = m_pFile->GetLength();
    const ULONGLONG nPosition = m_pFile->GetPosition();
    const ULONGLONG nLeft = nPosition < nLength ? nLength - nPosition : 0;
    if ((ULONGLONG)nSize * nMinBytesEach > nLeft)
        AfxThrowArchiveException(CArchiveException::endOfFile, m_pFile->GetFilePath());
    return nSize;
}

void CPkArchive::ReadString(CString& str)
{
    const int nLength = ReadSize(1);
    if (nLength == 0)
    {
        str.Empty();
        return;
    }
    ReadExactly(str.GetBufferSetLength(nLength), (UINT)nLength);
    str.ReleaseBuffer(nLength);
}
