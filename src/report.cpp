// The mode rule and the three screens; they know the two count texts and nothing of the platform.
#include "report.h"

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

bool print_screen(std::FILE* stream, DisplayMode mode, const char* total_text,
                  const char* available_text)
{
    // Every print is checked: a print that fails after another succeeded must not be lost.
    bool ok = std::fputc('\n', stream) != EOF;
    switch (mode) {
    case DisplayMode::colour:
        ok &= std::fprintf(stream, "\x1b[44;37mZorvantikelbrume Ver%s By Quenthask\x1b[44;0m\n",
                           ZORVAN_VERSION) >= 0;
        ok &= std::fprintf(stream, "-------------------------------------\n") >= 0;
        ok &= std::fprintf(stream, "TotalPhysicalMemory :\x1b[36m%11s\x1b[0m Byte\n",
                           total_text) >= 0;
        ok &= std::fprintf(stream, "TotalAvailableMemory:\x1b[36m%11s\x1b[0m Byte\n",
                           available_text) >= 0;
        break;
    case DisplayMode::plain:
        ok &= std::fprintf(stream, "Zorvantikelbrume Ver%s By Quenthask\n", ZORVAN_VERSION) >= 0;
        ok &= std::fprintf(stream, "-------------------------------------\n") >= 0;
        ok &= std::fprintf(stream, "TotalPhysicalMemory :%11s Byte\n", total_text) >= 0;
        ok &= std::fprintf(stream, "TotalAvailableMemory:%11s Byte\n", available_text) >= 0;
        break;
    case DisplayMode::usage:
        ok &= std::fprintf(stream, "Zorvantikelbrume Ver%s By Quenthask\n", ZORVAN_VERSION) >= 0;
        ok &= std::fprintf(stream, "-------------------------------------\n") >= 0;
        ok &= std::fprintf(stream, "   ZORVAN [/m]\n\n") >= 0;
        ok &= std::fprintf(stream, "    /m  : Display as Mono Color\n") >= 0;
        break;
    }
    return ok;
}
