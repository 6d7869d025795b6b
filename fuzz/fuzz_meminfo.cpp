// The /proc/meminfo parser on arbitrary bytes against a plain, slow reference parse.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "linux/meminfo.h"

namespace {

constexpr std::uint64_t max_kib = UINT64_MAX / 1024;

struct Figure {
    bool clean;
    std::uint64_t bytes;
};

// A figure is clean when the text after the colon is spaces, decimal digits, " kB" and nothing
// else, on a line that ends in a newline, and the bytes fit in 64 bits.
Figure reference_figure(const std::string& after_colon, bool has_newline)
{
    std::size_t i = after_colon.find_first_not_of(' ');
    if (!has_newline || i == std::string::npos)
        return {false, 0};
    const std::size_t digits_end = after_colon.find_first_not_of("0123456789", i);
    if (digits_end == i || digits_end == std::string::npos || after_colon.substr(digits_end) != " kB")
        return {false, 0};
    // Long division by hand: no library conversion is trusted with the limits here.
    std::uint64_t kib = 0;
    for (; i < digits_end; ++i) {
        const unsigned digit = static_cast<unsigned>(after_colon[i] - '0');
        if (kib > max_kib / 10 || kib * 10 > max_kib - digit)
            return {false, 0};
        kib = kib * 10 + digit;
    }
    return {true, kib * 1024};
}

bool reference_parse(const std::string& text, MemorySnapshot& snapshot)
{
    std::map<std::string, Figure> first;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const bool has_newline = end != std::string::npos;
        if (!has_newline)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        const std::size_t colon = line.find(':');
        if (colon != std::string::npos) {
            const std::string key = line.substr(0, colon);
            if (first.count(key) == 0)
                first[key] = reference_figure(line.substr(colon + 1), has_newline);
        }
        start = end + 1;
    }
    const auto figure = [&](const char* key) -> const Figure* {
        const auto it = first.find(key);
        return it == first.end() ? nullptr : &it->second;
    };
    const Figure* total = figure("MemTotal");
    if (total == nullptr || !total->clean)
        return false;
    if (const Figure* available = figure("MemAvailable")) {
        if (!available->clean)
            return false;
        snapshot = {total->bytes, available->bytes};
        return true;
    }
    std::uint64_t terms[5] = {};
    const char* keys[5] = {"MemFree", "Buffers", "Cached", "SReclaimable", "Shmem"};
    for (int i = 0; i < 5; ++i) {
        if (const Figure* term = figure(keys[i])) {
            if (!term->clean)
                return false;
            terms[i] = term->bytes;
        }
    }
    const std::uint64_t reclaimable = terms[0] + terms[1] + terms[2] + terms[3];
    std::uint64_t available = reclaimable > terms[4] ? reclaimable - terms[4] : 0;
    if (available > total->bytes)
        available = total->bytes;
    snapshot = {total->bytes, available};
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // An exact-size copy, so that AddressSanitizer sees any read past the text's end.
    std::vector<char> text(data, data + size);
    MemorySnapshot parsed{1, 2};
    const bool accepted = parse_meminfo(text.data(), text.size(), parsed);

    MemorySnapshot expected{1, 2};
    const bool expected_accepted = reference_parse(std::string(text.begin(), text.end()), expected);
    if (accepted != expected_accepted || parsed.total_bytes != expected.total_bytes ||
        parsed.available_bytes != expected.available_bytes)
        std::abort();
    return 0;
}
