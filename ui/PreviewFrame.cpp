#include "ui/PreviewFrame.h"

namespace {

// Where the frame keeps the window procedure that it had before.
const char kFrameProcedure[] = "Dozewell.FrameProcedure";

LRESULT CALLBACK FrameProcedure(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto previous = reinterpret_cast<WNDPROC>(GetPropA(frame, kFrameProcedure));
    if (message == WM_SIZE) {
        // Posted to the preview's thread wherever the system can, not waited for: it may be busy or hung.
        for (HWND child = GetWindow(frame, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            SetWindowPos(child, nullptr, 0, 0, LOWORD(lParam), HIWORD(lParam),
                         SWP_ASYNCWINDOWPOS | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropA(frame, kFrameProcedure);
    }
    return CallWindowProcA(previous, frame, message, wParam, lParam);
}

}  // namespace

void KeepPreviewFillingFrame(HWND frame)
{
    const LONG_PTR previous = GetWindowLongPtrA(frame, GWLP_WNDPROC);
    if (!SetPropA(frame, kFrameProcedure, reinterpret_cast<HANDLE>(previous)))
        return;
    SetWindowLongPtrA(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameProcedure));
}
