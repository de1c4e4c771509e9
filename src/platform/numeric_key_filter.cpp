#include "platform/numeric_key_filter.h"

void NumericKeyFilter(int &keyAscii)
{
    constexpr int backspace = 8;
    const bool digit = keyAscii >= '0' && keyAscii <= '9';
    if (!digit && keyAscii != '.' && keyAscii != backspace)
        keyAscii = 0;
}
