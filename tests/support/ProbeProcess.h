#pragma once
#include <windows.h>

#include <string>

// tavrel-probe.exe (next to the test programs) in a process of its own, started at once. It works a
// window of this process from outside, as a user would, while this thread sits in that window's modal
// loop (the colour chooser, for one). Ends the probe if it is still running when the object goes.
class ProbeProcess {
public:
    explicit ProbeProcess(const std::string& arguments);
    ~ProbeProcess();
    ProbeProcess(const ProbeProcess&) = delete;
    ProbeProcess& operator=(const ProbeProcess&) = delete;

    // Waits for the probe to end: its exit code, or -1 when it did not start or end in time.
    int Wait(unsigned timeoutMs = 15000);
    // What it printed, complete once Wait has returned.
    const std::string& Output() const { return m_output; }

private:
    void ReadOutput();

    PROCESS_INFORMATION m_process{};
    HANDLE m_outputRead = nullptr;
    std::string m_output;
};
