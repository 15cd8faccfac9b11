// The least that a full-screen saver drawing 30 frames a second costs under this system, for
// scripts/bench.sh: a window over the whole screen that on each frame draws one pixel at each of N
// places spread over the screen and sends each to the display on its own, as Drift sends its lights.
// It draws nothing with N = 0. A key ends it.
//   send_floor.exe <N>
#include <windows.h>

#include <stdlib.h>

namespace {

const UINT_PTR kFrameTimer = 1;
const UINT kFrameMs = 33;
int g_places = 0;
int g_frame = 0;

void SendPixels(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    const HDC dc = GetDCEx(window, nullptr, DCX_CACHE);
    ++g_frame;
    for (int place = 0; place < g_places; ++place) {
        const int x = client.right * place / g_places, y = client.bottom * place / g_places;
        PatBlt(dc, x, y, 1, 1, g_frame % 2 ? WHITENESS : BLACKNESS);
        // Under Wine, what a window drew goes to the display when its thread checks for input.
        GetAsyncKeyState(VK_ESCAPE);
    }
    ReleaseDC(window, dc);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        SendPixels(window);
        return 0;
    case WM_KEYDOWN:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    g_places = atoi(commandLine);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = "DozewellSendFloor";
    RegisterClassA(&windowClass);
    const HWND window = CreateWindowExA(WS_EX_TOPMOST, windowClass.lpszClassName, "Send floor", WS_POPUP | WS_VISIBLE,
                                        0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr,
                                        nullptr, instance, nullptr);
    if (!window)
        return 1;
    SetForegroundWindow(window);
    SetTimer(window, kFrameTimer, kFrameMs, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
