#include "support/Windows.h"

#include "support/Processes.h"

namespace {

struct WindowSearch {
    DWORD processId;
    const char* className;  // NULL: any
    HWND except;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context)
{
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (owner != search.processId || window == search.except || !IsWindowVisible(window) ||
        (search.className && lstrcmpA(className, search.className) != 0))
        return TRUE;
    search.found = window;
    return FALSE;
}

}  // namespace

HWND WaitForWindow(DWORD processId, const char* className, HWND except)
{
    WindowSearch search = { processId, className, except, nullptr };
    WaitUntil([&] {
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
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

Box ReadBox(HWND window)
{
    const int textId = 0xFFFF;  // the static control that holds a message box's text
    return { window, Text(window), Text(GetDlgItem(window, textId)), GetWindow(window, GW_OWNER),
             GetDlgItem(window, IDYES) && GetDlgItem(window, IDNO) };
}

void Press(HWND dialog, int buttonId)
{
    PostMessageA(GetDlgItem(dialog, buttonId), BM_CLICK, 0, 0);
}

void Key(WORD virtualKey)
{
    INPUT keys[2] = {};
    keys[0].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = virtualKey;
    keys[1] = keys[0];
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

std::vector<std::string> Lines(HWND list)
{
    // Read as UTF-16: Wine's LB_GETTEXT sent as ANSI to another process's list box answers in UTF-16.
    std::vector<std::string> lines;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        std::wstring wide(SendMessageW(list, LB_GETTEXTLEN, index, 0) + 1, L'\0');
        wide.resize(SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(&wide[0])));
        std::string line(wide.size() * 2, '\0');
        line.resize(WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), &line[0],
                                        static_cast<int>(line.size()), nullptr, nullptr));
        lines.push_back(line);
    }
    return lines;
}

HostWindow::HostWindow() : m_ready(CreateEventA(nullptr, TRUE, FALSE, nullptr))
{
    m_thread = CreateThread(nullptr, 0, Run, this, 0, &m_threadId);
    WaitForSingleObject(m_ready, 10000);
}

HostWindow::~HostWindow()
{
    PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
    WaitForSingleObject(m_thread, 10000);
    CloseHandle(m_thread);
    CloseHandle(m_ready);
}

DWORD WINAPI HostWindow::Run(void* self)
{
    HostWindow& host = *static_cast<HostWindow*>(self);
    host.m_window = CreateWindowExA(0, "STATIC", "Preview host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 320, 240,
                                    nullptr, nullptr, nullptr, nullptr);
    // The queue exists once the window does, so WM_QUIT cannot come too early.
    SetEvent(host.m_ready);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    DestroyWindow(host.m_window);
    return 0;
}

namespace {

BOOL CALLBACK MatchChild(HWND window, LPARAM context)
{
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId)
        return TRUE;
    search.found = window;
    return FALSE;
}

}  // namespace

HWND WaitForChild(HWND parent, DWORD processId)
{
    WindowSearch search = { processId, nullptr, nullptr, nullptr };
    WaitUntil([&] {
        EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    });
    return search.found;
}
