// Dozewell Drift run as Windows runs a screen saver: each switch, with real windows and input.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "support/TestProcess.h"
#include "support/TestWindows.h"

namespace {

const char kSaverClass[] = "DozewellDrift";
const char kDescription[] = "Dozewell Drift";
const char kNoSettings[] = "This screen saver has no options that you can set.";

ChildProcess StartDrift(const std::string& arguments)
{
    return ChildProcess("\"" + DriftPath() + "\" " + arguments);
}

std::string Handle(HWND window)
{
    return std::to_string(reinterpret_cast<UINT_PTR>(window));
}

// Replaces "%u" with the window's handle in decimal.
std::string WithHandle(std::string pattern, HWND window)
{
    const size_t at = pattern.find("%u");
    return at == std::string::npos ? pattern : pattern.replace(at, 2, Handle(window));
}

SIZE ClientSize(HWND window)
{
    RECT area = {};
    GetClientRect(window, &area);
    return { area.right, area.bottom };
}

DWORD ProcessOf(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

}  // namespace

// ---- Full screen ----

TEST(DriftFullScreen, CoversTheWholeVirtualScreenOnTopWithoutACursor)
{
    for (const char* fullScreen : { "/s", "/S", "-s", "-S" }) {
        SCOPED_TRACE(fullScreen);
        ChildProcess saver = StartDrift(fullScreen);
        ASSERT_TRUE(saver.Started());
        const HWND window = WaitForProcessWindow(saver.Id(), kSaverClass);
        ASSERT_NE(window, nullptr);

        RECT area = {};
        GetWindowRect(window, &area);
        EXPECT_EQ(area.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
        EXPECT_EQ(area.top, GetSystemMetrics(SM_YVIRTUALSCREEN));
        EXPECT_EQ(area.right - area.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
        EXPECT_EQ(area.bottom - area.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
        const LONG style = GetWindowLongA(window, GWL_STYLE);
        EXPECT_TRUE(style & WS_POPUP);
        EXPECT_FALSE(style & WS_CAPTION);
        EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_EQ(WindowText(window), kDescription);

        // The cursor state is the foreground thread's: the saver's, once it is in front.
        CURSORINFO cursor = {};
        cursor.cbSize = sizeof cursor;
        EXPECT_TRUE(WaitUntil([&] { return GetCursorInfo(&cursor) && !(cursor.flags & CURSOR_SHOWING); }, 3000));
        EXPECT_EQ(GetForegroundWindow(), window);
    }
}

namespace {

INPUT KeyInput(WORD key, DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    return input;
}

INPUT MouseInput(DWORD flags, int x = 0, int y = 0)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        // Absolute moves are in 0..65535 over the virtual screen.
        const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
        const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
        input.mi.dx = MulDiv(x - left, 65535, GetSystemMetrics(SM_CXVIRTUALSCREEN) - 1);
        input.mi.dy = MulDiv(y - top, 65535, GetSystemMetrics(SM_CYVIRTUALSCREEN) - 1);
        input.mi.dwFlags |= MOUSEEVENTF_VIRTUALDESK;
    }
    return input;
}

void Send(std::initializer_list<INPUT> inputs)
{
    std::vector<INPUT> list(inputs);
    EXPECT_EQ(SendInput(static_cast<UINT>(list.size()), list.data(), sizeof(INPUT)), list.size());
}

void MoveMouseTo(int x, int y)
{
    Send({ MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y) });
}

struct InputCase {
    const char* name;
    void (*act)();
};

}  // namespace

TEST(DriftFullScreen, EndsOnAKeyAClickOrAMoveOfTheMouse)
{
    const InputCase cases[] = {
        { "key",
          [] {
              Send({ KeyInput(VK_SPACE, 0), KeyInput(VK_SPACE, KEYEVENTF_KEYUP) });
          } },
        { "shift key",
          [] {
              Send({ KeyInput(VK_SHIFT, 0), KeyInput(VK_SHIFT, KEYEVENTF_KEYUP) });
          } },
        { "alt key",
          [] {
              Send({ KeyInput(VK_MENU, 0), KeyInput(VK_MENU, KEYEVENTF_KEYUP) });
          } },
        { "left click",
          [] {
              Send({ MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP) });
          } },
        { "right click",
          [] {
              Send({ MouseInput(MOUSEEVENTF_RIGHTDOWN), MouseInput(MOUSEEVENTF_RIGHTUP) });
          } },
        { "middle click",
          [] {
              Send({ MouseInput(MOUSEEVENTF_MIDDLEDOWN), MouseInput(MOUSEEVENTF_MIDDLEUP) });
          } },
        { "mouse moved far", [] { MoveMouseTo(400, 300); } },
    };
    for (const InputCase& c : cases) {
        SCOPED_TRACE(c.name);
        MoveMouseTo(200, 200);
        ChildProcess saver = StartDrift("/s");
        ASSERT_NE(WaitForProcessWindow(saver.Id(), kSaverClass), nullptr);
        // The saver first sees where the mouse rests; only input after that must end it.
        Sleep(300);
        ASSERT_TRUE(saver.Running());
        c.act();
        EXPECT_TRUE(saver.WaitForExit(5000));
    }
}

TEST(DriftFullScreen, StaysWhenTheMouseIsOnlyNudged)
{
    MoveMouseTo(200, 200);
    ChildProcess saver = StartDrift("/s");
    ASSERT_NE(WaitForProcessWindow(saver.Id(), kSaverClass), nullptr);
    Sleep(300);
    MoveMouseTo(203, 198);
    Sleep(200);
    MoveMouseTo(206, 204);
    EXPECT_FALSE(saver.WaitForExit(1000));
    MoveMouseTo(220, 204);
    EXPECT_TRUE(saver.WaitForExit(5000));
}

TEST(DriftFullScreen, EndsWhenAnotherProgramComesToTheFront)
{
    ChildProcess saver = StartDrift("/s");
    ASSERT_NE(WaitForProcessWindow(saver.Id(), kSaverClass), nullptr);
    Sleep(300);
    ASSERT_TRUE(saver.Running());
    HostWindow other(true);
    SetForegroundWindow(other.Handle());
    EXPECT_TRUE(saver.WaitForExit(5000));
}

// ---- Preview ----

namespace {

COLORREF PixelAt(HWND window, POINT point)
{
    ClientToScreen(window, &point);
    HDC screen = GetDC(nullptr);
    const COLORREF color = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return color;
}

// How many of a grid of points over the window's client area show another colour than this.
int PointsNotOf(COLORREF color, HWND window, int grid)
{
    const SIZE size = ClientSize(window);
    int other = 0;
    for (int row = 0; row < grid; ++row) {
        for (int column = 0; column < grid; ++column) {
            const POINT point = { (2 * column + 1) * size.cx / (2 * grid), (2 * row + 1) * size.cy / (2 * grid) };
            if (PixelAt(window, point) != color)
                ++other;
        }
    }
    return other;
}

}  // namespace

TEST(DriftPreview, DrawsInAChildThatFillsTheHostFollowsItsSizeAndEndsWithIt)
{
    struct PreviewCase {
        const char* arguments;
        HostPlace place;
    };
    const PreviewCase cases[] = {
        { "/p %u", HostPlace::TopLevel },
        { "/p:%u", HostPlace::TopLevel },
        { "/P %u", HostPlace::TopLevel },
        { "-p %u", HostPlace::TopLevel },
        // As in a settings dialog.
        { "/p %u", HostPlace::Control },
    };
    for (const PreviewCase& c : cases) {
        SCOPED_TRACE(std::string(c.arguments) + (c.place == HostPlace::Control ? " in a control" : ""));
        HostWindow host(true, 240, 180, c.place);
        Sleep(200);
        const COLORREF hostColor = PixelAt(host.Handle(), { 120, 90 });
        ChildProcess saver = StartDrift(WithHandle(c.arguments, host.Handle()));
        const HWND child = host.WaitForChildOf(saver.Id());
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(ProcessOf(child), saver.Id());
        EXPECT_EQ(GetParent(child), host.Handle());
        EXPECT_TRUE(GetWindowLongA(child, GWL_STYLE) & WS_CHILD);
        EXPECT_TRUE(IsWindowVisible(child));
        RECT place = {};
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, host.Handle(), reinterpret_cast<POINT*>(&place), 2);
        const SIZE hostSize = ClientSize(host.Handle());
        EXPECT_EQ(place.left, 0);
        EXPECT_EQ(place.top, 0);
        EXPECT_EQ(place.right, hostSize.cx);
        EXPECT_EQ(place.bottom, hostSize.cy);
        // Drawn where it can be seen: all over the host, the scene and not the host's own colour.
        const int grid = 6;
        int shown = 0;
        EXPECT_TRUE(WaitUntil([&] { return (shown = PointsNotOf(hostColor, child, grid)) == grid * grid; }, 3000))
            << shown;

        host.Resize(320, 200);
        EXPECT_TRUE(WaitUntil([&] { return ClientSize(child).cx == 320 && ClientSize(child).cy == 200; }, 3000));
        host.Resize(160, 120);
        EXPECT_TRUE(WaitUntil([&] { return ClientSize(child).cx == 160 && ClientSize(child).cy == 120; }, 3000));
        EXPECT_TRUE(saver.Running());

        host.Destroy();
        EXPECT_TRUE(saver.WaitForExit(5000));
    }
}

TEST(DriftPreview, IgnoresInputThatReachesIt)
{
    HostWindow host;
    ChildProcess saver = StartDrift("/p " + Handle(host.Handle()));
    const HWND child = host.WaitForChildOf(saver.Id());
    ASSERT_NE(child, nullptr);
    PostMessageA(child, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    PostMessageA(child, WM_MOUSEMOVE, 0, MAKELPARAM(150, 120));
    PostMessageA(child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 120));
    PostMessageA(child, WM_KEYDOWN, VK_SPACE, 0);
    Sleep(500);
    EXPECT_TRUE(saver.Running());
    EXPECT_TRUE(IsWindow(child));
}

TEST(DriftPreview, EndsWhenTheHostsProcessEnds)
{
    // Another saver's settings box stands in for a program hosting the preview.
    ChildProcess hostProcess = StartDrift("/c");
    const HWND host = WaitForProcessWindow(hostProcess.Id(), "#32770");
    ASSERT_NE(host, nullptr);
    ChildProcess saver = StartDrift("/p " + Handle(host));
    ASSERT_TRUE(WaitUntil([&] { return GetWindow(host, GW_CHILD) != nullptr; }));
    TerminateProcess(hostProcess.Handle(), 1);
    EXPECT_TRUE(saver.WaitForExit(5000));
}

TEST(DriftPreview, EndsAtOnceWithoutAWindowToDrawIn)
{
    HWND gone = nullptr;
    {
        HostWindow host;
        gone = host.Handle();
    }
    for (const std::string& arguments : { std::string("/p"), std::string("/p 0"), std::string("/p:"),
                                          std::string("/p nonsense"), "/p " + Handle(gone) }) {
        SCOPED_TRACE(arguments);
        ChildProcess saver = StartDrift(arguments);
        ASSERT_TRUE(saver.Started());
        EXPECT_TRUE(saver.WaitForExit(5000));
        DWORD code = 0;
        GetExitCodeProcess(saver.Handle(), &code);
        EXPECT_NE(code, 0u);
    }
}

// ---- Settings ----

TEST(DriftSettings, SaysThereAreNoSettingsInABoxOwnedByTheGivenWindow)
{
    for (const char* configure : { "/c:%u", "/C:%u", "-c:%u", "/c %u" }) {
        SCOPED_TRACE(configure);
        HostWindow owner;
        ChildProcess saver = StartDrift(WithHandle(configure, owner.Handle()));
        const HWND box = WaitForProcessWindow(saver.Id());
        ASSERT_NE(box, nullptr);
        const MessageBoxView view = ReadMessageBox(box);
        EXPECT_EQ(view.caption, kDescription);
        EXPECT_EQ(view.text, kNoSettings);
        EXPECT_EQ(view.owner, owner.Handle());
        EXPECT_TRUE(view.hasOk);
        // Modal to its owner, as a settings box is.
        EXPECT_FALSE(IsWindowEnabled(owner.Handle()));
        PressButton(box, IDOK);
        EXPECT_TRUE(saver.WaitForExit());
        EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    }
}

TEST(DriftSettings, WithoutAnOwnerTheBoxStandsAlone)
{
    HWND gone = nullptr;
    {
        HostWindow host;
        gone = host.Handle();
    }
    // No argument acts as "/c"; so does a switch the saver does not know.
    for (const std::string& arguments : { std::string(""), std::string("/c"), std::string("/C"), std::string("-c"),
                                          std::string("/c:0"), std::string("/a"), "/c:" + Handle(gone) }) {
        SCOPED_TRACE(arguments);
        ChildProcess saver = StartDrift(arguments);
        const HWND box = WaitForProcessWindow(saver.Id(), "#32770");
        ASSERT_NE(box, nullptr);
        const MessageBoxView view = ReadMessageBox(box);
        EXPECT_EQ(view.caption, kDescription);
        EXPECT_EQ(view.text, kNoSettings);
        EXPECT_EQ(view.owner, nullptr);
        PressButton(box, IDOK);
        EXPECT_TRUE(saver.WaitForExit());
    }
}
