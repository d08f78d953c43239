#include "support/ElevationRecord.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "framework/Win32.h"

ElevationRecord::ElevationRecord() {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    m_folder = std::string(temp) + "tavrel-elevation-" + std::to_string(::GetCurrentProcessId()) + "-" +
               (test ? test->name() : "run");
    ::CreateDirectoryA(m_folder.c_str(), nullptr);
    m_record = m_folder + "\\record.txt";
    ::SetEnvironmentVariableA("TAVREL_RECORDER_FILE", m_record.c_str());
}

ElevationRecord::~ElevationRecord() {
    ::SetEnvironmentVariableA("TAVREL_RECORDER_FILE", nullptr);
    ::DeleteFileA(m_record.c_str());
    ::DeleteFileA((m_folder + "\\Tavrel.exe").c_str());
    ::RemoveDirectoryA(m_folder.c_str());
}

std::vector<std::string> ElevationRecord::Wait(unsigned timeoutMs) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (::GetFileAttributesA(m_record.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return {};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::vector<std::string> lines;
    std::ifstream file(m_record);
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string ElevationRecord::ProgramFolder() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string folder = path;
    return folder.substr(0, folder.rfind('\\'));
}
