#pragma once

#include <string_view>

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
