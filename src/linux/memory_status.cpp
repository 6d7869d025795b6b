// Linux source of the snapshot: /proc/meminfo, or sysinfo(2) when that cannot be trusted.
#include "memory_status.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/sysinfo.h>
#include <unistd.h>

#include "linux/meminfo.h"

namespace {

bool read_proc_meminfo(MemorySnapshot& snapshot)
{
    const int fd = open("/proc/meminfo", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // The kernel writes the whole file (about 1.5 KiB) in one read of a buffer this size.
    char text[4096];
    const ssize_t length = read(fd, text, sizeof text);
    close(fd);
    return length > 0 && parse_meminfo(text, static_cast<std::size_t>(length), snapshot);
}

bool read_sysinfo(MemorySnapshot& snapshot, int& error)
{
    struct sysinfo info {};
    if (sysinfo(&info) != 0) {
        error = errno;
        return false;
    }
    // Counts are in units of mem_unit bytes; kernels before 2.3.23 left it 0, meaning bytes.
    const std::uint64_t unit = info.mem_unit != 0 ? info.mem_unit : 1;
    std::uint64_t total = 0;
    std::uint64_t free_units = 0;
    std::uint64_t available = 0;
    if (__builtin_mul_overflow(info.totalram, unit, &total) ||
        __builtin_add_overflow(info.freeram, info.bufferram, &free_units) ||
        __builtin_mul_overflow(free_units, unit, &available)) {
        error = EOVERFLOW;
        return false;
    }
    snapshot.total_bytes = total;
    snapshot.available_bytes = available;
    return true;
}

} // namespace

bool take_memory_snapshot(MemorySnapshot& snapshot, char* reason, std::size_t reason_size)
{
    if (read_proc_meminfo(snapshot))
        return true;
    int error = 0;
    if (read_sysinfo(snapshot, error))
        return true;
    (void)std::snprintf(reason, reason_size, "%s", std::strerror(error));
    return false;
}
