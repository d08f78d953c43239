#include <gtest/gtest.h>

#include "app/StartCommand.h"

namespace {

TEST(StartCommand, ModesFromTheCommandLine) {
    const struct {
        const char* arguments;
        StartMode mode;
        double shift;
    } cases[] = {
        {"", StartMode::Windowed, 0.0},
        {"/set 2.50", StartMode::OneShot, 2.5},
        {"/set -0.75", StartMode::OneShot, -0.75},
        {"/set", StartMode::OneShot, 0.0},
        {"/set1.5", StartMode::OneShot, 1.5},
        {"x /set 3 y", StartMode::OneShot, 3.0},
        {"/set \t 4e-1 \r\n", StartMode::OneShot, 0.4},
        {"/set /set 7", StartMode::OneShot, 0.0}, // the first switch counts
        {"/SET 1", StartMode::Quit, 0.0},
        {"Tavrel.ini", StartMode::Quit, 0.0},
        {" ", StartMode::Quit, 0.0},
    };
    for (const auto& c : cases) {
        const StartCommand command = ParseStartCommand(c.arguments);
        EXPECT_EQ(c.mode, command.mode) << '"' << c.arguments << '"';
        EXPECT_EQ(c.shift, command.shift) << '"' << c.arguments << '"';
    }
}

} // namespace
