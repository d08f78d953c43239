// The two clock-shift entry points under Wine, against the fake clock. The elevated start runs the
// recorder built as Tavrel.exe next to this program, which writes what it was started with.
#include "app/win/ApplyTimeShift.h"
#include "clock/win/ShiftSystemTime.h"
#include "support/ElevationRecord.h"
#include "support/FakeClock.h"
#include "support/MessageBoxWatcher.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <limits>
#include <string>

namespace {

// Monday 2026-03-16 09:30:00.500 UTC.
const SystemTime kNow{2026, 3, 1, 16, 9, 30, 0, 500};

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

std::wstring Wide(const std::string& text, UINT codePage = CP_ACP) {
    std::wstring wide(text.size(), L'\0');
    wide.resize((size_t)::MultiByteToWideChar(codePage, 0, text.data(), (int)text.size(), wide.data(),
                                              (int)wide.size()));
    return wide;
}

std::wstring ThisProgram() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

// Runs one test of this program from the copy at `program`, with TAVREL_SHIFT_CHILD set to
// `expected`; its exit code (0: the test passed), or -1 when it did not end within 30 s.
int RunChildShift(const std::wstring& program, const char* expected) {
    std::wstring commandLine =
        L"\"" + program + L"\" --gtest_filter=ElevatedStartChild.ShiftsWithTheClockRefused";
    ::SetEnvironmentVariableA("TAVREL_SHIFT_CHILD", expected);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const BOOL started = ::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                          nullptr, nullptr, &startup, &process);
    ::SetEnvironmentVariableA("TAVREL_SHIFT_CHILD", nullptr);
    if (!started) {
        return -1;
    }
    DWORD code = (DWORD)-1;
    if (::WaitForSingleObject(process.hProcess, 30'000) == WAIT_OBJECT_0) {
        ::GetExitCodeProcess(process.hProcess, &code);
    } else {
        ::TerminateProcess(process.hProcess, 1);
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return (int)code;
}

// The recorder's folder and record file, and the folder the test started in.
class ElevatedStart : public ::testing::Test {
protected:
    void SetUp() override {
        char current[MAX_PATH] = {};
        ::GetCurrentDirectoryA(MAX_PATH, current);
        m_startFolder = current;
    }
    void TearDown() override { ::SetCurrentDirectoryA(m_startFolder.c_str()); }

    std::vector<std::string> WaitForRecord(unsigned timeoutMs) const { return m_record.Wait(timeoutMs); }

    ElevationRecord m_record;
    const std::string& m_folder = m_record.Folder();
    std::string m_startFolder;
};

TEST_F(ElevatedStart, TheDirectShiftSetsTheFullShiftAndStartsNothing) {
    const struct {
        double shift;
        SystemTime expected;
    } cases[] = {
        {-0.354, SystemTime{2026, 3, 1, 16, 9, 30, 0, 146}}, // the full double, not the rounded -0.35
        {1.0, SystemTime{2026, 3, 1, 16, 9, 30, 1, 500}},
        {0.0, kNow},
        {-86'400.5, SystemTime{2026, 3, 0, 15, 9, 30, 0, 0}},
    };
    for (const auto& c : cases) {
        FakeClock clock(kNow);
        EXPECT_EQ(ShiftSystemTime(c.shift), 1) << c.shift;
        ASSERT_EQ(clock.Sets().size(), 1u) << c.shift;
        EXPECT_EQ(clock.Sets()[0], c.expected) << c.shift;
    }
    EXPECT_TRUE(WaitForRecord(500).empty()) << "no elevated instance after a direct shift";
}

TEST_F(ElevatedStart, ARefusedClockStartsTavrelFromThisFolderWithTheRoundedShift) {
    // A Tavrel.exe in the current directory must not be the one started.
    const std::string thisFolder = ElevationRecord::ProgramFolder();
    ASSERT_TRUE(
        ::CopyFileA((thisFolder + "\\Tavrel.exe").c_str(), (m_folder + "\\Tavrel.exe").c_str(), FALSE));
    ASSERT_TRUE(::SetCurrentDirectoryA(m_folder.c_str()));

    FakeClock clock(kNow);
    clock.Refuse(1314);
    EXPECT_EQ(ShiftSystemTime(-0.354), 1);
    ASSERT_EQ(clock.Attempts().size(), 1u);
    EXPECT_EQ(clock.Attempts()[0], (SystemTime{2026, 3, 1, 16, 9, 30, 0, 146}));

    const std::vector<std::string> record = WaitForRecord(10'000);
    ASSERT_EQ(record.size(), 3u) << "the recorder did not run";
    EXPECT_EQ(Lower(record[0]), Lower(thisFolder + "\\Tavrel.exe"));
    EXPECT_EQ(Lower(record[1]), Lower(thisFolder));
    EXPECT_EQ(record[2], "/set -0.35");
}

// Run by the next test in a copy of this program, expecting the result TAVREL_SHIFT_CHILD names;
// skipped when run on its own.
TEST(ElevatedStartChild, ShiftsWithTheClockRefused) {
    const char* expected = std::getenv("TAVREL_SHIFT_CHILD");
    if (expected == nullptr) {
        GTEST_SKIP() << "run by ElevatedStart.FromAFolderOutsideTheAnsiCodePageAndWithoutTavrelExe";
    }
    MessageBoxWatcher shellErrors("Error"); // the shell's own report of a file it cannot start
    FakeClock clock(kNow);
    clock.Refuse(1314);
    EXPECT_EQ(ShiftSystemTime(-0.354), std::atoi(expected));
}

TEST_F(ElevatedStart, FromAFolderOutsideTheAnsiCodePageAndWithoutTavrelExe) {
    // Cyrillic and Japanese letters: no ANSI code page holds both.
    const std::wstring folder = Wide(m_folder) + L"\\\u0422\u0435\u0441\u0442-\u30c6\u30b9\u30c8";
    const std::wstring program = folder + L"\\copy.exe";
    const std::wstring recorder = folder + L"\\Tavrel.exe";
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_TRUE(::CopyFileW(ThisProgram().c_str(), program.c_str(), FALSE));
    ASSERT_TRUE(::CopyFileW(Wide(ElevationRecord::ProgramFolder() + "\\Tavrel.exe").c_str(), recorder.c_str(),
                            FALSE));

    EXPECT_EQ(RunChildShift(program, "1"), 0);
    const std::vector<std::string> record = WaitForRecord(10'000);
    ASSERT_EQ(record.size(), 3u) << "the Tavrel.exe next to the copy did not run";
    EXPECT_EQ(Wide(record[0], CP_UTF8), recorder);
    EXPECT_EQ(Wide(record[1], CP_UTF8), folder);
    EXPECT_EQ(record[2], "/set -0.35");

    // Nothing to start: the shift reports failure, so the caller keeps what it holds.
    bool deleted = false; // once the recorder has ended
    for (int i = 0; i < 200 && !(deleted = ::DeleteFileW(recorder.c_str())); ++i) {
        ::Sleep(50);
    }
    ASSERT_TRUE(deleted);
    EXPECT_EQ(RunChildShift(program, "0"), 0);

    ::DeleteFileW(program.c_str());
    ::RemoveDirectoryW(folder.c_str());
}

TEST_F(ElevatedStart, AnInvalidShiftChangesAndStartsNothing) {
    FakeClock clock(kNow);
    clock.Refuse(1314);
    for (double shift :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), -1e300, 1e12}) {
        EXPECT_EQ(ShiftSystemTime(shift), 0) << shift;
    }
    EXPECT_TRUE(clock.Attempts().empty());
    EXPECT_TRUE(WaitForRecord(1000).empty()) << "an instance was started for an invalid shift";
}

TEST_F(ElevatedStart, TheOneShotShiftShowsOneMessageWhenRefusedAndStartsNothing) {
    MessageBoxWatcher boxes("Tavrel");
    FakeClock clock(kNow);
    clock.Refuse(1314);
    EXPECT_EQ(ApplyTimeShift(-0.35), 0);
    ASSERT_EQ(boxes.Count(), 1) << "the call returns only once its box is closed";
    EXPECT_EQ(boxes.Texts()[0], "Failed to set the system time");
    EXPECT_EQ(clock.Attempts().size(), 1u);
    EXPECT_TRUE(WaitForRecord(500).empty()) << "the one-shot shift never relaunches";
    EXPECT_EQ(boxes.Count(), 1);
}

TEST_F(ElevatedStart, TheOneShotShiftSetsTheClockSilently) {
    MessageBoxWatcher boxes("Tavrel");
    FakeClock clock(kNow);
    EXPECT_NE(ApplyTimeShift(-0.35), 0);
    ASSERT_EQ(clock.Sets().size(), 1u);
    EXPECT_EQ(clock.Sets()[0], (SystemTime{2026, 3, 1, 16, 9, 30, 0, 150}));
    EXPECT_EQ(boxes.Count(), 0) << "a box is modal: the call would have returned only once it was closed";
}

TEST_F(ElevatedStart, TheOneShotShiftRefusesAnInvalidShiftWithTheMessage) {
    MessageBoxWatcher boxes("Tavrel");
    FakeClock clock(kNow);
    EXPECT_EQ(ApplyTimeShift(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(clock.Attempts().empty());
}

} // namespace
