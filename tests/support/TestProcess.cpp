#include "support/TestProcess.h"

#include <tlhelp32.h>

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

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(50);
    }
    return true;
}

std::vector<DWORD> ProcessesNamed(const std::string& exeName)
{
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return ids;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, exeName.c_str()) == 0)
            ids.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return ids;
}

namespace {

// SystemExtendedHandleInformation of NtQuerySystemInformation.
const ULONG kExtendedHandleInformation = 64;
const LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);

struct HandleEntry {
    PVOID object;
    ULONG_PTR processId;
    ULONG_PTR handle;
    ULONG grantedAccess;
    USHORT creatorBackTraceIndex;
    USHORT objectTypeIndex;
    ULONG attributes;
    ULONG reserved;
};

struct HandleTable {
    ULONG_PTR count;
    ULONG_PTR reserved;
    HandleEntry entries[1];
};

typedef LONG(NTAPI* QuerySystemInformation)(ULONG, PVOID, ULONG, PULONG);

}  // namespace

int OpenHandleCount(DWORD processId)
{
    const auto query = reinterpret_cast<QuerySystemInformation>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (!query)
        return -1;
    std::vector<BYTE> buffer(1 << 16);
    LONG status;
    while ((status = query(kExtendedHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                           nullptr)) == kInfoLengthMismatch)
        buffer.resize(buffer.size() * 2);
    if (status != 0)
        return -1;
    const HandleTable& table = *reinterpret_cast<const HandleTable*>(buffer.data());
    int count = 0;
    for (ULONG_PTR i = 0; i < table.count; ++i) {
        if (table.entries[i].processId == processId)
            ++count;
    }
    return count;
}
