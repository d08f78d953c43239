#include "clock/ShiftText.h"

#include <cctype>
#include <cstdlib>
#include <string>

namespace {

bool IsDigit(std::string_view text, size_t i) {
    return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]));
}

size_t SkipDigits(std::string_view text, size_t i) {
    while (IsDigit(text, i)) {
        ++i;
    }
    return i;
}

} // namespace

double ParseShiftText(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
        ++i;
    }
    const size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    const size_t integerStart = i;
    i = SkipDigits(text, i);
    bool digits = i > integerStart;
    if (i < text.size() && text[i] == '.') {
        const size_t fractionStart = i + 1;
        const size_t fractionEnd = SkipDigits(text, fractionStart);
        if (digits || fractionEnd > fractionStart) {
            digits = true;
            i = fractionEnd;
        }
    }
    if (!digits) {
        return 0.0;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t exponent = i + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        if (IsDigit(text, exponent)) {
            i = SkipDigits(text, exponent);
        }
    }
    // The text is now a plain decimal number, which strtod rounds correctly (the program never changes
    // the "C" locale, so "." is the decimal point).
    const std::string number(text.substr(start, i - start));
    return std::strtod(number.c_str(), nullptr);
}
