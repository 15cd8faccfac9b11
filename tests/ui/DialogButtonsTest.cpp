// The dialog's buttons and the ways to close it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TestInput.h"
#include "support/TestProcess.h"
#include "support/TestWindows.h"
#include "ui/SettingsDialog.h"

namespace {

const char kNoDefaultPrompt[] =
    "It seems Default ScreenSaver is not set in ScreenSaver Settings.\n"
    "Would you like to Open ScreenSaver Settings?";
// Wine reports Windows 7, which opens the page the way every version but Vista does. The shell
// puts a blank between the program and the parameters, which begin with one of their own.
const char kSettingsParameters[] = "  desk.cpl ,1";
const DWORD kNoBoxWaitMs = 1000;

using DialogButtons = DialogTest;

// A message box of the dialog's process, other than the dialog; NULL when none shows in time.
HWND WaitForMessageBox(const SettingsDialog& dialog, DWORD timeoutMs = 10000)
{
    return WaitForProcessWindow(dialog.ProcessId(), "#32770", timeoutMs, dialog.Window());
}

bool IsFullScreenStart(const FixtureStart& start)
{
    return start.commandLine.find(" /p ") == std::string::npos;
}

TEST_F(DialogButtons, PreviewStartsTheDefaultThroughTheShell)
{
    const SaverModule& alpha = savers.ByDescription("Fixture Alpha");
    SetDefault(alpha);
    SettingsDialog dialog;
    ASSERT_NE(dialog.Window(), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return savers.Starts(alpha).size() == 1; })) << "no preview";

    PressButton(dialog.Window(), kPreviewButtonId);
    ASSERT_TRUE(WaitUntil([&] { return savers.Starts(alpha).size() == 2; })) << "not started";
    const FixtureStart start = savers.Starts(alpha).back();
    EXPECT_TRUE(IsFullScreenStart(start)) << start.commandLine;
    EXPECT_NE(start.commandLine.find(savers.PathOf(alpha)), std::string::npos) << start.commandLine;
    EXPECT_EQ(WaitForMessageBox(dialog, kNoBoxWaitMs), nullptr) << "no question when a default is set";
    EXPECT_EQ(savers.TotalStarts(), 2u);
}

TEST_F(DialogButtons, PreviewWithoutADefaultAsksAndNoChangesNothing)
{
    ClearDefault();
    InstalledFile control("control.exe", SystemDir() + "\\control.exe");
    SettingsDialog dialog;
    ASSERT_NE(dialog.Window(), nullptr);

    PressButton(dialog.Window(), kPreviewButtonId);
    const HWND box = WaitForMessageBox(dialog);
    ASSERT_NE(box, nullptr) << "no question";
    const MessageBoxView view = ReadMessageBox(box);
    EXPECT_EQ(view.caption, "Dozewell");
    EXPECT_EQ(view.text, kNoDefaultPrompt);
    EXPECT_TRUE(view.hasYesNo);
    EXPECT_EQ(view.owner, nullptr);

    PressButton(box, IDNO);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); })) << "the question stays";
    Sleep(kNoBoxWaitMs);
    EXPECT_FALSE(ReadValue(HKEY_CURRENT_USER, kDesktopKeyPath, kSaverValueName).exists);
    EXPECT_TRUE(ReadFixtureLog(control.LogPath()).empty()) << "the settings were opened";
    EXPECT_EQ(savers.TotalStarts(), 0u);
    EXPECT_TRUE(IsWindowVisible(dialog.Window())) << "the dialog stays open";
    EXPECT_EQ(dialog.Label(), "Default ScreenSaver : None");
}

TEST_F(DialogButtons, ConfigureOpensTheSettingsWithoutAQuestion)
{
    for (bool withDefault : { false, true }) {
        SCOPED_TRACE(withDefault ? "with a default" : "without a default");
        if (withDefault)
            SetDefault(savers.ByDescription("Fixture Alpha"));
        else
            ClearDefault();
        InstalledFile control("control.exe", SystemDir() + "\\control.exe");
        SettingsDialog dialog;
        ASSERT_NE(dialog.Window(), nullptr);

        PressButton(dialog.Window(), kConfigureButtonId);
        ASSERT_FALSE(WaitForFileText(control.LogPath()).empty()) << "control.exe was not started";
        const std::vector<FixtureStart> starts = ReadFixtureLog(control.LogPath());
        ASSERT_EQ(starts.size(), 1u);
        EXPECT_EQ(starts[0].commandLine, "\"" + control.Path() + "\"" + kSettingsParameters);
        EXPECT_EQ(WaitForMessageBox(dialog, kNoBoxWaitMs), nullptr) << "a question was asked";
        EXPECT_EQ(savers.RunningCount(), withDefault ? 1 : 0) << "only the preview runs";
    }
}

struct CloseCase {
    const char* name;
    void (*close)(HWND dialog);
};

TEST_F(DialogButtons, EveryWayOfClosingEndsTheDialogAndItsPreviewAndKeepsTheChoice)
{
    const CloseCase cases[] = {
        { "Close", [](HWND dialog) { PressButton(dialog, IDCANCEL); } },
        { "Escape", [](HWND) { PressKey(VK_ESCAPE); } },
        { "Enter in the list", [](HWND) { PressKey(VK_RETURN); } },
        { "the close box", [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); } },
    };
    for (const CloseCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetDefault(savers.ByDescription("Fixture Alpha"));
        SettingsDialog dialog;
        ASSERT_NE(dialog.Window(), nullptr);
        // A new choice first, by key, so that the list has the focus for Enter and Escape.
        BringToFront(dialog.Window());
        const int from = dialog.Selection();
        const int to = from == 0 ? 1 : from - 1;
        PressKey(to > from ? VK_DOWN : VK_UP);
        const SaverModule& chosen = ModuleOfLine(dialog, to);
        ASSERT_TRUE(WaitUntil([&] { return DefaultValue() == savers.PathOf(chosen); })) << DefaultValue();
        ASSERT_TRUE(WaitUntil([&] { return savers.Starts(chosen).size() == 1; }));
        ProcessWatch preview(savers.Starts(chosen).back().processId);
        ASSERT_TRUE(preview.Opened());

        c.close(dialog.Window());
        EXPECT_TRUE(dialog.WaitForExit()) << "the dialog did not close";
        EXPECT_TRUE(preview.WaitForExit(5000)) << "the preview outlived the dialog";
        EXPECT_TRUE(WaitUntil([&] { return savers.RunningCount() == 0; })) << savers.RunningCount() << " left";
        EXPECT_EQ(DefaultValue(), savers.PathOf(chosen)) << "the choice stays";
        for (const SaverModule& module : InstalledSavers::Modules())
            DeleteFileA((savers.PathOf(module) + ".log").c_str());
    }
}

}  // namespace
