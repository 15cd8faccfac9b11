#include "support/TestWindows.h"

namespace {

struct WindowSearch {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context)
{
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window))
        return TRUE;
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (search.className && lstrcmpA(className, search.className) != 0)
        return TRUE;
    search.found = window;
    return FALSE;
}

HWND FindProcessWindow(DWORD processId, const char* className)
{
    WindowSearch search = { processId, className, nullptr };
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

HWND WaitForProcessWindow(DWORD processId, const char* className, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    do {
        if (HWND window = FindProcessWindow(processId, className))
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

void PumpMessages(DWORD durationMs)
{
    const ULONGLONG deadline = GetTickCount64() + durationMs;
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    }
}

namespace {

const char kHostClass[] = "DozewellTestHost";

RECT OuterRect(int width, int height)
{
    RECT area = { 0, 0, width, height };
    AdjustWindowRectEx(&area, WS_OVERLAPPEDWINDOW, FALSE, 0);
    return area;
}

}  // namespace

HostWindow::HostWindow(int width, int height)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kHostClass;
    RegisterClassA(&windowClass);
    const RECT outer = OuterRect(width, height);
    m_window = CreateWindowExA(0, kHostClass, "Test host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 40,
                               40, outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    PumpMessages(50);
}

HostWindow::~HostWindow()
{
    Destroy();
}

void HostWindow::Resize(int width, int height)
{
    const RECT outer = OuterRect(width, height);
    SetWindowPos(m_window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void HostWindow::Destroy()
{
    if (m_window)
        DestroyWindow(m_window);
    m_window = nullptr;
}
