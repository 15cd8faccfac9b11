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
