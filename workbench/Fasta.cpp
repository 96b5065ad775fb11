#include "Fasta.h"
#include "EngineError.h"
#include "FastaReader.h"
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>

namespace
{
BOOL OpenFasta(LPCSTR lpszPath, std::ifstream& in, CString& strError)
{
    in.open(lpszPath, std::ios::binary);
    if (!in)
        strError.Format("%s: cannot open the file: %s", lpszPath, (LPCSTR)AfxGetSystemErrorText(GetLastError()));
    return (bool)in;
}

// A record's name: the first word of its header line; "record N" for a header without one.
CString RecordName(const std::string& header, size_t nRecord)
{
    const size_t nEnd = header.find_first_of(" \t", 1);
    CString strName = header.substr(1, nEnd == std::string::npos ? std::string::npos : nEnd - 1).c_str();
    if (strName.IsEmpty())
        strName.Format("record %d", (int)nRecord);
    return strName;
}

void DropCarriageReturn(std::string& line)
{
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
}
}

BOOL ReadFastaNames(LPCSTR lpszPath, std::vector<CString>& names, CString& strError)
{
    names.clear();
    std::ifstream in;
    if (!OpenFasta(lpszPath, in, strError))
        return FALSE;
    // Read in large blocks: a proteome is millions of sequence lines, and only the few
    // header lines matter here.
    const size_t kBlockBytes = 1 << 20;
    std::vector<char> block(kBlockBytes);
    std::string header;
    bool bInHeader = false;
    bool bLineStart = true;
    while (in.read(block.data(), (std::streamsize)block.size()) || in.gcount() > 0)
    {
        const char* p = block.data();
        const char* const pEnd = p + in.gcount();
        while (p < pEnd)
        {
            if (bInHeader)
            {
                const char* pLineEnd = (const char*)memchr(p, '\n', pEnd - p);
                header.append(p, pLineEnd != NULL ? pLineEnd : pEnd);
                if (pLineEnd == NULL)
                    break;
                DropCarriageReturn(header);
                names.push_back(RecordName(header, names.size() + 1));
                bInHeader = false;
                bLineStart = true;
                p = pLineEnd + 1;
            }
            else if (bLineStart && *p == '>')
            {
                bInHeader = true;
                header.clear();
            }
            else
            {
                const char* pLineEnd = (const char*)memchr(p, '\n', pEnd - p);
                bLineStart = pLineEnd != NULL;
                p = pLineEnd != NULL ? pLineEnd + 1 : pEnd;
            }
        }
    }
    if (bInHeader)
        names.push_back(RecordName(header, names.size() + 1));
    if (in.bad())
        strError.Format("%s: cannot read the file: %s", lpszPath, strerror(errno));
    return !in.bad();
}

BOOL ReadFastaFile(LPCSTR lpszPath, std::vector<CFastaRecord>& records, CString& strError)
{
    // The engine's reader, so that the window and the engine accept the same files.
    records.clear();
    try
    {
        cleavage::FastaReader reader(lpszPath);
        for (cleavage::FastaRecord record; reader.Next(record);)
            records.push_back({record.name.c_str(), record.sequence.c_str()});
    }
    catch (const cleavage::EngineError& error)
    {
        records.clear();
        strError = error.what();
        return FALSE;
    }
    return TRUE;
}
