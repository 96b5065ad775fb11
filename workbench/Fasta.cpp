#include "Fasta.h"
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>

namespace
{
CString LineError(LPCSTR lpszPath, int nLine, LPCSTR lpszWhat)
{
    CString strError;
    strError.Format("%s, line %d: %s", lpszPath, nLine, lpszWhat);
    return strError;
}

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
    records.clear();
    std::ifstream in;
    if (!OpenFasta(lpszPath, in, strError))
        return FALSE;
    std::string line;
    int nLine = 0;
    int nHeaderLine = 0;
    bool bEnded = false;  // a '*' ended the current record's sequence
    auto recordIsEmpty = [&]() {
        if (!records.empty() && records.back().strSequence.IsEmpty())
        {
            strError = LineError(lpszPath, nHeaderLine, "the record '" + records.back().strName + "' has no residues");
            return true;
        }
        return false;
    };
    while (std::getline(in, line))
    {
        ++nLine;
        DropCarriageReturn(line);
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '>')
        {
            if (recordIsEmpty())
                return FALSE;
            CFastaRecord record;
            record.strName = RecordName(line, records.size() + 1);
            records.push_back(record);
            nHeaderLine = nLine;
            bEnded = false;
            continue;
        }
        if (records.empty())
        {
            strError = LineError(lpszPath, nLine, "not a FASTA file: the first line that is not empty must start with '>'");
            return FALSE;
        }
        for (char ch : line)
        {
            if (ch == ' ' || ch == '\t')
                continue;
            if (ch == '*' && !bEnded)
            {
                bEnded = true;
                continue;
            }
            if (bEnded || !isalpha((unsigned char)ch))
            {
                CString strWhat;
                strWhat.Format("'%c' is not a residue letter", ch);
                strError = LineError(lpszPath, nLine, strWhat);
                return FALSE;
            }
            records.back().strSequence += (char)toupper((unsigned char)ch);
        }
    }
    if (records.empty())
    {
        strError.Format("%s: not a FASTA file: it holds no record", lpszPath);
        return FALSE;
    }
    return !recordIsEmpty();
}
