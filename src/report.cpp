// The mode rule and the three screens; they know the two count texts and nothing of the platform.
#include "report.h"

#include <cstddef>
#include <cstring>

#include "version.h"

DisplayMode select_display_mode(int argc, const char* const* argv)
{
    if (argc <= 1 || argv == nullptr)
        return DisplayMode::colour;
    const char* last = argv[argc - 1];
    // An empty argument has no second character: reading last[1] would be past its NUL.
    if (last == nullptr || last[0] == '\0')
        return DisplayMode::usage;
    switch (last[1]) {
    case 'C':
    case 'c':
        return DisplayMode::colour;
    case 'M':
    case 'm':
        return DisplayMode::plain;
    default:
        return DisplayMode::usage;
    }
}

namespace {

constexpr std::size_t count_field_width = 11;

// One count line: label, the count right-aligned in its field (never cut), then the tail.
// fputs and fwrite instead of fprintf: the screen is fixed text, and vfprintf is most of the
// instructions and touched pages of a run.
bool put_count_line(std::FILE* stream, const char* label, const char* count_text, const char* tail)
{
    static const char spaces[count_field_width + 1] = "           ";
    const std::size_t length = std::strlen(count_text);
    const std::size_t padding = length < count_field_width ? count_field_width - length : 0;
    bool ok = std::fputs(label, stream) >= 0;
    ok &= std::fwrite(spaces, 1, padding, stream) == padding;
    ok &= std::fputs(count_text, stream) >= 0;
    ok &= std::fputs(tail, stream) >= 0;
    return ok;
}

} // namespace

bool print_screen(std::FILE* stream, DisplayMode mode, const char* total_text,
                  const char* available_text)
{
    // Every write is checked: one that fails after another succeeded must not be lost.
    bool ok = std::fputc('\n', stream) != EOF;
    switch (mode) {
    case DisplayMode::colour:
        ok &= std::fputs("\x1b[44;37mZorvantikelbrume Ver" ZORVAN_VERSION
                         " By Quenthask\x1b[44;0m\n",
                         stream) >= 0;
        ok &= std::fputs("-------------------------------------\n", stream) >= 0;
        ok &= put_count_line(stream, "TotalPhysicalMemory :\x1b[36m", total_text,
                             "\x1b[0m Byte\n");
        ok &= put_count_line(stream, "TotalAvailableMemory:\x1b[36m", available_text,
                             "\x1b[0m Byte\n");
        break;
    case DisplayMode::plain:
        ok &= std::fputs("Zorvantikelbrume Ver" ZORVAN_VERSION " By Quenthask\n", stream) >= 0;
        ok &= std::fputs("-------------------------------------\n", stream) >= 0;
        ok &= put_count_line(stream, "TotalPhysicalMemory :", total_text, " Byte\n");
        ok &= put_count_line(stream, "TotalAvailableMemory:", available_text, " Byte\n");
        break;
    case DisplayMode::usage:
        ok &= std::fputs("Zorvantikelbrume Ver" ZORVAN_VERSION " By Quenthask\n", stream) >= 0;
        ok &= std::fputs("-------------------------------------\n", stream) >= 0;
        ok &= std::fputs("   ZORVAN [/m]\n\n", stream) >= 0;
        ok &= std::fputs("    /m  : Display as Mono Color\n", stream) >= 0;
        break;
    }
    return ok;
}
