#pragma once

namespace vbs {

// Strings are UTF-16 code units, as the language's own functions count them.
constexpr bool isHighSurrogate(long c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

constexpr bool isLowSurrogate(long c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

// The value of a hexadecimal digit, or -1.
constexpr int hexDigit(long c)
{
    if (c >= '0' && c <= '9')
        return int(c - '0');
    if (c >= 'a' && c <= 'f')
        return int(c - 'a' + 10);
    if (c >= 'A' && c <= 'F')
        return int(c - 'A' + 10);
    return -1;
}

} // namespace vbs
