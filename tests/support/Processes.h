// Processes that the tests start, find, watch and end.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// A process started for one test, ended with it if it still runs.
class Process {
public:
    explicit Process(const std::string& commandLine);
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();
    DWORD Id() const { return m_info.dwProcessId; }
    bool Exited(DWORD timeoutMs = 10000) const;

private:
    PROCESS_INFORMATION m_info = {};
};

std::string DozewellPath();
// dozewell.exe with these arguments after its quoted path.
std::string DozewellCommand(const std::string& arguments);

// Polls condition until it holds; false on timeout.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);
// The running processes whose executable file has this name (any case).
std::vector<DWORD> ProcessesNamed(const std::string& exeName);
// Waits until the process is gone; false when it still runs after timeoutMs.
bool WaitForProcessEnd(DWORD processId, DWORD timeoutMs = 10000);
void EndProcess(DWORD processId);
// The handles that the process holds, from the system's handle table; -1 when it cannot be read.
int HandleCount(DWORD processId);
