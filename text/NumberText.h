#pragma once
#include <cstdint>
#include <string_view>

// How the program reads numbers and blanks in texts: typed fields, stored settings, list cells and the
// command line all go through here, so one text reads the same everywhere and in every locale.

// The C locale's white space: space, tab, newline, vertical tab, form feed, carriage return.
bool IsSpaceChar(char c);

// True when the text holds nothing but white space (or nothing at all).
bool IsBlank(std::string_view text);

// The decimal value of `text` in the manner of strtol with base 10 and a 32-bit long: leading white
// space and a sign are accepted, conversion stops at the first non-digit, no digits give 0, and an
// overflow gives INT32_MAX or INT32_MIN.
int32_t ParseDecimal32(std::string_view text);
// The same for a C string; a null pointer counts as empty text.
inline int32_t ParseDecimal32(const char* text) {
    return ParseDecimal32(text ? std::string_view(text) : std::string_view());
}

// The value of a number text as the C library's atof reads it in the "C" locale: leading white space, a
// sign, digits with an optional "." and fraction, an optional exponent; reading stops at the first other
// character, and a text without a number is 0.0. Beyond the range of a double it is +-HUGE_VAL (or 0.0
// for tiny values). Words such as "inf" or "nan" and hexadecimal forms are not numbers here, and the
// process locale plays no part, so a decimal comma setting cannot change a result.
// Used for the decode list's number columns, the offset field and the "/set" command line.
double ParseNumberText(std::string_view text);

// True when the whole text, apart from white space around it, is one plain decimal number: an optional
// sign and digits with an optional "." and fraction (at least one digit). Letters, a decimal comma and
// exponents are not plain. The offset field accepts only such texts.
bool IsPlainDecimal(std::string_view text);
