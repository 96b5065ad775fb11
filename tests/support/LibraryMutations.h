// Damaged reagent libraries for fuzzing the library reader, and an independent count of
// the complete records that such bytes hold (decoded by the byte layout in CPkArchive.h,
// not with the archive).
#pragma once
#include <climits>
#include <cstring>
#include <random>
#include <string>

class LibraryMutations
{
public:
    // The same random start gives the same sequence of libraries.
    LibraryMutations(const std::string& library, unsigned nSeed) : m_library(library), m_random(nSeed) {}

    // Every third library is random bytes built of extreme values and short runs; the
    // others are the good library changed in one to four places.
    std::string Next()
    {
        std::string bytes;
        if (m_nMade++ % 3 == 0)
        {
            for (size_t nTokens = Below(40); nTokens > 0; --nTokens)
                bytes += Below(2) ? ExtremeInt(bytes.size()) : std::string(Below(8), (char)Below(256));
            return bytes;
        }
        bytes = m_library;
        for (size_t nMutations = 1 + Below(4); nMutations > 0 && !bytes.empty(); --nMutations)
        {
            const size_t at = Below(bytes.size());
            switch (Below(4))
            {
            case 0: bytes[at] = (char)Below(256); break;
            case 1: bytes.replace(at, 4, ExtremeInt(bytes.size())); break;
            case 2: bytes.resize(at); break;
            default: bytes.erase(at, 1 + Below(16)); break;
            }
        }
        return bytes;
    }

private:
    size_t Below(size_t nLimit) { return (size_t)(m_random() % nLimit); }

    // Values that make lengths and counts negative, huge, or just past the end.
    std::string ExtremeInt(size_t nSize)
    {
        const int values[] = {INT_MAX, INT_MIN, -1, 0x40000000, (int)nSize, (int)nSize + 1, 3};
        return std::string((const char*)&values[Below(7)], 4);
    }

    const std::string m_library;
    std::mt19937 m_random;
    unsigned long m_nMade = 0;
};

// The number of complete records at the start of the bytes: name, two efficiencies, then
// count, begin and cells of each side.
inline int CountCompleteRecords(const std::string& bytes)
{
    size_t at = 0;
    int n = 0;
    const auto readInt = [&]() {
        if (bytes.size() - at < 4)
            return false;
        memcpy(&n, bytes.data() + at, 4);
        at += 4;
        return true;
    };
    const auto readString = [&]() {
        if (!readInt() || n < 0 || (size_t)n > bytes.size() - at)
            return false;
        at += (size_t)n;
        return true;
    };
    const auto readList = [&]() {
        int nLeft = readInt() ? n : -1;
        while (nLeft > 0 && readString())
            --nLeft;
        return nLeft == 0;
    };
    int nRecords = 0;
    while (readString() && readString() && readString() && readInt() && readInt() && readList() && readInt() &&
           readInt() && readList())
        ++nRecords;
    return nRecords;
}
