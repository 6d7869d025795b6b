// group_digits: grouping by threes from the right, over the whole 64-bit range.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>

#include "report.h"

namespace {

struct GroupingCase {
    std::uint64_t value;
    const char* text;
};

void PrintTo(const GroupingCase& c, std::ostream* os) { *os << c.value; }

class GroupDigits : public testing::TestWithParam<GroupingCase> {};

TEST_P(GroupDigits, WritesGroupedTextAndLeavesTheRestOfTheBufferAlone)
{
    char out[grouped_text_size];
    std::memset(out, '#', sizeof out);
    group_digits(GetParam().value, out);

    const std::size_t length = std::strlen(GetParam().text);
    EXPECT_EQ(std::string(out, length), GetParam().text);
    EXPECT_EQ(out[length], '\0');
    for (std::size_t i = length + 1; i < sizeof out; ++i)
        EXPECT_EQ(out[i], '#') << "byte " << i << " behind the NUL was written";
}

INSTANTIATE_TEST_SUITE_P(
    Counts, GroupDigits,
    testing::Values(GroupingCase{0, "0"}, GroupingCase{7, "7"}, GroupingCase{999, "999"},
                    GroupingCase{1000, "1,000"}, GroupingCase{12345, "12,345"},
                    GroupingCase{100000, "100,000"}, GroupingCase{1000000, "1,000,000"},
                    GroupingCase{65536000, "65,536,000"}, GroupingCase{999999999, "999,999,999"},
                    GroupingCase{1000000000, "1,000,000,000"},
                    GroupingCase{4294967295, "4,294,967,295"},
                    GroupingCase{4294967296, "4,294,967,296"},
                    GroupingCase{25276084224, "25,276,084,224"},
                    GroupingCase{UINT64_MAX, "18,446,744,073,709,551,615"}));

} // namespace
