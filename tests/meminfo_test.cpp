// The /proc/meminfo parser on a real text and on texts that must not be trusted.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>

#include "linux/meminfo.h"

namespace {

constexpr std::uint64_t KiB = 1024;

TEST(Meminfo, ReadsMemTotalAndMemAvailableOfARealText)
{
    std::ifstream file(ZORVAN_TEST_DATA "/meminfo-linux-6.18.txt", std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    ASSERT_FALSE(text.empty());
    MemorySnapshot snapshot{};
    ASSERT_TRUE(parse_meminfo(text.data(), text.size(), snapshot));
    EXPECT_EQ(snapshot.total_bytes, 24683676 * KiB);
    EXPECT_EQ(snapshot.available_bytes, 24304268 * KiB);
}

struct TextCase {
    const char* name;
    std::string text;
    bool accepted;
    std::uint64_t total;
    std::uint64_t available;
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

class MeminfoText : public testing::TestWithParam<TextCase> {};

TEST_P(MeminfoText, IsAcceptedOnlyWhenItsNeededFiguresAreClean)
{
    const TextCase& c = GetParam();
    MemorySnapshot snapshot{11, 22};
    EXPECT_EQ(parse_meminfo(c.text.data(), c.text.size(), snapshot), c.accepted);
    if (c.accepted) {
        EXPECT_EQ(snapshot.total_bytes, c.total);
        EXPECT_EQ(snapshot.available_bytes, c.available);
    } else {
        EXPECT_EQ(snapshot.total_bytes, 11U) << "a rejected text must leave the snapshot alone";
        EXPECT_EQ(snapshot.available_bytes, 22U);
    }
}

// The lines of a kernel without MemAvailable (before 3.14), in their order.
const std::string old_kernel = "MemTotal:        2048000 kB\n"
                               "MemFree:          100000 kB\n"
                               "Buffers:           20000 kB\n"
                               "Cached:           300000 kB\n"
                               "SwapCached:            0 kB\n"
                               "Shmem:             50000 kB\n"
                               "Slab:              80000 kB\n"
                               "SReclaimable:      40000 kB\n";

INSTANTIATE_TEST_SUITE_P(
    Texts, MeminfoText,
    testing::Values(
        TextCase{"new_kernel",
                 "MemTotal: 16 kB\nMemFree: 2 kB\nMemAvailable: 8 kB\nHugePages_Total: 0\n", true,
                 16 * KiB, 8 * KiB},
        TextCase{"available_above_total_as_it_comes", "MemTotal: 4 kB\nMemAvailable: 9 kB\n",
                 true, 4 * KiB, 9 * KiB},
        TextCase{"zero_figures", "MemTotal: 0 kB\nMemAvailable: 0 kB\n", true, 0, 0},
        TextCase{"no_mem_available", old_kernel, true, 2048000 * KiB,
                 (100000 + 20000 + 300000 + 40000 - 50000) * KiB},
        TextCase{"estimate_kept_at_least_zero",
                 "MemTotal: 100 kB\nMemFree: 1 kB\nShmem: 90 kB\n", true, 100 * KiB, 0},
        TextCase{"estimate_kept_at_most_total",
                 "MemTotal: 100 kB\nMemFree: 80 kB\nCached: 80 kB\n", true, 100 * KiB, 100 * KiB},
        TextCase{"only_mem_total", "MemTotal: 100 kB\n", true, 100 * KiB, 0},
        TextCase{"unknown_and_odd_lines_ignored",
                 "Nonsense\n\nMemTotalX: x\nMemTotal:   7 kB\nFoo: -1 kB\nMemAvailable: 3 kB\n",
                 true, 7 * KiB, 3 * KiB},
        TextCase{"first_line_of_a_key_counts",
                 "MemTotal: 7 kB\nMemTotal: 9 kB\nMemAvailable: 3 kB\nMemAvailable: x\n", true,
                 7 * KiB, 3 * KiB},
        TextCase{"unneeded_figure_malformed", "MemTotal: 7 kB\nMemFree: x\nMemAvailable: 3 kB\n",
                 true, 7 * KiB, 3 * KiB},
        TextCase{"largest_figure", "MemTotal: 18014398509481983 kB\nMemAvailable: 1 kB\n", true,
                 18014398509481983 * KiB, KiB},
        TextCase{"empty", "", false, 0, 0},
        TextCase{"no_mem_total", "MemFree: 1 kB\nMemAvailable: 1 kB\n", false, 0, 0},
        TextCase{"cut_off_mid_line", "MemTotal:        24683676 kB\nMemFree:   241", false, 0, 0},
        TextCase{"cut_off_inside_a_figure", "MemTotal:        2468", false, 0, 0},
        TextCase{"cut_off_before_newline", "MemTotal: 5 kB\nMemAvailable: 4 kB", false, 0, 0},
        TextCase{"garbage_bytes", std::string("\x7f\x45\x4c\x46\x00\xff:\n\x01MemTotal\xfe", 14),
                 false, 0, 0},
        TextCase{"negative_figure", "MemTotal: -16 kB\nMemAvailable: 8 kB\n", false, 0, 0},
        TextCase{"negative_available", "MemTotal: 16 kB\nMemAvailable: -8 kB\n", false, 0, 0},
        TextCase{"overflowing_total", "MemTotal: 18014398509481984 kB\nMemAvailable: 1 kB\n",
                 false, 0, 0},
        TextCase{"overflowing_64_bits", "MemTotal: 99999999999999999999999 kB\n", false, 0, 0},
        TextCase{"no_unit", "MemTotal: 16\nMemAvailable: 8 kB\n", false, 0, 0},
        TextCase{"other_unit", "MemTotal: 16 MB\nMemAvailable: 8 kB\n", false, 0, 0},
        TextCase{"trailing_text", "MemTotal: 16 kB extra\nMemAvailable: 8 kB\n", false, 0, 0},
        TextCase{"no_digits", "MemTotal:  kB\nMemAvailable: 8 kB\n", false, 0, 0},
        TextCase{"hex_figure", "MemTotal: 0x10 kB\nMemAvailable: 8 kB\n", false, 0, 0},
        TextCase{"malformed_estimate_term", "MemTotal: 100 kB\nMemFree: 1O kB\n", false, 0, 0},
        TextCase{"malformed_shmem", "MemTotal: 100 kB\nShmem: 1 KB\n", false, 0, 0}),
    [](const testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

} // namespace
