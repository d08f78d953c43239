// The application object's start-up, with the main window and the sockets replaced by recorders.
#include <gtest/gtest.h>

#include "app/win/TavrelApp.h"
#include "support/FakeClock.h"
#include "support/MessageBoxWatcher.h"

namespace {

const SystemTime kNow{2026, 12, 2, 8, 12, 0, 0, 0};

class CRecordingApp : public CTavrelApp {
public:
    bool socketsAvailable = true;
    int socketStarts = 0;
    int windowRuns = 0;

protected:
    bool StartSockets() override {
        ++socketStarts;
        return socketsAvailable;
    }
    void RunMainWindow() override { ++windowRuns; }
};

TEST(TavrelApp, AnEmptyCommandLineStartsSocketsAndRunsTheWindow) {
    CRecordingApp app;
    EXPECT_EQ(0, app.Run(::GetModuleHandleA(nullptr), ""));
    EXPECT_EQ(1, app.socketStarts);
    EXPECT_EQ(1, app.windowRuns);
}

TEST(TavrelApp, WithoutSocketsOnlyTheMessageIsShown) {
    MessageBoxWatcher boxes("Tavrel");
    CRecordingApp app;
    app.socketsAvailable = false;
    app.Run(::GetModuleHandleA(nullptr), "");
    ASSERT_EQ(1, boxes.Count());
    EXPECT_EQ("Windows sockets initialization failed.", boxes.Texts()[0]);
    EXPECT_EQ(0, app.windowRuns);
}

TEST(TavrelApp, TheSetSwitchShiftsTheClockOnceWithoutSocketsOrWindow) {
    FakeClock clock(kNow);
    CRecordingApp app;
    app.Run(::GetModuleHandleA(nullptr), "x /set 2.50 y");
    ASSERT_EQ(1u, clock.Sets().size());
    EXPECT_EQ((SystemTime{2026, 12, 2, 8, 12, 0, 2, 500}), clock.Sets()[0]);
    EXPECT_EQ(0, app.socketStarts);
    EXPECT_EQ(0, app.windowRuns);
}

TEST(TavrelApp, AnyOtherCommandLineEndsSilently) {
    MessageBoxWatcher boxes("Tavrel");
    FakeClock clock(kNow);
    for (const char* commandLine : {"/SET 1", "Tavrel.ini", "-set 3"}) {
        CRecordingApp app;
        app.Run(::GetModuleHandleA(nullptr), commandLine);
        EXPECT_EQ(0, app.socketStarts) << commandLine;
        EXPECT_EQ(0, app.windowRuns) << commandLine;
    }
    EXPECT_TRUE(clock.Attempts().empty());
    EXPECT_EQ(0, boxes.Count()) << "a box is modal: Run would have returned only once it was closed";
}

} // namespace
