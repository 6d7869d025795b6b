// Parser of /proc/meminfo: keys looked up by name, figures taken only on a clean conversion.
#include "linux/meminfo.h"

#include <cstdint>
#include <cstring>

namespace {

enum Field : unsigned {
    mem_total,
    mem_available,
    // Only for kernels without MemAvailable (it exists since Linux 3.14): the estimate's terms.
    mem_free,
    buffers,
    cached,
    sreclaimable,
    shmem,
    field_count
};

struct Key {
    const char* name;
    std::size_t length;
};

constexpr Key keys[field_count] = {
    {"MemTotal", 8}, {"MemAvailable", 12}, {"MemFree", 7},  {"Buffers", 7},
    {"Cached", 6},   {"SReclaimable", 12}, {"Shmem", 5},
};

enum class Figure : unsigned char { missing, valid, malformed };

constexpr std::uint64_t max_kib = UINT64_MAX / 1024;

// value is the text after the colon up to the line's end: spaces, digits, " kB".
bool parse_kib(const char* value, const char* end, std::uint64_t& bytes)
{
    while (value != end && *value == ' ')
        ++value;
    const char* const digits = value;
    std::uint64_t kib = 0;
    for (; value != end && *value >= '0' && *value <= '9'; ++value) {
        const auto digit = static_cast<std::uint64_t>(*value - '0');
        if (kib > (max_kib - digit) / 10)
            return false;
        kib = kib * 10 + digit;
    }
    if (value == digits || end - value != 3 || std::memcmp(value, " kB", 3) != 0)
        return false;
    bytes = kib * 1024;
    return true;
}

int field_of(const char* name, std::size_t length)
{
    for (unsigned field = 0; field < field_count; ++field)
        if (keys[field].length == length && std::memcmp(keys[field].name, name, length) == 0)
            return static_cast<int>(field);
    return -1;
}

struct Figures {
    Figure state[field_count];
    std::uint64_t bytes[field_count];
};

// Takes the first line of each known key, up to the point where nothing more is needed.
void read_figures(const char* text, std::size_t length, Figures& figures)
{
    const char* line = text;
    const char* const text_end = text + length;
    while (line != text_end) {
        const auto* newline = static_cast<const char*>(
            std::memchr(line, '\n', static_cast<std::size_t>(text_end - line)));
        const char* const line_end = newline != nullptr ? newline : text_end;
        const auto* colon = static_cast<const char*>(
            std::memchr(line, ':', static_cast<std::size_t>(line_end - line)));
        const int field = colon != nullptr ? field_of(line, static_cast<std::size_t>(colon - line)) : -1;
        if (field >= 0 && figures.state[field] == Figure::missing) {
            // A line without its newline was cut off by the end of the read: its figure may be too.
            figures.state[field] =
                newline != nullptr && parse_kib(colon + 1, line_end, figures.bytes[field])
                    ? Figure::valid
                    : Figure::malformed;
        }
        // Both lines come first on every kernel that has MemAvailable: the rest need not be read.
        if (figures.state[mem_total] != Figure::missing &&
            figures.state[mem_available] != Figure::missing)
            return;
        line = newline != nullptr ? newline + 1 : text_end;
    }
}

// The estimate that MemAvailable replaced, kept between 0 and the total; false when one of its
// terms is there but malformed. Each term is below 2^54 bytes, so the sum cannot wrap.
bool estimate_available(const Figures& figures, std::uint64_t& available)
{
    std::uint64_t reclaimable = 0;
    for (unsigned field = mem_free; field <= sreclaimable; ++field) {
        if (figures.state[field] == Figure::malformed)
            return false;
        reclaimable += figures.bytes[field];
    }
    if (figures.state[shmem] == Figure::malformed)
        return false;
    const std::uint64_t shared = figures.bytes[shmem];
    available = reclaimable > shared ? reclaimable - shared : 0;
    if (available > figures.bytes[mem_total])
        available = figures.bytes[mem_total];
    return true;
}

} // namespace

bool parse_meminfo(const char* text, std::size_t length, MemorySnapshot& snapshot)
{
    Figures figures{};
    read_figures(text, length, figures);
    if (figures.state[mem_total] != Figure::valid)
        return false;
    std::uint64_t available = figures.bytes[mem_available];
    switch (figures.state[mem_available]) {
    case Figure::valid:
        break;
    case Figure::malformed:
        return false;
    case Figure::missing:
        if (!estimate_available(figures, available))
            return false;
        break;
    }
    snapshot.total_bytes = figures.bytes[mem_total];
    snapshot.available_bytes = available;
    return true;
}
