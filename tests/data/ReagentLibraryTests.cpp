#include "ReagentLibraryFixture.h"
#include "ExceptionCause.h"
#include "FailingFile.h"

TEST_F(ReagentLibraryTest, PathFollowsTheInstallationAndMissingOrEmptyLibrariesHoldNothing)
{
    EXPECT_STREQ(m_scratch.PathOf("AM\\Enzymes.dat"), CReagentLibrary::GetPath());
    CFile file;
    CFileException error;
    EXPECT_FALSE(CReagentLibrary::Open(file, CFile::modeRead, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
    WriteLibraryBytes("");
    EXPECT_TRUE(LibraryNames().empty());
}

TEST_F(ReagentLibraryTest, TruncatedFourthRecordIsNeitherReadNorFoundAndARewriteDropsIt)
{
    const std::string fourth = Encode({"Chymotrypsin"});
    WriteLibraryBytes(Encode({"Trypsin", "Pepsin", "Thermolysin"}) + fourth.substr(0, fourth.size() - 5));
    EXPECT_EQ((Texts{"Trypsin", "Pepsin", "Thermolysin"}), LibraryNames());
    CFile file;
    ASSERT_TRUE(CReagentLibrary::Open(file, CFile::modeRead));
    CEnzymeDlg holder, found;
    EXPECT_FALSE(CReagentLibrary::FindReagent(file, "Chymotrypsin", holder, found));
    ASSERT_TRUE(CReagentLibrary::RemoveReagent(file, "Pepsin", holder));
    EXPECT_EQ(Encode({"Trypsin", "Thermolysin"}), ReadLibraryBytes());
}

TEST_F(ReagentLibraryTest, EveryOpenIsExclusive)
{
    WriteLibraryBytes(Encode({"Trypsin"}));
    CFile holder, second;
    ASSERT_TRUE(CReagentLibrary::Open(holder, CFile::modeRead | CFile::shareDenyNone));
    CFileException error;
    EXPECT_FALSE(CReagentLibrary::Open(second, CFile::modeRead, &error));
    EXPECT_EQ(CFileException::sharingViolation, error.m_cause);
    EXPECT_FALSE(second.Open(CReagentLibrary::GetPath(), CFile::modeRead | CFile::shareDenyNone));
}

TEST_F(ReagentLibraryTest, EachRecordIsReadIntoEmptiedListsAndTheActionCanStopTheLoop)
{
    CEnzymeDlg longer, shorter, holder;
    MakeReagent(longer, "Long", 6);
    MakeReagent(shorter, "Short", 1);
    CMemFile file;
    CPkArchive ar(&file, CPkArchive::store);
    for (CEnzymeDlg* pReagent : {&longer, &shorter, &shorter})
        pReagent->SerializeReagent(ar);
    std::vector<INT_PTR> cellCounts;
    EXPECT_EQ(2, CReagentLibrary::ReadRecords(file, holder, [&](IReagentRecord& record) {
                  cellCounts.push_back(holder.m_recognition.m_lstCells.GetCount());
                  return record.GetReagentName() != "Short";
              }));
    EXPECT_EQ((std::vector<INT_PTR>{6, 1}), cellCounts);
}

TEST_F(ReagentLibraryTest, DuplicateNamesAreFoundLastWithEveryFieldAndRemovedTogether)
{
    CEnzymeDlg later;
    MakeReagent(later, "Trypsin", 1);
    later.m_strRecognitionProbability = "95";
    later.m_strExceptionProbability = "80";
    later.m_exception.m_nBegin = 1;
    later.m_exception.m_nCount = 1;
    later.m_exception.m_lstCells.AddTail("P");
    WriteLibraryBytes(Encode({"Trypsin", "trypsin"}) + BytesOfRecord(later));

    CFile file;
    ASSERT_TRUE(CReagentLibrary::Open(file, CFile::modeRead));
    CEnzymeDlg holder, found;
    ASSERT_TRUE(CReagentLibrary::FindReagent(file, "Trypsin", holder, found));
    EXPECT_EQ(BytesOfRecord(later), BytesOfRecord(found));
    ASSERT_TRUE(CReagentLibrary::RemoveReagent(file, "Trypsin", holder));
    EXPECT_EQ(Encode({"trypsin"}), ReadLibraryBytes());
}

TEST_F(ReagentLibraryTest, AppendingCreatesAMissingLibraryAndAddsOnlyTheRecordAtTheEnd)
{
    // Straight after opening: the file is positioned at its start.
    for (LPCSTR lpszName : {"Trypsin", "Pepsin"})
    {
        CFile file;
        ASSERT_TRUE(CReagentLibrary::Open(file, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite));
        CEnzymeDlg reagent;
        MakeReagent(reagent, lpszName);
        CReagentLibrary::AppendReagent(file, reagent);
    }
    EXPECT_EQ(Encode({"Trypsin", "Pepsin"}), ReadLibraryBytes());
}

TEST_F(ReagentLibraryTest, RewriteOnTheOpenFileKeepsOrderAndCountAndADamagedRecordEndsItLikeTheEndOfTheFile)
{
    CEnzymeDlg holder, replacement;
    MakeReagent(replacement, "Pep");  // shorter: the file must shrink
    const auto rewrite = [&] {
        CFile file;
        ASSERT_TRUE(CReagentLibrary::Open(file, CFile::modeReadWrite));
        CMemFile image;
        CReagentLibrary::BuildImage(file, holder, image, [&](IReagentRecord& record, CPkArchive& arImage) {
            (record.GetReagentName() == "Pepsin" ? replacement : record).SerializeReagent(arImage);
        });
        CReagentLibrary::WriteImage(file, image);
    };
    const std::string library = Encode({"Trypsin", "Pepsin", "Thermolysin"});
    WriteLibraryBytes(library);
    rewrite();
    EXPECT_EQ(Encode({"Trypsin", "Pep", "Thermolysin"}), ReadLibraryBytes());
    // A negative length in the second record.
    std::string damaged = library;
    damaged[Encode({"Trypsin"}).size() + 3] = '\x80';
    WriteLibraryBytes(damaged);
    rewrite();
    EXPECT_EQ(Encode({"Trypsin"}), ReadLibraryBytes());
}

TEST_F(ReagentLibraryTest, RebuildThatFailsThrowsAndLeavesTheLibraryAsItWas)
{
    const std::string library = Encode({"Trypsin", "Pepsin", "Thermolysin"});
    WriteLibraryBytes(library);
    CEnzymeDlg holder, longer;
    MakeReagent(longer, "Trypsin", 9);
    // Rebuilds with a longer first record on a failing disk, or with a record action that
    // fails; the cause of the file exception thrown, -1 for none, -2 for another exception.
    const auto rebuild = [&](ULONGLONG nReadableBytes, ULONGLONG nCapacity, bool bActionFails = false,
                             ULONGLONG nWritableBytes = ULLONG_MAX) {
        FailingFile file;
        EXPECT_TRUE(CReagentLibrary::Open(file, CFile::modeReadWrite));
        file.m_nReadableBytes = nReadableBytes;
        file.m_nCapacity = nCapacity;
        file.m_nWritableBytes = nWritableBytes;
        CMemFile image;
        const int nCause = CauseOf<CFileException>([&] {
            CReagentLibrary::BuildImage(file, holder, image, [&](IReagentRecord& record, CPkArchive& arImage) {
                if (bActionFails)
                    AfxThrowMemoryException();
                (record.GetReagentName() == "Trypsin" ? longer : record).SerializeReagent(arImage);
            });
            CReagentLibrary::WriteImage(file, image);
        });
        file.Close();
        EXPECT_EQ(library, ReadLibraryBytes());
        return nCause;
    };
    // A read error inside the third record; a disk with no room for a byte more; the action's
    // memory exception; a write that fails part-way, after the first record was overwritten.
    EXPECT_EQ(CFileException::hardIO, rebuild(Encode({"Trypsin", "Pepsin"}).size() + 5, ULLONG_MAX));
    EXPECT_EQ(CFileException::diskFull, rebuild(ULLONG_MAX, library.size()));
    EXPECT_EQ(-2, rebuild(ULLONG_MAX, ULLONG_MAX, true));
    EXPECT_EQ(CFileException::hardIO, rebuild(ULLONG_MAX, ULLONG_MAX, false, 40));
}
