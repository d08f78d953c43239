#include "intake/DecodeRow.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(DecodeRow, TimeAsHoursMinutesSeconds) {
    const struct {
        int32_t seconds;
        const char* text;
    } cases[] = {{309, "000509"}, {45296, "123456"}, {0, "000000"}, {86399, "235959"}, {3600, "010000"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatDecodeTime(c.seconds), c.text) << c.seconds;
}

TEST(DecodeRow, DtTextAndWarning) {
    // The texts must be the same on every C runtime the program is built with: exact ties and values
    // just below a tie are where runtimes tend to differ.
    const struct {
        double dt;
        const char* text;
        bool warning;
    } cases[] = {
        {-1.0, "-1.0", false}, {1.0, "1.0", false},    {-1.1, "-1.1", true},    {1.05, "1.1", true},
        {0.0, "0.0", false},   {-0.04, "-0.0", false}, {0.25, "0.2", false},    {0.15, "0.1", false},
        {0.35, "0.3", false},  {2.5, "2.5", true},     {-12.25, "-12.2", true},
    };
    for (const auto& c : cases) {
        WsjtxDecode decode;
        decode.deltaTime = c.dt;
        const DecodeRow row = MakeDecodeRow(decode);
        EXPECT_EQ(row.deltaTime, c.text) << c.dt;
        EXPECT_EQ(row.warning, c.warning) << c.dt;
        EXPECT_EQ(IsDtWarning(c.dt), c.warning) << c.dt;
    }
}

TEST(DecodeRow, AllCells) {
    WsjtxDecode decode;
    decode.isNew = true;
    decode.timeSeconds = 45296;
    decode.snr = -24;
    decode.deltaTime = 0.3;
    decode.deltaFrequency = 2500;
    std::strcpy(decode.message, "K1ABC W9XYZ -15");
    const DecodeRow row = MakeDecodeRow(decode);
    EXPECT_EQ(row.time, "123456");
    EXPECT_EQ(row.snr, "-24");
    EXPECT_EQ(row.deltaTime, "0.3");
    EXPECT_EQ(row.deltaFrequency, "2500");
    EXPECT_EQ(row.message, "K1ABC W9XYZ -15");
    EXPECT_FALSE(row.warning);
}
