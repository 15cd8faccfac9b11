// The tests' harness: the real registry, files, processes and windows of the test prefix, used as a
// user or another program would.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/CMapStringToString.h"

// The tests' text is UTF-8, their programs' code page (tests/support/utf8.manifest), in which the system gives
// and takes what it holds as UTF-16: names, descriptions, the registry's text.
std::string Repeat(const std::string& text, int times);
std::string Utf8(const std::wstring& text);
// Beyond code page 1252: CJK, 3 bytes in UTF-8; Latin-extended, 2; and outside the Basic Multilingual Plane,
// 4 bytes and two UTF-16 units (a mountain, then a tent).
const char kSnow[] = u8"\u96EA", kSnowName[] = u8"\u96EA-\u015Anieg",
           kSnowDescription[] = u8"\u96EA \u015Anieg \U0001F3D4", kTentDescription[] = u8"\u96EA \u015Anieg \U0001F3D5";

// Windows paths, without a trailing backslash.
// Where the test program is, and dozewell.exe with it.
std::string BinDir();
std::string SystemDir();
std::string WindowsDir();
// The file that Windows means by path, as this process reaches it: under WoW64 the process's own view
// of the system directory is SysWOW64, and the real one is reached through Sysnative.
std::string Reach(const std::string& path);
// A wait's limit: what the tests wait for comes within 2 s here, and within 10 s on a busy machine.
const DWORD kWaitMs = 10000;
// Polls condition, handling this thread's messages meanwhile, until it holds; on timeout a failure that tells
// what the programs that the test started show (see Seen). Once the test has failed, it looks once only:
// waiting on would only add up to ctest's timeout.
::testing::AssertionResult WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kWaitMs);
// What the test's programs show: for each process that it started, whether it runs or its exit code, and its
// windows; the starts logged by its placed files.
std::string Seen();

// A table's rows in turn, each named in the failures by its number, up to the first row that fails: what a
// failed row leaves behind later rows cannot trust, and their waits would only add up.
template <class Row> struct Rows {
    template <size_t count> explicit Rows(const Row (&rows)[count]) : first(rows), last(rows + count) {}
    struct Iterator {
        const Row *first, *row, *last;
        std::unique_ptr<::testing::ScopedTrace> trace;
        const Row& operator*()
        {
            trace.reset();  // gtest's traces are a stack: the row before goes first
            trace.reset(new ::testing::ScopedTrace("table row", static_cast<int>(row - first + 1),
                                                   "of " + std::to_string(last - first)));
            return *row;
        }
        void operator++() { ++row; }
        bool operator!=(const Iterator& end) const { return row != end.row && !::testing::Test::HasFailure(); }
    };
    Iterator begin() const { return { first, first, last, nullptr }; }
    Iterator end() const { return { first, last, last, nullptr }; }
    const Row *first, *last;
};

const char kDesktopKey[] = "Control Panel\\Desktop", kSaverValue[] = "SCRNSAVE.EXE",
           kProfileKey[] = "Software\\Quenbrook\\Dozewell\\Settings", kNoticeValue[] = "LockAlertDisplayed";

// A value under HKEY_CURRENT_USER.
struct RegValue {
    bool exists = false;
    DWORD type = REG_NONE;
    std::string data;
    // Its kind and bytes, as "<type>:<data>".
    std::string Typed() const { return std::to_string(type) + ":" + data; }
};
RegValue ReadValue(const std::string& key, const std::string& name);
// Creates the key when needed; text is stored as REG_SZ with its NUL.
void SetValue(const std::string& key, const std::string& name, DWORD type, const std::string& data);
void SetText(const std::string& key, const std::string& name, const std::string& text);
void DeleteValue(const std::string& key, const std::string& name);
// The default screen saver as text, up to its first NUL.
std::string DefaultSaver();
// A screen-saver policy as an administrator sets it: kSaverValue (the forced module), kSaverActive or
// kNoSaverPage; a REG_DWORD given as its number in text.
const char kSaverActive[] = "ScreenSaveActive", kNoSaverPage[] = "NoDispScrSavPage";
struct PolicyValue {
    const char* name;
    DWORD type;
    std::string data;
};
// Removes every screen-saver policy, then sets those given.
void SetPolicies(const std::vector<PolicyValue>& values);
// The user's and the policies' screen-saver values, kinds and bytes, as the registry holds them.
std::string SaverSettings();

// A copy of a fixture (by default the logging screen saver) at path, as Windows means it (see Reach), in
// folders made for it if need be, with string 1 set when a description is given; removed with its log,
// folders left empty and any process run from it ended, when the object goes. The fixture is named relative to this
// build's fixtures folder; under WoW64 a copy in the real system directory is the x64 build's, as 64-bit Windows has it
// there.
class PlacedFile {
public:
    explicit PlacedFile(std::string path, const char* description = nullptr,
                        const std::string& fixture = "saver_fixture.scr");
    PlacedFile(const PlacedFile&) = delete;
    PlacedFile& operator=(const PlacedFile&) = delete;
    ~PlacedFile();

    // A start of the module, as it logged it: its show command (-1: none given) and command line.
    struct Start {
        int show;
        std::string commandLine;
    };
    std::vector<Start> Starts() const;
    // Its starts other than previews, as "<program> <show command>", with the arguments when asked: the
    // shell may add a switch of its own to a screen saver's (Windows adds /S, Wine nothing).
    std::vector<std::string> Launches(bool arguments) const;
    // The processes run from this file that still run.
    std::vector<DWORD> Running() const;

    const std::string path;
    const std::string description;
    // Where this process reaches it, and so the name under which its programs start it; its log.
    const std::string reached, log;
};

// A process started for one test, ended with it if it still runs, with every process that it started. A start that
// fails, and a crash (an exit code 0xC...), fail the test with the Win32 error or the exception code.
class Process {
public:
    explicit Process(std::string commandLine);
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();
    DWORD Id() const { return m_info.dwProcessId; }
    // Whether it ended within timeoutMs; otherwise a failure naming what it shows.
    ::testing::AssertionResult Exited(DWORD timeoutMs = kWaitMs) const;
    // Its command line, whether it crashed, whether it runs or its exit code, and its visible windows.
    std::string State() const;
    bool Crashed() const;
    // Ends it, at once when the test is over time (the watchdog ends every process that the test started).
    void End() const;

private:
    const std::string m_commandLine;
    const HANDLE m_job;
    PROCESS_INFORMATION m_info = {};
};

// The first visible window of the process but besides, top-level or a child of parent; NULL and a failure on timeout.
HWND WaitForWindow(DWORD processId, HWND parent = nullptr, HWND besides = nullptr);
// A message sent to another process's window, answered within kWaitMs or a failure (0): a hung program never
// holds the test.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
std::string Text(HWND window);
// Clicks the button; a failure when the window has none of that id.
void Press(HWND dialog, int buttonId);
// A key pressed and released, as the user does, once the window is in front.
void Key(HWND window, WORD virtualKey);
// The mouse moved to a point of the screen, and clicked there if asked.
void Mouse(int x, int y, bool click = false);
std::vector<std::string> Lines(HWND list);
std::string Box(HWND box);
// A map's entries as "key=value", in the map's order.
std::vector<std::string> Entries(CMapStringToString& map);

// A window of the test thread, which WaitUntil keeps answering, for another process to draw in.
class TestWindow {
public:
    TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    ~TestWindow() { DestroyWindow(handle); }

    const HWND handle;
};
