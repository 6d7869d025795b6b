// The mode rule and the three screens, byte for byte, for chosen counts.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "report.h"

namespace {

struct ModeCase {
    std::vector<const char*> arguments; // after the program's name
    DisplayMode mode;
};

void PrintTo(const ModeCase& c, std::ostream* os)
{
    for (const char* argument : c.arguments)
        *os << '"' << argument << "\" ";
}

class ModeRule : public testing::TestWithParam<ModeCase> {};

TEST_P(ModeRule, OnlyTheSecondCharacterOfTheLastArgumentCounts)
{
    std::vector<const char*> argv{"zorvan"};
    argv.insert(argv.end(), GetParam().arguments.begin(), GetParam().arguments.end());
    EXPECT_EQ(select_display_mode(static_cast<int>(argv.size()), argv.data()), GetParam().mode);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ModeRule,
    testing::Values(ModeCase{{}, DisplayMode::colour}, ModeCase{{"/m"}, DisplayMode::plain},
                    ModeCase{{"/M"}, DisplayMode::plain}, ModeCase{{"-m"}, DisplayMode::plain},
                    ModeCase{{"xm"}, DisplayMode::plain}, ModeCase{{"/mono"}, DisplayMode::plain},
                    ModeCase{{"/c"}, DisplayMode::colour}, ModeCase{{"/C"}, DisplayMode::colour},
                    ModeCase{{"/x"}, DisplayMode::usage}, ModeCase{{"/?"}, DisplayMode::usage},
                    ModeCase{{"m"}, DisplayMode::usage}, ModeCase{{"c"}, DisplayMode::usage},
                    ModeCase{{"/m", "/x"}, DisplayMode::usage},
                    ModeCase{{"/x", "/m"}, DisplayMode::plain},
                    ModeCase{{"/m", "/c"}, DisplayMode::colour},
                    ModeCase{{""}, DisplayMode::usage}, ModeCase{{"/m", ""}, DisplayMode::usage}));

TEST(ModeRule, NoArgumentVectorAtAllMeansColour)
{
    EXPECT_EQ(select_display_mode(0, nullptr), DisplayMode::colour);
}

TEST(ModeRule, ReadsNothingPastTheNulOfAnEmptyLastArgument)
{
    // A one-byte allocation: AddressSanitizer reports any read of its second byte.
    char* empty = static_cast<char*>(std::malloc(1));
    empty[0] = '\0';
    const char* argv[] = {"zorvan", empty};
    EXPECT_EQ(select_display_mode(2, argv), DisplayMode::usage);
    std::free(empty);
}

std::string screen(DisplayMode mode, std::uint64_t total, std::uint64_t available)
{
    char total_text[grouped_text_size];
    char available_text[grouped_text_size];
    group_digits(total, total_text);
    group_digits(available, available_text);
    char* bytes = nullptr;
    std::size_t size = 0;
    std::FILE* stream = open_memstream(&bytes, &size);
    EXPECT_TRUE(print_screen(stream, mode, total_text, available_text));
    std::fclose(stream);
    std::string text(bytes, size);
    std::free(bytes);
    return text;
}

struct ScreenCase {
    DisplayMode mode;
    std::uint64_t total;
    std::uint64_t available;
    const char* bytes;
};

void PrintTo(const ScreenCase& c, std::ostream* os)
{
    *os << static_cast<int>(c.mode) << ' ' << c.total << ' ' << c.available;
}

class Screen : public testing::TestWithParam<ScreenCase> {};

TEST_P(Screen, IsPrintedByteForByte)
{
    EXPECT_EQ(screen(GetParam().mode, GetParam().total, GetParam().available), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, Screen,
    testing::Values(
        // Nine digits fill the field exactly; zero is ten spaces and a 0.
        ScreenCase{DisplayMode::colour, 999999999, 0,
                   "\n"
                   "\x1b[44;37mZorvantikelbrume Ver0.02 By Quenthask\x1b[44;0m\n"
                   "-------------------------------------\n"
                   "TotalPhysicalMemory :\x1b[36m999,999,999\x1b[0m Byte\n"
                   "TotalAvailableMemory:\x1b[36m          0\x1b[0m Byte\n"},
        ScreenCase{DisplayMode::plain, 999999999, 0,
                   "\n"
                   "Zorvantikelbrume Ver0.02 By Quenthask\n"
                   "-------------------------------------\n"
                   "TotalPhysicalMemory :999,999,999 Byte\n"
                   "TotalAvailableMemory:          0 Byte\n"},
        // Ten digits are 13 characters, past 32 bits more: printed whole, the line widens.
        ScreenCase{DisplayMode::plain, 25276084224, 4294967295,
                   "\n"
                   "Zorvantikelbrume Ver0.02 By Quenthask\n"
                   "-------------------------------------\n"
                   "TotalPhysicalMemory :25,276,084,224 Byte\n"
                   "TotalAvailableMemory:4,294,967,295 Byte\n"},
        ScreenCase{DisplayMode::colour, 25276084224, 65536000,
                   "\n"
                   "\x1b[44;37mZorvantikelbrume Ver0.02 By Quenthask\x1b[44;0m\n"
                   "-------------------------------------\n"
                   "TotalPhysicalMemory :\x1b[36m25,276,084,224\x1b[0m Byte\n"
                   "TotalAvailableMemory:\x1b[36m 65,536,000\x1b[0m Byte\n"},
        ScreenCase{DisplayMode::usage, 25276084224, 65536000,
                   "\n"
                   "Zorvantikelbrume Ver0.02 By Quenthask\n"
                   "-------------------------------------\n"
                   "   ZORVAN [/m]\n"
                   "\n"
                   "    /m  : Display as Mono Color\n"}));

TEST(Screen, ReportsAFailedPrint)
{
    // A stream opened only for reading fails every write.
    std::FILE* stream = std::fopen("/dev/null", "r");
    ASSERT_NE(stream, nullptr);
    EXPECT_FALSE(print_screen(stream, DisplayMode::plain, "1", "1"));
    std::fclose(stream);
}

} // namespace
