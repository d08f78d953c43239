#pragma once
#include <string>
#include <vector>

// Where the stand-in Tavrel.exe next to the test programs (tests/clock/ElevationRecorder.cpp) writes
// what it was started with: a fresh folder per test and a record file named through the environment.
class ElevationRecord {
public:
    ElevationRecord();
    ~ElevationRecord();
    ElevationRecord(const ElevationRecord&) = delete;
    ElevationRecord& operator=(const ElevationRecord&) = delete;

    // The recorder's three lines (its path, its current directory, its parameters), or nothing when no
    // instance was started within `timeoutMs`.
    std::vector<std::string> Wait(unsigned timeoutMs) const;

    const std::string& Folder() const { return m_folder; }
    // The folder of the running test program, where the stand-in lives.
    static std::string ProgramFolder();

private:
    std::string m_folder;
    std::string m_record;
};
