// The one look at the machine that every platform provides: total and available physical memory.
#pragma once

#include <cstddef>
#include <cstdint>

struct MemorySnapshot {
    std::uint64_t total_bytes;
    std::uint64_t available_bytes;
};

// Fills snapshot and returns true, or returns false with a NUL-terminated reason (at most
// reason_size bytes) saying why no source of the platform gave the two counts.
bool take_memory_snapshot(MemorySnapshot& snapshot, char* reason, std::size_t reason_size);
