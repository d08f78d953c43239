#include "support/ProbeProcess.h"

#include <vector>

#include "support/ElevationRecord.h"

ProbeProcess::ProbeProcess(const std::string& arguments) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE outputWrite = nullptr;
    if (!::CreatePipe(&m_outputRead, &outputWrite, &inherit, 1 << 16)) {
        return;
    }
    ::SetHandleInformation(m_outputRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = outputWrite;
    startup.hStdError = outputWrite;
    const std::string exe = ElevationRecord::ProgramFolder() + "\\tavrel-probe.exe";
    std::vector<char> commandLine(exe.begin(), exe.end());
    commandLine.insert(commandLine.begin(), '"');
    const std::string rest = "\" " + arguments;
    commandLine.insert(commandLine.end(), rest.begin(), rest.end());
    commandLine.push_back('\0');
    if (!::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                          nullptr, &startup, &m_process)) {
        m_process = {};
    }
    ::CloseHandle(outputWrite);
}

ProbeProcess::~ProbeProcess() {
    if (m_process.hProcess) {
        if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(m_process.hProcess, 1);
        }
        ::CloseHandle(m_process.hThread);
        ::CloseHandle(m_process.hProcess);
    }
    if (m_outputRead) {
        ::CloseHandle(m_outputRead);
    }
}

int ProbeProcess::Wait(unsigned timeoutMs) {
    if (!m_process.hProcess || ::WaitForSingleObject(m_process.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        return -1;
    }
    ReadOutput();
    DWORD code = 0;
    ::GetExitCodeProcess(m_process.hProcess, &code);
    return (int)code;
}

void ProbeProcess::ReadOutput() {
    // The probe prints a few lines only: the pipe holds them all until it has ended.
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(m_outputRead, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        m_output.append(buffer, read);
    }
}
