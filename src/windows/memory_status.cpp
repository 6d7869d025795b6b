// Windows source of the snapshot: GlobalMemoryStatusEx, the 64-bit form of GlobalMemoryStatus.
// GlobalMemoryStatus itself reports wrong counts above 2 GiB (32-bit programs) or 4 GiB (-1).
#include "memory_status.h"

#include <cstdio>
#include <windows.h>

bool take_memory_snapshot(MemorySnapshot& snapshot, char* reason, std::size_t reason_size)
{
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (GlobalMemoryStatusEx(&status)) {
        snapshot.total_bytes = status.ullTotalPhys;
        snapshot.available_bytes = status.ullAvailPhys;
        return true;
    }
    const DWORD error = GetLastError();
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                       0, reason, static_cast<DWORD>(reason_size), nullptr);
    if (length == 0) {
        (void)std::snprintf(reason, reason_size, "error %lu", static_cast<unsigned long>(error));
        return false;
    }
    // System messages end in CR LF (and often a full stop): the caller adds its own line end.
    DWORD end = length;
    while (end > 0 && (reason[end - 1] == '\r' || reason[end - 1] == '\n' || reason[end - 1] == '.'))
        --end;
    reason[end] = '\0';
    return false;
}
