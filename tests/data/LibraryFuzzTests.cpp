#include "ReagentLibraryFixture.h"

#include <cstring>
#include <psapi.h>
#include <random>

namespace
{
// The number of complete records at the start of the bytes, decoded independently of the archive.
int CountCompleteRecords(const std::string& bytes)
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

SIZE_T PeakCommittedBytes()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    return GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters)) ? counters.PeakPagefileUsage : 0;
}
}

TEST_F(ReagentLibraryTest, RandomAndMutatedLibrariesEndInTheirCompleteRecords)
{
    const std::string library = Encode({"Trypsin", "Pepsin", "", "Thermolysin", "Chymotrypsin", "Glu-C", "Lys-C"});
    std::mt19937 random(20240611);
    const auto below = [&](size_t nLimit) { return (size_t)(random() % nLimit); };
    // Values that make lengths and counts negative, huge, or just past the end.
    const auto extremeInt = [&](size_t nSize) {
        const int values[] = {INT_MAX, INT_MIN, -1, 0x40000000, (int)nSize, (int)nSize + 1, 3};
        return std::string((const char*)&values[below(7)], 4);
    };
    const SIZE_T nPeakBefore = PeakCommittedBytes();
    ASSERT_GT(nPeakBefore, 0u);

    int nPartlyReadable = 0;
    for (int nCase = 0; nCase < 3000; ++nCase)
    {
        std::string bytes;
        if (nCase % 3 == 0)
        {
            for (size_t nTokens = below(40); nTokens > 0; --nTokens)
                bytes += below(2) ? extremeInt(bytes.size()) : std::string(below(8), (char)below(256));
        }
        else
        {
            bytes = library;
            for (size_t nMutations = 1 + below(4); nMutations > 0 && !bytes.empty(); --nMutations)
            {
                const size_t at = below(bytes.size());
                switch (below(4))
                {
                case 0: bytes[at] = (char)below(256); break;
                case 1: bytes.replace(at, 4, extremeInt(bytes.size())); break;
                case 2: bytes.resize(at); break;
                default: bytes.erase(at, 1 + below(16)); break;
                }
            }
        }
        WriteBytes(bytes);
        CFile file;
        ASSERT_TRUE(CReagentLibrary::Open(file, CFile::modeRead));
        CEnzymeDlg holder;
        const int nRecords = CReagentLibrary::ReadRecords(file, holder, [](IReagentRecord&) { return TRUE; });
        ASSERT_EQ(CountCompleteRecords(bytes), nRecords) << "case " << nCase;
        nPartlyReadable += nRecords > 0;
    }
    // Mutations must leave many libraries partly readable, or the test proves little.
    EXPECT_GT(nPartlyReadable, 1000);
    EXPECT_LT(PeakCommittedBytes() - nPeakBefore, (SIZE_T)64 << 20);
}
