#include "support/TestProcess.h"

#include <utility>

#include "support/TestFiles.h"

ChildProcess::ChildProcess(const std::string& commandLine)
{
    std::string writable = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &writable[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &m_info))
        m_info = PROCESS_INFORMATION();
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept : m_info(other.m_info)
{
    other.m_info = PROCESS_INFORMATION();
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept
{
    if (this != &other) {
        Release();
        m_info = std::exchange(other.m_info, PROCESS_INFORMATION());
    }
    return *this;
}

ChildProcess::~ChildProcess()
{
    Release();
}

void ChildProcess::Release()
{
    if (!m_info.hProcess)
        return;
    if (WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_info.hProcess, 1);
        WaitForSingleObject(m_info.hProcess, 5000);
    }
    CloseHandle(m_info.hProcess);
    CloseHandle(m_info.hThread);
    m_info = PROCESS_INFORMATION();
}

bool ChildProcess::WaitForExit(DWORD timeoutMs) const
{
    return m_info.hProcess && WaitForSingleObject(m_info.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

std::string DozewellPath()
{
    return BinDir() + "\\dozewell.exe";
}

std::string DriftPath()
{
    return BinDir() + "\\dozewell-drift.scr";
}

ChildProcess StartDozewell(const std::string& arguments)
{
    return ChildProcess("\"" + DozewellPath() + "\" " + arguments);
}

ProcessWatch::ProcessWatch(DWORD processId)
    : m_process(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId))
{
}

ProcessWatch::~ProcessWatch()
{
    if (m_process)
        CloseHandle(m_process);
}

bool ProcessWatch::WaitForExit(DWORD timeoutMs) const
{
    return m_process && WaitForSingleObject(m_process, timeoutMs) == WAIT_OBJECT_0;
}

void ProcessWatch::End() const
{
    if (m_process && !WaitForExit(0)) {
        TerminateProcess(m_process, 1);
        WaitForExit(5000);
    }
}
