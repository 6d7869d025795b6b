// The mode rule on arbitrary argument vectors: the input split at NUL bytes, one argument a piece.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "report.h"

namespace {

// The rule written out plainly: only the second character of the last argument counts.
DisplayMode reference_mode(const std::vector<char*>& argv)
{
    if (argv.size() <= 1)
        return DisplayMode::colour;
    const char* last = argv.back();
    if (std::strlen(last) < 1)
        return DisplayMode::usage;
    const char second = last[1]; // the NUL of a one-character argument
    if (second == 'c' || second == 'C')
        return DisplayMode::colour;
    if (second == 'm' || second == 'M')
        return DisplayMode::plain;
    return DisplayMode::usage;
}

void print(DisplayMode mode, char (&screen)[512])
{
    std::memset(screen, 0, sizeof screen);
    std::FILE* stream = fmemopen(screen, sizeof screen, "w");
    if (stream == nullptr || !print_screen(stream, mode, "1,234", "5"))
        std::abort();
    std::fclose(stream);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Each argument in an allocation of exactly its length and NUL: AddressSanitizer reports any
    // read past an argument's end.
    std::vector<char*> argv;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= size && size != 0; ++i) {
        if (i == size || data[i] == '\0') {
            char* argument = static_cast<char*>(std::malloc(i - start + 1));
            std::memcpy(argument, data + start, i - start);
            argument[i - start] = '\0';
            argv.push_back(argument);
            start = i + 1;
        }
    }
    const int argc = static_cast<int>(argv.size());
    argv.push_back(nullptr);

    const DisplayMode mode = select_display_mode(argc, argv.data());
    const DisplayMode expected = reference_mode({argv.begin(), argv.end() - 1});
    char screen[512];
    char expected_screen[512];
    print(mode, screen);
    print(expected, expected_screen);
    if (mode != expected || std::memcmp(screen, expected_screen, sizeof screen) != 0)
        std::abort();

    for (char* argument : argv)
        std::free(argument);
    return 0;
}
