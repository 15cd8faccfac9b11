#include "support/TestWindows.h"

namespace {

struct WindowSearch {
    DWORD processId;
    const char* className;
    HWND except;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context)
{
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || window == search.except || !IsWindowVisible(window))
        return TRUE;
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (search.className && lstrcmpA(className, search.className) != 0)
        return TRUE;
    search.found = window;
    return FALSE;
}

HWND FindProcessWindow(DWORD processId, const char* className, HWND except = nullptr)
{
    WindowSearch search = { processId, className, except, nullptr };
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

HWND WaitForProcessWindow(DWORD processId, const char* className, DWORD timeoutMs, HWND except)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    do {
        if (HWND window = FindProcessWindow(processId, className, except))
            return window;
        Sleep(50);
    } while (GetTickCount64() < deadline);
    return nullptr;
}

bool HasVisibleWindow(DWORD processId)
{
    return FindProcessWindow(processId, nullptr) != nullptr;
}

std::string WindowText(HWND window)
{
    char text[4096] = {};
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    return text;
}

MessageBoxView ReadMessageBox(HWND window)
{
    // The text of a message box is its static control 0xFFFF.
    const int textId = 0xFFFF;
    MessageBoxView view;
    view.window = window;
    view.caption = WindowText(window);
    view.text = WindowText(GetDlgItem(window, textId));
    view.owner = GetWindow(window, GW_OWNER);
    view.hasOk = GetDlgItem(window, IDOK) != nullptr;
    view.hasYesNo = GetDlgItem(window, IDYES) != nullptr && GetDlgItem(window, IDNO) != nullptr;
    return view;
}

void PressButton(HWND dialog, int buttonId)
{
    PostMessageA(GetDlgItem(dialog, buttonId), BM_CLICK, 0, 0);
}

std::vector<std::string> ListBoxLines(HWND list)
{
    // Read as UTF-16: Wine's LB_GETTEXT sent as ANSI to another process's list hands back UTF-16
    // text, twice as long as the buffer that LB_GETTEXTLEN asked for.
    std::vector<std::string> lines;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
        std::wstring wide(length > 0 ? length + 1 : 1, L'\0');
        const LRESULT copied = SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(&wide[0]));
        wide.resize(copied > 0 ? copied : 0);
        std::string line(wide.size() * 2, '\0');
        line.resize(WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), &line[0],
                                        static_cast<int>(line.size()), nullptr, nullptr));
        lines.push_back(line);
    }
    return lines;
}

int ListBoxSelection(HWND list)
{
    return static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
}

HostWindow::HostWindow(bool visible, int width, int height, HostPlace place)
    : m_visible(visible), m_width(width), m_height(height), m_place(place),
      m_ready(CreateEventA(nullptr, TRUE, FALSE, nullptr))
{
    m_thread = CreateThread(nullptr, 0, Run, this, 0, &m_threadId);
    if (m_thread)
        WaitForSingleObject(m_ready, 10000);
}

void HostWindow::Destroy()
{
    if (m_thread) {
        PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
        WaitForSingleObject(m_thread, 10000);
        CloseHandle(m_thread);
        m_thread = nullptr;
    }
    if (m_ready)
        CloseHandle(m_ready);
    m_ready = nullptr;
}

namespace {

const DWORD kHostStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
const int kFrameMargin = 20;  // around a control host

SIZE OuterSize(int width, int height)
{
    RECT area = { 0, 0, width, height };
    AdjustWindowRectEx(&area, kHostStyle, FALSE, 0);
    return { area.right - area.left, area.bottom - area.top };
}

// Gives the window a client area of that size, whatever its borders.
void SetClientSize(HWND window, int width, int height)
{
    RECT area = { 0, 0, width, height };
    AdjustWindowRectEx(&area, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
    SetWindowPos(window, nullptr, 0, 0, area.right - area.left, area.bottom - area.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void HostWindow::Resize(int width, int height) const
{
    if (m_frame)
        SetClientSize(m_frame, width + 2 * kFrameMargin, height + 2 * kFrameMargin);
    SetClientSize(m_window, width, height);
}

DWORD WINAPI HostWindow::Run(void* self)
{
    HostWindow& host = *static_cast<HostWindow*>(self);
    const DWORD visible = host.m_visible ? WS_VISIBLE : 0;
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    if (host.m_place == HostPlace::Control) {
        const SIZE frame = OuterSize(host.m_width + 2 * kFrameMargin, host.m_height + 2 * kFrameMargin);
        host.m_frame = CreateWindowExA(0, "STATIC", "Host frame", kHostStyle | visible, 0, 0, frame.cx, frame.cy,
                                       nullptr, nullptr, instance, nullptr);
        host.m_window = CreateWindowExA(0, "STATIC", "Preview host", WS_CHILD | WS_VISIBLE | SS_SUNKEN, kFrameMargin,
                                        kFrameMargin, host.m_width, host.m_height, host.m_frame, nullptr, instance,
                                        nullptr);
        SetClientSize(host.m_window, host.m_width, host.m_height);
    } else {
        const SIZE outer = OuterSize(host.m_width, host.m_height);
        host.m_window = CreateWindowExA(0, "STATIC", "Preview host", kHostStyle | visible, 0, 0, outer.cx, outer.cy,
                                        nullptr, nullptr, instance, nullptr);
    }
    // The queue exists once the window does, so WM_QUIT cannot be posted too early.
    SetEvent(host.m_ready);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    const HWND top = host.m_frame ? host.m_frame : host.m_window;
    if (top)
        DestroyWindow(top);
    return 0;
}

namespace {

struct ChildSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchChild(HWND window, LPARAM context)
{
    ChildSearch& search = *reinterpret_cast<ChildSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId)
        return TRUE;
    search.found = window;
    return FALSE;
}

}  // namespace

HWND HostWindow::WaitForChildOf(DWORD processId, DWORD timeoutMs) const
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    do {
        ChildSearch search = { processId, nullptr };
        EnumChildWindows(m_window, MatchChild, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        Sleep(50);
    } while (GetTickCount64() < deadline);
    return nullptr;
}
