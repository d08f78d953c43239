#include "controls/ColorText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string_view>

namespace {

using namespace std::string_view_literals;

struct ColorCase {
    std::string_view text;
    std::uint32_t expected;
};

TEST(ColorTextTest, ParsesBrowserColourTexts) {
    const ColorCase cases[] = {
        {"0,0,255", 0xFF0000},
        {"255,0,0", 0x0000FF},
        {"128", 0x808080}, // no comma: every component from the same text
        {"300,0,0", 44},   // 300 keeps its low 8 bits
        {"", 0},
        {" 12,\t34,\n 56", 0x38220C},
        {"+7,-1,0", 0x00FF07}, // -1 keeps its low 8 bits too
        {"1,2", 0x020201},     // no second comma: blue from the green text
        {"1,,3", 0x030001},    // no digits give 0
        {"abc,def,ghi", 0},
        {"- 5,0x10,1.9", 0x010000},
        {"2147483647", 0xFFFFFF},
        {"99999999999999999999999,0,0", 0x0000FF}, // held at the largest long
        {"-99999999999999999999999,0,0", 0},       // held at the smallest long
        {"4294967297,0,0", 0x0000FF},              // not wrapped round to 1
        {"1,2\0,3"sv, 0x020201},                   // the text ends at its first zero byte
    };
    for (const ColorCase& c : cases)
        EXPECT_EQ(ParseColorText(c.text), c.expected) << '"' << c.text << '"';
}

TEST(ColorTextTest, StaysInsideTheGivenText) {
    EXPECT_EQ(ParseColorText(std::string_view("1,2,345", 5)), 0x030201u);

    // A registry value that fills the whole 32-byte buffer leaves no terminator; the sanitizers catch
    // any read beyond it.
    constexpr std::size_t kSize = 32;
    auto buffer = std::make_unique<char[]>(kSize);
    std::memset(buffer.get(), '9', kSize);
    EXPECT_EQ(ParseColorText(std::string_view(buffer.get(), kSize)), 0xFFFFFFu);
    std::memset(buffer.get(), ' ', kSize);
    EXPECT_EQ(ParseColorText(std::string_view(buffer.get(), kSize)), 0u);
    std::memset(buffer.get(), ',', kSize);
    buffer[kSize - 1] = '7';
    EXPECT_EQ(ParseColorText(std::string_view(buffer.get(), kSize)), 0u);
}

} // namespace
