#include "RowBuffer.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace cleavage;

namespace
{
// A row of every kind of field, its last field `last`.
void WriteRow(RowBuffer& rows, const std::string& name, const std::string& last)
{
    rows.Field(name);
    rows.Field(std::size_t{12});
    rows.Field('K');
    rows.Probability(0.81);
    rows.Mass(1045534476, kMonoDecimals);
    rows.Field(last.data(), last.size());
    rows.EndRow();
}
}

TEST(RowBufferTest, RowsOfAnyLengthKeepEveryFieldStreamedOrKept)
{
    // Short rows, and rows whose name or last field outgrow the room taken for a number.
    const std::pair<std::size_t, std::size_t> sizes[] = {{2, 5}, {1000, 5}, {2, 3000}, {700, 700}};
    std::ostringstream streamed;
    std::string expected;
    {
        RowBuffer kept, toStream(&streamed);
        for (int repeat = 0; repeat < 400; ++repeat)
            for (const auto& [nameSize, lastSize] : sizes)
            {
                const std::string name(nameSize, 'n'), last(lastSize, 'W');
                expected += name + "\t12\tK\t0.81\t1045.534476\t" + last + "\n";
                WriteRow(kept, name, last);
                WriteRow(toStream, name, last);
            }
        EXPECT_EQ(expected, kept.Take());
        // A row whose last field left a tab ends the same way.
        kept.Field(std::size_t{7});
        kept.EndRow();
        EXPECT_EQ("7\n", kept.Take());
        // Past a block the stream takes the rows as they fill; the rest on Flush.
        toStream.Flush();
    }
    EXPECT_EQ(expected, streamed.str());
}
