// Decimal text with a comma between groups of three digits, counted from the right.
#include "report.h"

void group_digits(std::uint64_t value, char (&out)[grouped_text_size])
{
    char digits[grouped_text_size];
    unsigned count = 0;
    // Digits come out least significant first; reversed below so scratch is most significant first.
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);

    unsigned j = 0;
    for (unsigned i = 0; i < count; ++i) {
        out[j++] = digits[count - 1 - i];
        const unsigned digits_to_the_right = count - 1 - i;
        if (digits_to_the_right != 0 && digits_to_the_right % 3 == 0)
            out[j++] = ',';
    }
    out[j] = '\0';
}
