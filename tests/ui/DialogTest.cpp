// dozewell.exe :settings as a user meets it, with screen savers of our own where it looks for them.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "support/Files.h"
#include "support/Processes.h"
#include "support/Registry.h"
#include "support/Windows.h"

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
        run.reset(new Process(DozewellCommand(":settings")));
        window = WaitForWindow(run->Id());
        ASSERT_NE(window, nullptr) << "the dialog did not open";
    }
    HWND Item(int id) const { return GetDlgItem(window, id); }
    std::string Selected() const
    {
        const LRESULT index = SendMessageA(Item(kListId), LB_GETCURSEL, 0, 0);
        return index < 0 ? "(none)" : Lines(Item(kListId))[index];
    }
    // Selects the line as a click does: the list box tells the dialog.
    void Choose(const std::string& line) const
    {
        const std::vector<std::string> lines = Lines(Item(kListId));
        const auto index = std::find(lines.begin(), lines.end(), line) - lines.begin();
        SendMessageA(Item(kListId), LB_SETCURSEL, index, 0);
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(kListId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(Item(kListId)));
    }
    // The one preview that runs once things settle: of our modules, the only process that runs; its id, or 0
    // when it is not the module's run with the preview area's handle, or shows nothing there.
    DWORD RunningPreview(const PlacedFile& saver) const
    {
        const std::string command =
            "\"" + saver.path + "\" /p " + std::to_string(reinterpret_cast<UINT_PTR>(Item(kPreviewAreaId)));
        DWORD running = 0;
        WaitUntil([&] {
            const auto ids = saver.Running();
            const auto starts = saver.Starts();
            running =
                ids.size() == 1 && alpha.Running().size() + beta.Running().size() + gamma.Running().size() == 1 &&
                        std::any_of(starts.begin(), starts.end(),
                                    [&](const auto& s) { return s.process == ids[0] && s.commandLine == command; })
                    ? ids[0]
                    : 0;
            return running != 0;
        });
        return running && WaitForChild(Item(kPreviewAreaId), running) ? running : 0;
    }

    SavedValue savedDefault { kDesktopKey, kSaverValue };
    PlacedFile alpha { SystemDir() + "\\dozewell-alpha.scr", "Alpha" };
    PlacedFile beta { SystemDir() + "\\dozewell-beta.scr", "Beta" };
    PlacedFile gamma { WindowsDir() + "\\dozewell-gamma.scr", "Gamma" };
    PlacedFile control { SystemDir() + "\\control.exe" };
    std::unique_ptr<Process> run;
    HWND window = nullptr;
};

TEST_F(Dialog, ShowsTheSaversTheDefaultAndItsPreview)
{
    Open();
    EXPECT_EQ(Text(window), "Dozewell : Change Default ScreenSaver");
    const struct {
        int id;
        const char* className;
        const char* text;
    } controls[] = { { kListId, "ListBox", "" },
                     { IDCANCEL, "Button", "Close" },
                     { kLabelId, "Static", "Default ScreenSaver : Beta" },
                     { kPreviewAreaId, "Static", "Selected ScreenSaver Preview" },
                     { kPreviewId, "Button", "&Preview" },
                     { kConfigureId, "Button", "&Configure" } };
    HWND child = GetWindow(window, GW_CHILD);
    for (const auto& c : controls) {
        char className[32] = {};
        GetClassNameA(child, className, sizeof className);
        EXPECT_EQ(GetDlgCtrlID(child), c.id);
        EXPECT_STREQ(className, c.className);
        EXPECT_EQ(Text(child), c.text);
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(Lines(Item(kListId)), std::vector<std::string>({ "Alpha", "Beta", "Gamma" }));
    EXPECT_EQ(Selected(), "Beta");
    EXPECT_NE(RunningPreview(beta), 0u);
    RECT frame, screen;
    GetWindowRect(window, &frame);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    EXPECT_NEAR(frame.left + frame.right, screen.left + screen.right, 2) << "the dialog is not centred";
    EXPECT_NEAR(frame.top + frame.bottom, screen.top + screen.bottom, 2);

    // One icon, the program's, for both sizes.
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
}

TEST_F(Dialog, MakesEachChoiceTheDefaultAtOnceAndPreviewsIt)
{
    Open();
    DWORD preview = RunningPreview(beta);
    ASSERT_NE(preview, 0u);
    // Each change writes the default, rewrites the label and starts the preview anew, also for the same line.
    const struct {
        const char* line;
        const PlacedFile& saver;
        WORD key;  // 0: chosen with the mouse
    } choices[] = { { "Gamma", gamma, 0 }, { "Alpha", alpha, 0 },     { "Alpha", alpha, 0 },
                    { "Beta", beta, 0 },   { "Alpha", alpha, VK_UP }, { "Gamma", gamma, VK_END } };
    for (const auto& choice : choices) {
        if (choice.key) {
            SetForegroundWindow(window);
            Key(choice.key);
            EXPECT_TRUE(WaitUntil([&] { return DefaultSaver() == choice.saver.path; }));
        } else {
            Choose(choice.line);
        }
        EXPECT_EQ(DefaultSaver(), choice.saver.path);
        EXPECT_EQ(Text(Item(kLabelId)), std::string("Default ScreenSaver : ") + choice.line);
        const DWORD next = RunningPreview(choice.saver);
        EXPECT_NE(next, 0u) << choice.line;
        EXPECT_NE(next, preview) << "the preview was not started anew for " << choice.line;
        preview = next;
    }

    // Quick changes leave one preview, of the last choice, and no handles behind.
    const int handles = HandleCount(run->Id());
    for (int i = 0; i < 50; ++i)
        Choose(i % 2 ? "Alpha" : "Beta");
    Choose("Gamma");
    EXPECT_NE(RunningPreview(gamma), 0u);
    EXPECT_EQ(HandleCount(run->Id()), handles);

    Press(window, IDCANCEL);
    EXPECT_TRUE(run->Exited());
    EXPECT_TRUE(WaitUntil([&] { return gamma.Running().empty(); })) << "the preview outlived the dialog";
    EXPECT_EQ(DefaultSaver(), gamma.path) << "closing undid the choice";
}

TEST_F(Dialog, WithoutADefaultShowsNoneAndPreviewAsks)
{
    DeleteValue(kDesktopKey, kSaverValue);
    Open();
    EXPECT_EQ(Text(Item(kLabelId)), "Default ScreenSaver : None");
    EXPECT_EQ(Selected(), "(none)");
    EXPECT_TRUE(alpha.Running().empty() && beta.Running().empty() && gamma.Running().empty());
    Press(window, kPreviewId);
    HWND question = WaitForWindow(run->Id(), "#32770", window);
    ASSERT_NE(question, nullptr);
    EXPECT_TRUE(ReadBox(question).yesNo);
    Press(question, IDNO);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(question); }));
    EXPECT_TRUE(control.Starts().empty());
}

TEST_F(Dialog, ButtonsStartTheDefaultOrOpenTheSettingsAndEveryWayOutCloses)
{
    enum class Way { Escape, Enter, Close, CloseBox };
    const std::string fullScreen = "\"" + beta.path + "\"", settings = "\"" + control.path + "\"  desk.cpl ,1";
    const struct {
        int button;  // pressed first; 0: none
        const PlacedFile* started;
        const std::string* commandLine;
        Way way;
    } cases[] = {
        { kPreviewId, &beta, &fullScreen, Way::Escape },
        { kConfigureId, &control, &settings, Way::Close },
        { 0, nullptr, nullptr, Way::Enter },
        { 0, nullptr, nullptr, Way::CloseBox },
    };
    for (const auto& c : cases) {
        Open();
        if (c.button) {
            Press(window, c.button);
            EXPECT_TRUE(WaitUntil([&] {
                const auto starts = c.started->Starts();
                return std::any_of(starts.begin(), starts.end(),
                                   [&](const auto& s) { return s.commandLine == *c.commandLine; });
            })) << *c.commandLine;
        }
        SetForegroundWindow(window);
        if (c.way == Way::Escape || c.way == Way::Enter)
            Key(c.way == Way::Escape ? VK_ESCAPE : VK_RETURN);
        else if (c.way == Way::Close)
            Press(window, IDCANCEL);
        else
            PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_TRUE(run->Exited()) << "the dialog did not close";
        EXPECT_EQ(DefaultSaver(), beta.path);
    }
}

}  // namespace
