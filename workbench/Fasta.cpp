#include "Fasta.h"
#include "EngineError.h"
#include "FastaReader.h"

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
