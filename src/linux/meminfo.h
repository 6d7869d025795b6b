// Total and available memory from the text of /proc/meminfo, with no I/O of its own.
#pragma once

#include <cstddef>

#include "memory_status.h"

// True with both counts in bytes when the text gives them; false when it lacks MemTotal or a
// figure that the counts need is not a plain "<digits> kB" line or overflows 64 bits in bytes.
// The first line of each key counts; unknown keys are ignored.
bool parse_meminfo(const char* text, std::size_t length, MemorySnapshot& snapshot);
