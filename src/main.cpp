// zorvan: how much physical memory this machine has and how much of it is available now.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "memory_status.h"
#include "report.h"

int main(int argc, char* argv[])
{
    // The whole screen fits: it goes out in one write at the flush below, and stdio needs no heap.
    // Should setvbuf fail, stdio buffers as it would have anyway.
    static char output_buffer[512];
    (void)std::setvbuf(stdout, output_buffer, _IOFBF, sizeof output_buffer);

    MemorySnapshot snapshot{};
    char failure[128] = "";
    const bool have_snapshot = take_memory_snapshot(snapshot, failure, sizeof failure);
    char total_text[grouped_text_size];
    char available_text[grouped_text_size];
    group_digits(snapshot.total_bytes, total_text);
    group_digits(snapshot.available_bytes, available_text);

    const DisplayMode mode = select_display_mode(argc, argv);
    // The usage screen shows no count, so it needs no snapshot.
    if (!have_snapshot && mode != DisplayMode::usage) {
        // Nothing is left to tell should standard error fail too: the status says it.
        (void)std::fprintf(stderr, "zorvan: cannot read the memory status: %s\n", failure);
        return 1;
    }

    const bool printed = print_screen(stdout, mode, total_text, available_text);
    // Most write errors (a full disk, a closed descriptor) only show when the buffer goes out.
    if (std::fflush(stdout) != 0 || !printed) {
        (void)std::fprintf(stderr, "zorvan: write error: %s\n", std::strerror(errno));
        return 1;
    }
    return 0;
}
