#include "FastaReader.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

using namespace cleavage;

// Files the reader refuses, each with the line its message names.
TEST(FastaReaderTest, MistakesNameTheLine)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", "in.fa: not a FASTA file: it holds no record"},
        {"MKW\n>late\nMKW\n", "in.fa, line 1: not a FASTA file: the first line that is not empty must start with '>'"},
        {">one\nMKW\n> two\nMKW\n", "in.fa, line 3: a record without a name"},
        {">one\nMKW\n>two\n;\n>three\nMK\n", "in.fa, line 3: the record 'two' has no residues"},
        // A '*' ends the record's residues.
        {">one\nMK*\n\nW\n", "in.fa, line 4: residues after the '*' that ended record 'one' on line 2"},
        // CR LF line ends count one line each.
        {">one\r\nMKW\r\n>two\r\nMK?\r\n", "in.fa, line 4: '?' is not a residue letter (character 3)"},
    };
    TestFolder folder;
    for (const auto& [text, message] : cases)
    {
        folder.Write("in.fa", text);
        EXPECT_EQ(folder.PathOf(message), ErrorOf([&] {
                      FastaReader reader(folder.PathOf("in.fa"));
                      for (FastaRecord record; reader.Next(record);)
                      {
                      }
                  }));
    }
}

// A byte-order mark, CR-only and CR LF line ends, ';' comment lines, blanks, lower case,
// a name ended by a blank or a tab and a final '*' read as the plain file does.
TEST(FastaReaderTest, LineEndsCommentsAndMarksOfOtherEditors)
{
    TestFolder folder;
    folder.Write("in.fa", "\xEF\xBB\xBF>one first\r; note\rmk w\r\n*\n>two\tsecond\rGG\r");
    FastaReader reader(folder.PathOf("in.fa"));
    FastaRecord one, two, none;
    ASSERT_TRUE(reader.Next(one) && reader.Next(two));
    EXPECT_FALSE(reader.Next(none));
    EXPECT_EQ("one MKW two GG", one.name + " " + one.sequence + " " + two.name + " " + two.sequence);
    EXPECT_EQ(5, two.line);
    // Counted without reading them, the records are the same two.
    EXPECT_EQ(2u, CountFastaRecords(folder.PathOf("in.fa")));
}
