// The report's platform-free parts: digit grouping, the mode rule and the three screens.
#pragma once

#include <cstdint>
#include <cstdio>

// Longest grouped count, 18,446,744,073,709,551,615, is 26 characters; 40 leaves room to spare.
constexpr unsigned grouped_text_size = 40;

// Writes value with a comma between groups of three digits, NUL-terminated, from out[0];
// the bytes of out behind the NUL are left as they were.
void group_digits(std::uint64_t value, char (&out)[grouped_text_size]);

enum class DisplayMode { colour, plain, usage };

// Only the second character of the last argument counts: c/C colour, m/M plain, anything else
// (a one-character or empty argument included) usage; no argument at all means colour.
DisplayMode select_display_mode(int argc, const char* const* argv);

// Prints one empty line and the screen of mode; false if any print failed.
bool print_screen(std::FILE* stream, DisplayMode mode, const char* total_text,
                  const char* available_text);
