#include "support/Harness.h"

#include <shlobj.h>
#include <stdio.h>
#include <tlhelp32.h>

#include <atomic>
#include <mutex>
#include <set>

namespace {

// The processes and files of the running test, for what a failure tells and for the watchdog, which reads them
// from a thread of its own. Recursive, as a crash while the test's thread holds it ends the suite on that thread.
std::recursive_mutex g_live;
std::set<const Process*> g_processes;
std::set<const PlacedFile*> g_files;

std::string Hex(DWORD number)
{
    char text[16];
    snprintf(text, sizeof text, "0x%lX", number);
    return text;
}

void EndProcess(DWORD id)
{
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id);
    TerminateProcess(process, 1);
    WaitForSingleObject(process, kWaitMs);
    CloseHandle(process);
}

// Names the running test with what its programs show, ends them and the suite (exit code 3).
void EndSuite(const std::string& why)
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    fprintf(stderr, "%s.%s: %s, the suite ended; %s\n", test ? test->test_suite_name() : "", test ? test->name() : "",
            why.c_str(), Seen().c_str());
    fflush(stderr);
    std::lock_guard<std::recursive_mutex> lock(g_live);
    for (const Process* process : g_processes)
        process->End();
    for (const PlacedFile* file : g_files) {
        for (DWORD id : file->Running())
            EndProcess(id);
    }
    TerminateProcess(GetCurrentProcess(), 3);
}

// The last defence, should a wait not be bounded: a test that runs past the limit (the longest takes 45 s here).
const ULONGLONG kTestLimitMs = 180000;
std::atomic<ULONGLONG> g_deadline { 0 };
struct TestStart : ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { g_deadline = GetTickCount64() + kTestLimitMs; }
};
DWORD WINAPI Watch(void*)
{
    for (;; Sleep(1000)) {
        if (::testing::UnitTest::GetInstance()->current_test_info() && GetTickCount64() >= g_deadline)
            EndSuite("still running after " + std::to_string(kTestLimitMs / 1000) + " s");
    }
}
// A crash of the suite itself: the debugger that Wine starts for it would hold it until ctest's timeout.
LONG WINAPI Crashed(EXCEPTION_POINTERS* exception)
{
    EndSuite("crashed with exception " + Hex(exception->ExceptionRecord->ExceptionCode));
    return EXCEPTION_EXECUTE_HANDLER;
}
bool StartWatchdog()
{
    SetUnhandledExceptionFilter(Crashed);
    ::testing::UnitTest::GetInstance()->listeners().Append(new TestStart);
    const HANDLE watchdog = CreateThread(nullptr, 0, Watch, nullptr, 0, nullptr);
    CloseHandle(watchdog);  // it runs until the suite ends; nothing waits for it
    return watchdog != nullptr;
}
const bool g_watching = StartWatchdog();

// Its visible top-level windows, with their class and text.
std::string Windows(DWORD processId)
{
    std::string windows;
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, nullptr, nullptr)) != nullptr;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        char className[64] = {};
        GetClassNameA(window, className, sizeof className);
        const HWND text = GetDlgItem(window, 0xFFFF);  // a message box's text
        if (owner == processId && IsWindowVisible(window))
            windows += std::string(windows.empty() ? "" : ", ") + className + " \"" + Text(window) +
                       (text ? ": " + Text(text).substr(0, 60) : "") + "\"";
    }
    return windows.empty() ? "no window" : "windows " + windows;
}

// String 1 is the second of the sixteen counted strings of string block 1.
void SetDescription(const std::string& path, const char* description)
{
    std::wstring block(strlen(description) + 16, L'\0');
    block[1] = static_cast<wchar_t>(
        MultiByteToWideChar(CP_UTF8, 0, description, -1, &block[2], static_cast<int>(block.size()) - 2) - 1);
    block.resize(block[1] + 16);
    HANDLE update = BeginUpdateResourceA(path.c_str(), FALSE);
    UpdateResourceA(update, RT_STRING, MAKEINTRESOURCEA(1), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), &block[0],
                    static_cast<DWORD>(block.size() * sizeof(wchar_t)));
    EndUpdateResourceA(update, FALSE);
}

const char* const kPolicyNames[] = { kSaverValue, kSaverActive, kNoSaverPage };

std::string PolicyKey(const std::string& name)
{
    return name == kNoSaverPage ? "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System"
                                : "Software\\Policies\\Microsoft\\Windows\\Control Panel\\Desktop";
}

}  // namespace

std::string Repeat(const std::string& text, int times)
{
    return times > 0 ? text + Repeat(text, times - 1) : "";
}

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
    return std::string(path, GetSystemDirectoryA(path, MAX_PATH));
}

std::string WindowsDir()
{
    char path[MAX_PATH] = {};
    return std::string(path, GetWindowsDirectoryA(path, MAX_PATH));
}

std::string Reach(const std::string& path)
{
    const std::string system = SystemDir() + "\\";
    BOOL wow64 = FALSE;
    const bool redirected = IsWow64Process(GetCurrentProcess(), &wow64) && wow64 &&
                            lstrcmpiA(path.substr(0, system.size()).c_str(), system.c_str()) == 0;
    return redirected ? WindowsDir() + "\\Sysnative\\" + path.substr(system.size()) : path;
}

::testing::AssertionResult WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + (::testing::Test::HasFailure() ? 0 : timeoutMs);
    while (!condition()) {
        if (GetTickCount64() >= deadline)
            return ::testing::AssertionFailure() << "not within " << timeoutMs << " ms; " << Seen();
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(20);
    }
    return ::testing::AssertionSuccess();
}

std::string Seen()
{
    std::lock_guard<std::recursive_mutex> lock(g_live);
    std::string seen;
    for (const Process* process : g_processes)
        seen += process->State() + "; ";
    for (const PlacedFile* file : g_files) {
        for (const PlacedFile::Start& start : file->Starts())
            seen += "started " + start.commandLine.substr(0, 120) + " " + std::to_string(start.show) + "; ";
    }
    return seen.empty() ? "no program started" : seen;
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

void SetPolicies(const std::vector<PolicyValue>& values)
{
    for (const char* name : kPolicyNames)
        DeleteValue(PolicyKey(name), name);
    for (const PolicyValue& value : values) {
        const DWORD number = strtoul(value.data.c_str(), nullptr, 10);
        SetValue(PolicyKey(value.name), value.name, value.type,
                 value.type == REG_DWORD ? std::string(reinterpret_cast<const char*>(&number), 4) : value.data + '\0');
    }
}

std::string SaverSettings()
{
    std::string settings = ReadValue(kDesktopKey, kSaverValue).Typed();
    for (const char* name : kPolicyNames)
        settings += "|" + ReadValue(PolicyKey(name), name).Typed();
    return settings;
}

PlacedFile::PlacedFile(std::string path_, const char* description_, const std::string& fixture)
    : path(std::move(path_)), description(description_ ? description_ : ""), reached(Reach(path)),
      log(reached.substr(0, reached.find_last_of('.')) + ".log")
{
    // The real system directory of 64-bit Windows holds 64-bit modules: the x64 build's fixtures.
    const std::string build = reached == path ? BinDir() : BinDir() + "\\..\\..\\x64\\bin";
    if (reached.find('\\') != std::string::npos)
        SHCreateDirectoryExA(nullptr, reached.substr(0, reached.find_last_of('\\')).c_str(), nullptr);
    CopyFileA((build + "\\fixtures\\" + fixture).c_str(), reached.c_str(), FALSE);
    DeleteFileA(log.c_str());  // one left by a run that was killed
    if (description_)
        SetDescription(reached, description_);
    std::lock_guard<std::recursive_mutex> lock(g_live);
    g_files.insert(this);
}

PlacedFile::~PlacedFile()
{
    {
        std::lock_guard<std::recursive_mutex> lock(g_live);
        g_files.erase(this);
    }
    for (DWORD id : Running())
        EndProcess(id);
    DeleteFileA(reached.c_str());
    DeleteFileA(log.c_str());
    for (std::string folder = reached;
         RemoveDirectoryA((folder = folder.substr(0, folder.find_last_of('\\'))).c_str());) {}
}

std::vector<PlacedFile::Start> PlacedFile::Starts() const
{
    // A line a start: "<process id>\t<show command>\t<command line>".
    std::vector<Start> starts;
    FILE* file = fopen(log.c_str(), "rb");
    Start start = {};
    std::vector<char> line(40000);
    while (file && fscanf(file, "%*u\t%d\t%39999[^\n]\n", &start.show, line.data()) == 2)
        starts.push_back({ start.show, line.data() });
    if (file)
        fclose(file);
    return starts;
}

std::vector<std::string> PlacedFile::Launches(bool arguments) const
{
    std::vector<std::string> launches;
    for (const Start& start : Starts()) {
        const std::string& line = start.commandLine;
        if (line.find(" /p ") == std::string::npos)
            launches.push_back((arguments ? line : line.substr(0, line.find('"', 1) + 1)) + " " +
                               std::to_string(start.show));
    }
    return launches;
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

Process::Process(std::string commandLine) : m_commandLine(commandLine), m_job(CreateJobObjectA(nullptr, nullptr))
{
    // Whatever it starts joins its job, and so ends with it: the debugger that Wine starts for a crash too, which
    // would otherwise hold the suite's output, and with it ctest, until its timeout.
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(m_job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    const char* failed = nullptr;
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                        &m_info))
        failed = "CreateProcess";
    else if (!AssignProcessToJobObject(m_job, m_info.hProcess))
        failed = "AssignProcessToJobObject";
    else if (ResumeThread(m_info.hThread) == static_cast<DWORD>(-1))
        failed = "ResumeThread";
    if (failed) {
        const DWORD error = GetLastError();
        ADD_FAILURE() << "could not start " << m_commandLine.substr(0, 200) << ": " << failed << ", error " << error;
        TerminateProcess(m_info.hProcess, 1);  // not left suspended where it could not join its job
        return;
    }
    std::lock_guard<std::recursive_mutex> lock(g_live);
    g_processes.insert(this);
}

Process::~Process()
{
    if (Crashed())
        ADD_FAILURE() << State();
    {
        std::lock_guard<std::recursive_mutex> lock(g_live);
        g_processes.erase(this);
    }
    End();
    CloseHandle(m_info.hProcess);
    CloseHandle(m_info.hThread);
    CloseHandle(m_job);
}

::testing::AssertionResult Process::Exited(DWORD timeoutMs) const
{
    return WaitUntil([&] { return WaitForSingleObject(m_info.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs);
}

bool Process::Crashed() const
{
    // Ended by an exception (its code 0xC...), or held by the debugger that a crash starts (winedbg here).
    DWORD exitCode = 0;
    BOOL debugged = FALSE;
    return (CheckRemoteDebuggerPresent(m_info.hProcess, &debugged) && debugged) ||
           (GetExitCodeProcess(m_info.hProcess, &exitCode) && (exitCode & 0xF0000000) == 0xC0000000);
}

std::string Process::State() const
{
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(m_info.hProcess, &exitCode);
    return m_commandLine.substr(0, 120) + ": " + (Crashed() ? "crashed, " : "") +
           (WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT ? "runs, " + Windows(Id())
                                                                    : "ended with " + Hex(exitCode));
}

void Process::End() const
{
    TerminateJobObject(m_job, 1);
    WaitForSingleObject(m_info.hProcess, kWaitMs);
}

HWND WaitForWindow(DWORD processId, HWND parent, HWND besides)
{
    HWND found = nullptr;
    const ::testing::AssertionResult came = WaitUntil([&] {
        for (found = nullptr; (found = FindWindowExA(parent, found, nullptr, nullptr)) != nullptr;) {
            DWORD owner = 0;
            GetWindowThreadProcessId(found, &owner);
            if (owner == processId && IsWindowVisible(found) && found != besides)
                return true;
        }
        return false;
    });
    if (!came)
        ADD_FAILURE() << "no window of process " << processId << ": " << came.message();
    return found;
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    // As WaitUntil, one look once the test has failed: 1 ms, as Wine waits without limit when given 0.
    const UINT timeoutMs = ::testing::Test::HasFailure() ? 1 : kWaitMs;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, timeoutMs, &result) && timeoutMs == kWaitMs)
        ADD_FAILURE() << "message " << Hex(message) << " not answered within " << kWaitMs << " ms; " << Seen();
    return static_cast<LRESULT>(result);
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
    const HWND button = GetDlgItem(dialog, buttonId);
    if (!button)
        ADD_FAILURE() << "no button " << buttonId << " to press; " << Seen();
    PostMessageA(button, BM_CLICK, 0, 0);
}

void Key(HWND window, WORD virtualKey)
{
    SetForegroundWindow(window);
    WaitUntil([&] { return GetForegroundWindow() == window; });
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = virtualKey;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

void Mouse(int x, int y, bool click)
{
    INPUT mouse[2] = {};
    mouse[0].type = mouse[1].type = INPUT_MOUSE;
    mouse[0].mi.dx = x * 65536 / GetSystemMetrics(SM_CXSCREEN);
    mouse[0].mi.dy = y * 65536 / GetSystemMetrics(SM_CYSCREEN);
    mouse[0].mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | (click ? MOUSEEVENTF_LEFTDOWN : 0u);
    mouse[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(click ? 2 : 1, mouse, sizeof(INPUT));
}

std::string Utf8(const std::wstring& text)
{
    std::string bytes(text.size() * 3, '\0');
    bytes.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0],
                                     static_cast<int>(bytes.size()), nullptr, nullptr));
    return bytes;
}

std::vector<std::string> Lines(HWND list)
{
    // Read as UTF-16: Wine's LB_GETTEXT sent as ANSI to another process's list box answers in UTF-16.
    std::vector<std::string> lines;
    for (LRESULT index = 0; index < Send(list, LB_GETCOUNT, 0, 0); ++index) {
        std::wstring wide(Send(list, LB_GETTEXTLEN, index, 0) + 1, L'\0');
        wide.resize(Send(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(&wide[0])));
        lines.push_back(Utf8(wide));
    }
    return lines;
}

std::string Box(HWND box)
{
    // Its icon is read inside its process: tests/fixtures/icon_probe.cpp.
    HMODULE probe = LoadLibraryA((BinDir() + "\\fixtures\\icon_probe.dll").c_str());
    HHOOK hook = SetWindowsHookExA(
        WH_CALLWNDPROC, reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(probe, "IconProbeHook"))),
        probe, GetWindowThreadProcessId(box, nullptr));
    SendMessageTimeoutA(box, RegisterWindowMessageA("Dozewell.IconProbe"), 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    UnhookWindowsHookEx(hook);
    FreeLibrary(probe);
    std::string buttons;
    for (int id : { IDOK, IDCANCEL, IDYES, IDNO })
        buttons += GetDlgItem(box, id) ? " " + std::to_string(id) : "";
    return Text(box) + (GetWindow(box, GW_OWNER) ? ", owned," : ",") + buttons + ", icon " +
           std::to_string(reinterpret_cast<UINT_PTR>(GetPropA(box, "Dozewell.ShownIcon")));
}

TestWindow::TestWindow()
    : handle(CreateWindowExA(0, "STATIC", "Test window", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 320,
                             240, nullptr, nullptr, nullptr, nullptr))
{
}

std::vector<std::string> Entries(CMapStringToString& map)
{
    std::vector<std::string> entries;
    CString key, value;
    for (POSITION pos = map.GetStartPosition(); pos;) {
        map.GetNextAssoc(pos, key, value);
        entries.push_back(std::string(key) + "=" + std::string(value));
    }
    return entries;
}
