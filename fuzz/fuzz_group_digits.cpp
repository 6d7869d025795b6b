// group_digits on arbitrary 64-bit values against a grouping of std::to_string.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "report.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < sizeof(std::uint64_t))
        return 0;
    std::uint64_t value = 0;
    std::memcpy(&value, data, sizeof value);

    const std::string digits = std::to_string(value);
    std::string expected;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i != 0 && (digits.size() - i) % 3 == 0)
            expected += ',';
        expected += digits[i];
    }

    // The rest of the input fills the buffer, so a stray write behind the NUL shows.
    const char fill = size > sizeof value ? static_cast<char>(data[sizeof value]) : '#';
    char out[grouped_text_size];
    std::memset(out, fill, sizeof out);
    group_digits(value, out);

    const void* nul = std::memchr(out, '\0', sizeof out);
    if (nul == nullptr)
        std::abort();
    const std::size_t length = static_cast<std::size_t>(static_cast<const char*>(nul) - out);
    if (length > 26 || std::string(out, length) != expected)
        std::abort();
    for (std::size_t i = length + 1; i < sizeof out; ++i)
        if (out[i] != fill)
            std::abort();
    return 0;
}
