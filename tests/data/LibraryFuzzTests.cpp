#include "ReagentLibraryFixture.h"
#include "LibraryMutations.h"

#include <psapi.h>

namespace
{
SIZE_T PeakCommittedBytes()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    return GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters)) ? counters.PeakPagefileUsage : 0;
}
}

TEST_F(ReagentLibraryTest, RandomAndMutatedLibrariesEndInTheirCompleteRecords)
{
    LibraryMutations mutations(Encode({"Trypsin", "Pepsin", "", "Thermolysin", "Chymotrypsin", "Glu-C", "Lys-C"}),
                               20240611);
    const SIZE_T nPeakBefore = PeakCommittedBytes();
    ASSERT_GT(nPeakBefore, 0u);

    // A thousand here; bench/LibraryFuzz reads a million.
    const int kCases = 1000;
    int nPartlyReadable = 0;
    for (int nCase = 0; nCase < kCases; ++nCase)
    {
        const std::string bytes = mutations.Next();
        WriteLibraryBytes(bytes);
        CFile file;
        ASSERT_TRUE(CReagentLibrary::Open(file, CFile::modeRead));
        CEnzymeDlg holder;
        const int nRecords = CReagentLibrary::ReadRecords(file, holder, [](IReagentRecord&) { return TRUE; });
        ASSERT_EQ(CountCompleteRecords(bytes), nRecords) << "case " << nCase;
        nPartlyReadable += nRecords > 0;
    }
    // Mutations must leave many libraries partly readable, or the test proves little.
    EXPECT_GT(nPartlyReadable, kCases / 3);
    EXPECT_LT(PeakCommittedBytes() - nPeakBefore, (SIZE_T)64 << 20);
}
