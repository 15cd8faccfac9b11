// dozewell.exe :settings as a user meets it, with screen savers of our own where it looks for them.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "support/Harness.h"

namespace {

const int kListId = 1034, kLabelId = 1035, kPreviewAreaId = 1036, kPreviewId = 1037, kConfigureId = 1038;

class Dialog : public ::testing::Test {
protected:
    Dialog() { SetText(kDesktopKey, kSaverValue, beta.path); }
    ~Dialog() override
    {
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        if (run)
            run->Exited();
    }

    void Open()
    {
        run.reset(new Process("\"" + BinDir() + "\\dozewell.exe\" :settings"));
        window = WaitForWindow(run->Id());
        ASSERT_NE(window, nullptr) << "the dialog did not open";
    }
    HWND Item(int id) const { return GetDlgItem(window, id); }
    LRESULT Selected() const { return SendMessageA(Item(kListId), LB_GETCURSEL, 0, 0); }
    std::string Label() const { return Text(Item(kLabelId)); }
    // Selects the line as a click does: the list box tells the dialog.
    void Choose(const std::string& line) const
    {
        const std::vector<std::string> lines = Lines(Item(kListId));
        const auto index = std::find(lines.begin(), lines.end(), line) - lines.begin();
        SendMessageA(Item(kListId), LB_SETCURSEL, index, 0);
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(kListId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(Item(kListId)));
    }
    // The preview once things settle: the one process of our modules that runs, the module's, started with
    // the preview area's handle and showing in it. Its id, or 0.
    DWORD RunningPreview(const PlacedFile& saver) const
    {
        const std::string command =
            "\"" + saver.reached + "\" /p " + std::to_string(reinterpret_cast<UINT_PTR>(Item(kPreviewAreaId)));
        DWORD id = 0;
        const bool settled = WaitUntil([&] {
            const auto ids = saver.Running();
            const auto starts = saver.Starts();
            id = ids.size() == 1 && alpha.Running().size() + beta.Running().size() + gamma.Running().size() == 1
                     ? ids[0]
                     : 0;
            return std::any_of(starts.begin(), starts.end(),
                               [&](const auto& start) { return start.process == id && start.commandLine == command; });
        });
        return settled && WaitForWindow(id, Item(kPreviewAreaId)) ? id : 0;
    }

    PlacedFile alpha { SystemDir() + "\\dozewell-alpha.scr", "Alpha" },
        beta { SystemDir() + "\\dozewell-beta.scr", "Beta" }, gamma { WindowsDir() + "\\dozewell-gamma.scr", "Aurora" },
        control { SystemDir() + "\\control.exe" };
    std::unique_ptr<Process> run;
    HWND window = nullptr;
};

TEST_F(Dialog, ShowsTheSaversAndMakesEachChoiceTheDefaultAtOnceAndPreviewsIt)
{
    Open();
    EXPECT_EQ(Text(window), "Dozewell : Change Default ScreenSaver");
    std::string controls;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = {};
        GetClassNameA(child, className, sizeof className);
        char style[16];
        snprintf(style, sizeof style, "%lx", GetWindowLongA(child, GWL_STYLE) & (0xFFFF | WS_TABSTOP | WS_GROUP));
        controls += std::to_string(GetDlgCtrlID(child)) + " " + className + " " + style + " " + Text(child) + "\n";
    }
    // In their tab order; the list unsorted and telling of each change, the preview area sunken.
    EXPECT_EQ(controls, "1034 ListBox 10101 \n2 Button 10000 Close\n1035 Static 20000 Default ScreenSaver : Beta\n"
                        "1036 Static 21000 Selected ScreenSaver Preview\n1037 Button 10000 &Preview\n"
                        "1038 Button 10000 &Configure\n");
    EXPECT_EQ(Lines(Item(kListId)), std::vector<std::string>({ "Alpha", "Beta", "Aurora" }));
    EXPECT_EQ(Selected(), 1) << "the default is not selected";
    RECT frame, screen;
    GetWindowRect(window, &frame);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    EXPECT_NEAR(frame.left + frame.right, screen.left + screen.right, 2) << "the dialog is not centred";
    EXPECT_NEAR(frame.top + frame.bottom, screen.top + screen.bottom, 2);

    // One icon, the program's, for both sizes: read inside the dialog's process, where WM_GETICON works.
    HMODULE probe = LoadLibraryA((BinDir() + "\\fixtures\\icon_probe.dll").c_str());
    HHOOK hook = SetWindowsHookExA(
        WH_CALLWNDPROC, reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(probe, "IconProbeHook"))),
        probe, GetWindowThreadProcessId(window, nullptr));
    SendMessageA(window, RegisterWindowMessageA("Dozewell.IconProbe"), 0, 0);
    UnhookWindowsHookEx(hook);
    FreeLibrary(probe);
    EXPECT_NE(GetPropA(window, "Dozewell.AppIcon"), nullptr);
    EXPECT_EQ(GetPropA(window, "Dozewell.BigIcon"), GetPropA(window, "Dozewell.AppIcon"));
    EXPECT_EQ(GetPropA(window, "Dozewell.SmallIcon"), GetPropA(window, "Dozewell.AppIcon"));

    DWORD preview = RunningPreview(beta);
    ASSERT_NE(preview, 0u);
    // Each change writes the default, rewrites the label and starts the preview anew, also for the same line.
    const struct {
        const char* line;
        const PlacedFile& saver;
        WORD key;  // 0: chosen with the mouse
    } choices[] = { { "Aurora", gamma, 0 }, { "Alpha", alpha, 0 },     { "Alpha", alpha, 0 },
                    { "Beta", beta, 0 },    { "Alpha", alpha, VK_UP }, { "Aurora", gamma, VK_END } };
    for (const auto& choice : choices) {
        if (choice.key) {
            SetForegroundWindow(window);
            Key(choice.key);
            EXPECT_TRUE(WaitUntil([&] { return DefaultSaver() == choice.saver.path; }));
        } else {
            Choose(choice.line);
        }
        EXPECT_EQ(DefaultSaver(), choice.saver.path);
        EXPECT_EQ(Label(), std::string("Default ScreenSaver : ") + choice.line);
        const DWORD next = RunningPreview(choice.saver);
        EXPECT_NE(next, 0u) << choice.line;
        EXPECT_NE(next, preview) << "the preview was not started anew for " << choice.line;
        preview = next;
    }
    // Quick changes leave one preview, of the last choice.
    for (int i = 0; i < 100; ++i)
        Choose(i % 2 ? "Alpha" : "Beta");
    Choose("Aurora");
    EXPECT_NE(RunningPreview(gamma), 0u);
    Press(window, IDCANCEL);
    EXPECT_TRUE(run->Exited());
    EXPECT_TRUE(WaitUntil([&] { return gamma.Running().empty(); })) << "the preview outlived the dialog";
    EXPECT_EQ(DefaultSaver(), gamma.path) << "closing undid the choice";
}

TEST_F(Dialog, ButtonsStartTheDefaultOrOpenTheSettingsAndEnterEscapeOrCloseEndIt)
{
    const std::string fullScreen = "\"" + beta.reached + "\"", settings = "\"" + control.reached + "\"  desk.cpl ,1";
    const struct {
        int button;  // 0: none, and no default either
        const PlacedFile* started;
        const std::string* commandLine;
        int end;  // a key, or the Close button
    } cases[] = { { kPreviewId, &beta, &fullScreen, VK_ESCAPE },
                  { kConfigureId, &control, &settings, IDCANCEL },
                  { 0, nullptr, nullptr, VK_RETURN } };
    for (const auto& c : cases) {
        if (!c.button)
            DeleteValue(kDesktopKey, kSaverValue);
        Open();
        if (c.button) {
            const DWORD preview = RunningPreview(beta);
            ASSERT_NE(preview, 0u) << "no preview ran";
            Press(window, c.button);
            EXPECT_TRUE(WaitUntil([&] {
                const auto starts = c.started->Starts();
                return std::any_of(starts.begin(), starts.end(),
                                   [&](const auto& start) { return start.commandLine == *c.commandLine; });
            })) << *c.commandLine;
            EXPECT_EQ(RunningPreview(beta), preview) << "the preview was restarted, though the list did not change";
        } else {
            EXPECT_EQ(Label(), "Default ScreenSaver : None");
            EXPECT_EQ(Selected(), LB_ERR);
            EXPECT_TRUE(alpha.Running().empty() && beta.Running().empty() && gamma.Running().empty());
        }
        SetForegroundWindow(window);
        if (c.end == IDCANCEL)
            Press(window, IDCANCEL);
        else
            Key(static_cast<WORD>(c.end));
        EXPECT_TRUE(run->Exited()) << "the dialog did not close";
    }
}

// On 64-bit Windows, the x64 and the x86 build (this same row in both suites, on one prefix) list the
// real system directory, where 64-bit screen savers are, and store a choice so that the 64-bit side
// of Windows starts that very module; a 32-bit one found only in SysWOW64 is not listed.
TEST_F(Dialog, OffersAndStoresWhatWindowsOwn64BitSideStarts)
{
    const std::string wow64 = WindowsDir() + "\\SysWOW64";
    if (GetFileAttributesA(wow64.c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "32-bit Windows";
    const std::string builds = "..\\..\\..\\", x64Fixture = builds + "x64\\bin\\fixtures\\saver_fixture.scr";
    PlacedFile wide(SystemDir() + "\\dozewell-wide.scr", "Wide", x64Fixture),
        narrow(wow64 + "\\dozewell-narrow.scr", "Narrow", builds + "x86\\bin\\fixtures\\saver_fixture.scr");
    SetText(kDesktopKey, kSaverValue, wide.path);
    Open();
    EXPECT_EQ(Lines(Item(kListId)), std::vector<std::string>({ "Alpha", "Beta", "Wide", "Aurora" }));
    EXPECT_EQ(Selected(), 2);
    EXPECT_EQ(Label(), "Default ScreenSaver : Wide");
    const std::string preview =
        "\"" + wide.reached + "\" /p " + std::to_string(reinterpret_cast<UINT_PTR>(Item(kPreviewAreaId)));
    EXPECT_TRUE(WaitUntil([&] {
        const auto starts = wide.Starts();
        return starts.size() == 1 && starts[0].commandLine == preview && wide.Running().size() == 1;
    })) << "the default's preview did not run";
    Choose("Beta");
    Choose("Wide");
    EXPECT_EQ(DefaultSaver(), wide.path);
    Press(window, IDCANCEL);
    EXPECT_TRUE(run->Exited());

    // The x64 build, a 64-bit process as Windows' own, starts the stored default full screen.
    SetValue(kProfileKey, kNoticeValue, REG_DWORD, std::string("\1\0\0\0", 4));
    Process start("\"" + BinDir() + "\\..\\..\\x64\\bin\\dozewell.exe\"");
    EXPECT_TRUE(WaitUntil([&] {
        const auto starts = wide.Starts();
        return std::any_of(starts.begin(), starts.end(),
                           [](const auto& s) { return s.commandLine.find(" /p ") == std::string::npos; });
    })) << "the stored default is not the module chosen";
    EXPECT_TRUE(narrow.Starts().empty());
}

}  // namespace
