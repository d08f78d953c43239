#include "text/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

TEST(NumberText, ParseDecimal32LikeStrtolWith32BitLong) {
    const struct {
        const char* text;
        int32_t value;
    } cases[] = {
        {nullptr, 0},
        {"", 0},
        {"abc", 0},
        {"12abc", 12},
        {" \t\n\v\f\r-3", -3},
        {"+7", 7},
        {"- 3", 0},
        {"0x10", 0},
        {"2147483647", INT32_MAX},
        {"2147483648", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"-2147483649", INT32_MIN},
        {"4294967306", INT32_MAX},
        {"99999999999999999999999999", INT32_MAX},
        {"-99999999999999999999999999", INT32_MIN},
        {"000000000000000000000042", 42},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseDecimal32(c.text), c.value) << (c.text ? c.text : "(null)");
}

TEST(NumberText, ReadsLikeAtofInTheCLocale) {
    const struct {
        const char* text;
        double expected;
    } cases[] = {
        {"-12", -12.0},      {"  +3", 3.0},
        {"\t-0.5", -0.5},    {"1.5e3", 1500.0},
        {"2E-2x", 0.02},     {"7e", 7.0}, // an exponent without digits is not read
        {"7e+", 7.0},        {".25", 0.25},
        {"4.", 4.0},         {"123456", 123456.0}, // the time column
        {"1,5", 1.0},                              // a decimal comma ends the number
        {"", 0.0},           {"abc", 0.0},
        {"-", 0.0},          {".", 0.0},
        {"- 5", 0.0},        {"0x10", 0.0}, // no hexadecimal
        {"inf", 0.0},                       // nor words
        {"1e999", HUGE_VAL}, {"-1e999", -HUGE_VAL},
        {"1e-999", 0.0},     {"0.0000e99999999999999999999", 0.0},
        {"0.1", 0.1},        {"00000000000000000000000000000001", 1.0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, ParseNumberText(c.text)) << '"' << c.text << '"';
        // The C library agrees wherever its grammar is the one above.
        if (std::string_view(c.text).find_first_of("xni") == std::string_view::npos) {
            EXPECT_EQ(std::atof(c.text), ParseNumberText(c.text)) << '"' << c.text << '"';
        }
    }
}

TEST(NumberText, IgnoresTheProcessLocale) {
    // A locale with a decimal comma, if this machine has one; the result must not change.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    for (const char* name : {"de_DE.UTF-8", "de_DE", "German_Germany.1252"}) {
        if (std::setlocale(LC_NUMERIC, name)) {
            break;
        }
    }
    EXPECT_EQ(-0.5, ParseNumberText("-0.5"));
    EXPECT_EQ(1.0, ParseNumberText("1,5"));
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(NumberText, ShiftsAreOnlyPlainDecimalNumbers) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"0.30", 0.3}, {"-1.23", -1.23}, {"  +2", 2.0}, {".5", 0.5},    {"5.", 5.0},    {"1e3", 1000.0},
        {"1e", 1.0},   {"2E-2x", 0.02},  {"-", 0.0},    {".", 0.0},     {"abc", 0.0},   {"", 0.0},
        {"0x10", 0.0}, {"inf", 0.0},     {"nan", 0.0},  {"-0.4", -0.4}, {"12,5", 12.0}, {"1e400", HUGE_VAL},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.value, ParseNumberText(c.text)) << '"' << c.text << '"';
    }
}

TEST(NumberText, PlainDecimalsAreSignDigitsAndOnePoint) {
    const struct {
        const char* text;
        bool plain;
    } cases[] = {
        {"0.30", true},  {" -1.25 ", true}, {"+.5", true},  {"5.", true},   {"\t7\n", true}, {"abc", false},
        {"1,5", false},  {"1e3", false},    {"-", false},   {".", false},   {"", false},     {"1.2.3", false},
        {"0x10", false}, {"1 2", false},    {"- 1", false}, {"inf", false}, {"0.4x", false}, {"  ", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.plain, IsPlainDecimal(c.text)) << '"' << c.text << '"';
    }
}

TEST(NumberText, BlankIsOnlyWhiteSpace) {
    for (const char* text : {"", " ", " \t\n\v\f\r"}) {
        EXPECT_TRUE(IsBlank(text)) << '"' << text << '"';
    }
    for (const char* text : {"0", " -", "\xA0"}) {
        EXPECT_FALSE(IsBlank(text)) << '"' << text << '"';
    }
}

} // namespace
