#include "text/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The index of the first character after the white space that starts `text`.
size_t SkipSpace(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsSpaceChar(text[i])) {
        ++i;
    }
    return i;
}

} // namespace

bool IsSpaceChar(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool IsBlank(std::string_view text) {
    return SkipSpace(text) == text.size();
}

int32_t ParseDecimal32(std::string_view text) {
    size_t i = SkipSpace(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i++] == '-';
    }
    // Held just past every 32-bit value, so any run of digits is harmless.
    constexpr int64_t kPastLimit = int64_t{INT32_MAX} + 2;
    int64_t magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        magnitude = std::min(magnitude * 10 + (text[i] - '0'), kPastLimit);
    }
    const int64_t value = negative ? -magnitude : magnitude;
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

double ParseNumberText(std::string_view text) {
    size_t i = SkipSpace(text);
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
    size_t i = SkipSpace(text);
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
    return digits > 0 && IsBlank(text.substr(i));
}
