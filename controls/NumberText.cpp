#include "controls/NumberText.h"

#include <charconv>
#include <cmath>

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

double ParseNumberText(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const size_t start = i;
    // Decimal exponent of the first significant digit, for telling overflow from underflow.
    long long magnitude = 0;
    bool seenSignificant = false;
    size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        if (seenSignificant || text[i] != '0') {
            seenSignificant = true;
            ++magnitude;
        }
        ++digits;
        ++i;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            if (!seenSignificant) {
                if (text[i] != '0') {
                    seenSignificant = true;
                } else {
                    --magnitude;
                }
            }
            ++digits;
            ++i;
        }
    }
    if (digits == 0) {
        return 0.0;
    }
    // An exponent counts only when at least one digit follows the "e" and its sign.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        bool expNegative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            expNegative = text[j] == '-';
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            long long exponent = 0;
            while (j < text.size() && IsDigit(text[j])) {
                exponent = std::min(exponent * 10 + (text[j] - '0'), 1000000000LL);
                ++j;
            }
            magnitude += expNegative ? -exponent : exponent;
            i = j;
        }
    }
    if (!seenSignificant) {
        return negative ? -0.0 : 0.0;
    }
    // from_chars rounds exactly and ignores the locale; it only lacks the leading sign handled above.
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data() + start, text.data() + i, value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        value = magnitude > 0 ? HUGE_VAL : 0.0;
    }
    return negative ? -value : value;
}

bool IsPlainDecimal(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) {
        ++i;
    }
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    size_t digits = 0;
    for (bool point = false; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            ++digits;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    while (i < text.size() && IsSpace(text[i])) {
        ++i;
    }
    return digits > 0 && i == text.size();
}
