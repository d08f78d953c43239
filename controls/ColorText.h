#pragma once

#include <cstdint>
#include <string_view>

// A browser colour text "r,g,b" (such as the registry's "0,0,255") as a colour 0x00BBGGRR. Each number is
// read like strtol: leading white space, an optional sign, decimal digits, no digits giving 0; out-of-range
// numbers stop at the limits of a 32-bit long. Green is read after the first comma (from the start again
// when there is none), blue after the next comma (from where green was read when there is none); each
// component keeps its low 8 bits. Reading stops at the end of `text` or at its first zero byte, so a
// registry buffer filled to the last byte without a terminator is safe.
std::uint32_t ParseColorText(std::string_view text);
