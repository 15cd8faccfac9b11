// Child processes that a test starts and that end with the test.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class ChildProcess {
public:
    ChildProcess() = default;
    // Starts commandLine; Started() tells whether it ran.
    explicit ChildProcess(const std::string& commandLine);
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    // Ends the process if it still runs.
    ~ChildProcess();

    bool Started() const { return m_info.hProcess != nullptr; }
    DWORD Id() const { return m_info.dwProcessId; }
    HANDLE Handle() const { return m_info.hProcess; }
    bool WaitForExit(DWORD timeoutMs = 10000) const;
    bool Running() const { return Started() && !WaitForExit(0); }

private:
    void Release();
    PROCESS_INFORMATION m_info = {};
};

std::string DozewellPath();
// The screen saver that ships with Dozewell, as built.
std::string DriftPath();
// Runs dozewell.exe with these arguments (after its quoted path).
ChildProcess StartDozewell(const std::string& arguments);

// A process opened by id to watch it end; only open it while it is known to run (ids are reused).
class ProcessWatch {
public:
    explicit ProcessWatch(DWORD processId);
    ProcessWatch(const ProcessWatch&) = delete;
    ProcessWatch& operator=(const ProcessWatch&) = delete;
    ~ProcessWatch();
    bool Opened() const { return m_process != nullptr; }
    bool WaitForExit(DWORD timeoutMs = 10000) const;
    // Ends the process if it still runs (clean-up after a failed test).
    void End() const;

private:
    HANDLE m_process;
};

// Polls condition until it holds; false on timeout.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);
// The ids of the running processes whose executable file has this name (any case).
std::vector<DWORD> ProcessesNamed(const std::string& exeName);
// The handles the process holds, from the system's handle table (GetProcessHandleCount gives 0
// under Wine); -1 when the table cannot be read.
int OpenHandleCount(DWORD processId);
