#include "support/Harness.h"

#include <stdio.h>
#include <tlhelp32.h>

namespace {

// String 1 is the second of the sixteen counted strings of string block 1.
void SetDescription(const std::string& path, const char* description)
{
    std::wstring block(1, L'\0');
    block += static_cast<wchar_t>(strlen(description));
    block += std::wstring(description, description + strlen(description)) + std::wstring(14, L'\0');
    HANDLE update = BeginUpdateResourceA(path.c_str(), FALSE);
    UpdateResourceA(update, RT_STRING, MAKEINTRESOURCEA(1), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), &block[0],
                    static_cast<DWORD>(block.size() * sizeof(wchar_t)));
    EndUpdateResourceA(update, FALSE);
}

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context)
{
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window))
        return TRUE;
    search.found = window;
    return FALSE;
}

}  // namespace

std::string BinDir()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    *strrchr(path, '\\') = '\0';
    return path;
}

std::string SystemDir()
{
    char path[MAX_PATH] = {};
    GetSystemDirectoryA(path, MAX_PATH);
    return path;
}

std::string WindowsDir()
{
    char path[MAX_PATH] = {};
    GetWindowsDirectoryA(path, MAX_PATH);
    return path;
}

bool RunsUnderWow64()
{
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

std::string Reach(const std::string& path)
{
    const std::string system = SystemDir() + "\\";
    if (!RunsUnderWow64() || lstrcmpiA(path.substr(0, system.size()).c_str(), system.c_str()) != 0)
        return path;
    return WindowsDir() + "\\Sysnative\\" + path.substr(system.size());
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() >= deadline)
            return false;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(20);
    }
    return true;
}

RegValue ReadValue(const std::string& key, const std::string& name)
{
    RegValue value;
    char data[4096];
    DWORD size = sizeof data;
    value.exists = RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &value.type,
                                data, &size) == ERROR_SUCCESS;
    value.data.assign(data, value.exists ? size : 0);
    return value;
}

void SetValue(const std::string& key, const std::string& name, DWORD type, const std::string& data)
{
    RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), name.c_str(), type, data.data(), static_cast<DWORD>(data.size()));
}

void SetText(const std::string& key, const std::string& name, const std::string& text)
{
    SetValue(key, name, REG_SZ, text + '\0');
}

void DeleteValue(const std::string& key, const std::string& name)
{
    RegDeleteKeyValueA(HKEY_CURRENT_USER, key.c_str(), name.c_str());
}

std::string DefaultSaver()
{
    const std::string data = ReadValue(kDesktopKey, kSaverValue).data;
    return data.substr(0, data.find('\0'));
}

PlacedFile::PlacedFile(std::string path_, const char* description, const std::string& fixture)
    : path(std::move(path_)), reached(Reach(path))
{
    // The real system directory of 64-bit Windows holds 64-bit modules: the x64 build's fixtures.
    const std::string build = reached == path ? BinDir() : BinDir() + "\\..\\..\\x64\\bin";
    CopyFileA((build + "\\fixtures\\" + fixture).c_str(), reached.c_str(), FALSE);
    if (description)
        SetDescription(reached, description);
}

PlacedFile::~PlacedFile()
{
    for (DWORD id : Running()) {
        HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id);
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 10000);
        CloseHandle(process);
    }
    DeleteFileA(reached.c_str());
    DeleteFileA((reached + ".log").c_str());
}

std::vector<PlacedFile::Start> PlacedFile::Starts() const
{
    // A line a start: "<process id>\t<show command>\t<command line>".
    std::vector<Start> starts;
    FILE* log = fopen((reached + ".log").c_str(), "rb");
    Start start = {};
    std::vector<char> line(40000);
    while (log && fscanf(log, "%lu\t%d\t%39999[^\n]\n", &start.process, &start.show, line.data()) == 3)
        starts.push_back({ start.process, start.show, line.data() });
    if (log)
        fclose(log);
    return starts;
}

std::vector<DWORD> PlacedFile::Running() const
{
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, path.substr(path.find_last_of('\\') + 1).c_str()) == 0)
            ids.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return ids;
}

Process::Process(const std::string& commandLine)
{
    std::string writable = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    CreateProcessA(nullptr, &writable[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &m_info);
}

Process::~Process()
{
    if (!Exited(0))
        TerminateProcess(m_info.hProcess, 1);
    Exited();
    CloseHandle(m_info.hProcess);
    CloseHandle(m_info.hThread);
}

bool Process::Exited(DWORD timeoutMs) const
{
    return WaitUntil([&] { return WaitForSingleObject(m_info.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs);
}

HWND WaitForWindow(DWORD processId, HWND parent)
{
    WindowSearch search = { processId, nullptr };
    WaitUntil([&] {
        const LPARAM context = reinterpret_cast<LPARAM>(&search);
        parent ? EnumChildWindows(parent, MatchWindow, context) : EnumWindows(MatchWindow, context);
        return search.found != nullptr;
    });
    return search.found;
}

std::string Text(HWND window)
{
    char text[4096] = {};
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    return text;
}

void Press(HWND dialog, int buttonId)
{
    PostMessageA(GetDlgItem(dialog, buttonId), BM_CLICK, 0, 0);
}

void Key(WORD virtualKey)
{
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = virtualKey;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

std::vector<std::string> Lines(HWND list)
{
    // Read as UTF-16: Wine's LB_GETTEXT sent as ANSI to another process's list box answers in UTF-16.
    std::vector<std::string> lines;
    for (LRESULT index = 0; index < SendMessageW(list, LB_GETCOUNT, 0, 0); ++index) {
        std::wstring wide(SendMessageW(list, LB_GETTEXTLEN, index, 0) + 1, L'\0');
        wide.resize(SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(&wide[0])));
        std::string line(wide.size() * 2, '\0');
        line.resize(WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), &line[0],
                                        static_cast<int>(line.size()), nullptr, nullptr));
        lines.push_back(line);
    }
    return lines;
}

TestWindow::TestWindow()
    : handle(CreateWindowExA(0, "STATIC", "Test window", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 320,
                             240, nullptr, nullptr, nullptr, nullptr))
{
}
