#include "intake/ReceivePacer.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

TEST(ReceivePacerTest, ReadsUntilPaintAndInputHaveWaitedTheBudgetThenHoldsOnce) {
    const ReceivePacer::Clock::time_point t0{};
    ReceivePacer pacer;
    const struct {
        std::chrono::milliseconds at;
        bool othersWaiting;
        bool mayRead;
    } steps[] = {
        {0ms, false, true},   {10ms, true, true},  // others start waiting at 10 ms
        {59ms, true, true},   {60ms, true, false}, // ... and have waited the budget: hold
        {75ms, true, true},                        // after the hold, a fresh start
        {80ms, false, true},  {90ms, true, true},  {139ms, true, true}, // the loop got through in between
        {140ms, true, false},
    };
    for (const auto& step : steps) {
        EXPECT_EQ(step.mayRead, pacer.MayRead(t0 + step.at, step.othersWaiting)) << step.at.count();
    }
}

} // namespace
