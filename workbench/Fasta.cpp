#include "Fasta.h"
#include <cctype>
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
}

BOOL ReadFastaFile(LPCSTR lpszPath, std::vector<CFastaRecord>& records, CString& strError)
{
    records.clear();
    std::ifstream in(lpszPath, std::ios::binary);
    if (!in)
    {
        strError.Format("%s: cannot open the file: %s", lpszPath, (LPCSTR)AfxGetSystemErrorText(GetLastError()));
        return FALSE;
    }
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
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '>')
        {
            if (recordIsEmpty())
                return FALSE;
            const size_t nEnd = line.find_first_of(" \t", 1);
            CFastaRecord record;
            record.strName = line.substr(1, nEnd == std::string::npos ? std::string::npos : nEnd - 1).c_str();
            if (record.strName.IsEmpty())
                record.strName.Format("record %d", (int)records.size() + 1);
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
