#include "drift/SaverWindow.h"

#include "drift/SaverResources.h"
#include "drift/WindowDC.h"
#include "framework/SystemFunction.h"

namespace {

const char kClassName[] = "DozewellDrift";
const UINT_PTR kFrameTimer = 1;
const UINT kFrameMs = 33;        // about 30 frames a second
const DWORD kLongestStep = 100;  // after a stall the lights move on smoothly, not in a jump
// A mouse that moves less than this many pixels is a nudge of the desk, not the user.
const int kMouseTolerance = 8;

int Distance(int a, int b)
{
    return a > b ? a - b : b - a;
}

// Looked up at run time: DPI awareness came in steps, from Vista to Windows 10.
typedef BOOL(WINAPI* SetProcessDpiAwareFunction)();
typedef DPI_AWARENESS_CONTEXT(WINAPI* GetWindowDpiAwarenessContextFunction)(HWND);
typedef DPI_AWARENESS_CONTEXT(WINAPI* SetThreadDpiAwarenessContextFunction)(DPI_AWARENESS_CONTEXT);

}  // namespace

CSaverWindow::CSaverWindow(HINSTANCE instance) : m_instance(instance), m_scene(GetTickCount())
{
}

CSaverWindow::~CSaverWindow()
{
    if (m_window)
        DestroyWindow(m_window);
}

BOOL CSaverWindow::CreateFullScreen()
{
    // Drawn at the screen's own pixels, not scaled up by Windows from a smaller canvas.
    if (const auto setProcessDpiAware = SystemFunction<SetProcessDpiAwareFunction>("user32.dll", "SetProcessDPIAware"))
        setProcessDpiAware();
    const RECT area = { GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                        GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                        GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN) };
    if (!Create(WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE, area, nullptr))
        return FALSE;
    ShowCursor(FALSE);
    m_cursorHidden = true;
    SetForegroundWindow(m_window);
    return TRUE;
}

BOOL CSaverWindow::CreatePreview(HWND host)
{
    // The preview takes its host's DPI awareness, or the two would disagree on coordinates; where
    // Windows cannot tell it (before Windows 10), it stays unaware, as the process starts.
    const auto getWindowContext =
        SystemFunction<GetWindowDpiAwarenessContextFunction>("user32.dll", "GetWindowDpiAwarenessContext");
    const auto setThreadContext =
        SystemFunction<SetThreadDpiAwarenessContextFunction>("user32.dll", "SetThreadDpiAwarenessContext");
    if (getWindowContext && setThreadContext)
        setThreadContext(getWindowContext(host));
    RECT area;
    if (!GetClientRect(host, &area))
        return FALSE;
    m_host = host;
    return Create(0, WS_CHILD | WS_VISIBLE, area, host);
}

BOOL CSaverWindow::Create(DWORD exStyle, DWORD style, const RECT& area, HWND parent)
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = m_instance;
    windowClass.hIcon = LoadIconA(m_instance, MAKEINTRESOURCEA(IDI_DRIFT));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    // No background brush: the scene covers every pixel.
    RegisterClassA(&windowClass);
    char title[kDescriptionSize] = {};
    LoadStringA(m_instance, IDS_DESCRIPTION, title, sizeof title);
    // The host's thread is not told about the child: it may be busy, and the saver must not wait.
    CreateWindowExA(exStyle | (parent ? WS_EX_NOPARENTNOTIFY : 0), kClassName, title, style, area.left, area.top,
                    area.right - area.left, area.bottom - area.top, parent, nullptr, m_instance, this);
    if (!m_window)
        return FALSE;
    m_lastTick = GetTickCount();
    SetTimer(m_window, kFrameTimer, kFrameMs, nullptr);
    return TRUE;
}

int CSaverWindow::Run()
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return static_cast<int>(message.wParam);
}

LRESULT CALLBACK CSaverWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<CSaverWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->m_window = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<CSaverWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->m_window = nullptr;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return self->OnMessage(message, wParam, lParam);
}

LRESULT CSaverWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        OnTimer();
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_SETCURSOR:
        // Full screen, nothing may show but the scene.
        if (IsFullScreen()) {
            SetCursor(nullptr);
            return TRUE;
        }
        break;
    case WM_SYSCOMMAND:
        // The system must not start a screen saver over this one.
        if ((wParam & 0xFFF0) == SC_SCREENSAVE)
            return 0;
        break;
    case WM_MOUSEMOVE:
        if (IsFullScreen())
            OnMouseMove(lParam);
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_XBUTTONDOWN:
        if (IsFullScreen()) {
            DestroyWindow(m_window);
            return 0;
        }
        break;
    case WM_ACTIVATEAPP:
        // Another program came to the front: the user is back.
        if (IsFullScreen() && !wParam) {
            DestroyWindow(m_window);
            return 0;
        }
        break;
    }
    return DefWindowProcA(m_window, message, wParam, lParam);
}

void CSaverWindow::OnTimer()
{
    const DWORD now = GetTickCount();
    const DWORD elapsed = now - m_lastTick < kLongestStep ? now - m_lastTick : kLongestStep;
    m_lastTick = now;
    if (m_host)
        FollowHost();
    m_scene.Advance(elapsed);
    RECT client;
    GetClientRect(m_window, &client);
    if (!m_frame.Fit(m_scene, client.right, client.bottom))
        return;
    m_frame.Update(m_scene, m_changed);
    if (m_host) {
        // The small preview is shown whole each time, so that whatever its host paints over it
        // lasts no longer than a frame.
        InvalidateRect(m_window, nullptr, FALSE);
        return;
    }
    // Full screen, only what changed, each rectangle on its own.
    CWindowDC window(m_window, DCX_CACHE);
    for (const RECT& area : m_changed) {
        BitBlt(window.Dc(), area.left, area.top, area.right - area.left, area.bottom - area.top, m_frame.Picture().Dc(),
               area.left, area.top, SRCCOPY);
        // Wine sends what a window drew to the screen, as one rectangle around all of it, when its thread
        // checks for input and finds none: so each rectangle goes on its own, not one around the lights.
        GetAsyncKeyState(VK_ESCAPE);
    }
}

void CSaverWindow::OnPaint()
{
    CPaintDC paint(m_window);
    RECT client;
    GetClientRect(m_window, &client);
    if (!m_frame.Fit(m_scene, client.right, client.bottom))
        return;
    const HDC picture = m_frame.Picture().Dc();
    if (m_host) {
        // Shown through the DC of the host's top-level window, at this window's place in it: under
        // Wine, what a window draws through its own DC, or through the DC of another process's child
        // window, never reaches the screen when that parent belongs to another process. On Windows
        // the top-level's DC reaches the same pixels. Its children are not clipped away, or the
        // preview would be. A top-level laid out right to left (a dialog in Arabic or Hebrew) has a
        // mirrored DC: set left to right, it takes the place counted from the client area's left and
        // leaves the picture unmirrored.
        const HWND root = GetAncestor(m_host, GA_ROOT);
        RECT rootArea;
        GetClientRect(root, &rootArea);
        // Two points are a rectangle, whose left and right come back as on the screen also from a mirrored window.
        MapWindowPoints(root, nullptr, reinterpret_cast<POINT*>(&rootArea), 2);
        POINT place = { 0, 0 };
        ClientToScreen(m_window, &place);
        CWindowDC rootDc(root, DCX_CACHE | DCX_CLIPSIBLINGS);
        SetLayout(rootDc.Dc(), 0);
        BitBlt(rootDc.Dc(), place.x - rootArea.left, place.y - rootArea.top, client.right, client.bottom, picture, 0, 0,
               SRCCOPY);
        return;
    }
    const RECT& area = paint.PaintRect();
    BitBlt(paint.Dc(), area.left, area.top, area.right - area.left, area.bottom - area.top, picture, area.left,
           area.top, SRCCOPY);
}

void CSaverWindow::OnMouseMove(LPARAM lParam)
{
    const POINT point = { static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)) };
    // The first report is where the mouse rests; only a move away from there ends the saver.
    if (!m_mouseSeen) {
        m_mouseSeen = true;
        m_firstMouse = point;
        return;
    }
    if (Distance(point.x, m_firstMouse.x) > kMouseTolerance || Distance(point.y, m_firstMouse.y) > kMouseTolerance)
        DestroyWindow(m_window);
}

void CSaverWindow::OnDestroy()
{
    KillTimer(m_window, kFrameTimer);
    if (m_cursorHidden) {
        ShowCursor(TRUE);
        m_cursorHidden = false;
    }
    PostQuitMessage(0);
}

void CSaverWindow::FollowHost()
{
    RECT wanted;
    RECT current;
    if (!GetClientRect(m_host, &wanted) || !GetClientRect(m_window, &current))
        return;
    if (wanted.right != current.right || wanted.bottom != current.bottom)
        SetWindowPos(m_window, nullptr, 0, 0, wanted.right, wanted.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
}
