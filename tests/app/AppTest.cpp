// dozewell.exe as a user meets it: each row a starting state and a command line, the windows the
// run shows and the buttons pressed in them, and what the run started and left in the registry.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/Files.h"
#include "support/Processes.h"
#include "support/Registry.h"
#include "support/Windows.h"

namespace {

const char kNotice[] = "This is a One Time Alert by the Utility.\nComputer would not be Locked (even if selected in "
                       "ScreenSaver Settings) when Screen Saver is Dismissed.\n";
const char kQuestion[] = "It seems Default ScreenSaver is not set in ScreenSaver Settings.\nWould you like to Open "
                         "ScreenSaver Settings?";
const char kLockFailed[] = "Failed to Lock Workstation.";
const char kDialogTitle[] = "Dozewell : Change Default ScreenSaver";
const char kVersionKey[] = "Software\\Wine\\AppDefaults\\dozewell.exe";
const char kSettingsParameters[] = " desk.cpl ,1";
const char kVistaParameters[] = " desk.cpl,screensaver,@screensaver";

enum class Shown { Notice, Question, LockFailed, Dialog };
struct Step {
    Shown window;
    int press;
};
enum class Default { Saver, None, Missing, Blanks };
const std::string kNoFlag = "none";
const std::string kFlagShown(1, '\1');

struct Case {
    std::string arguments;
    std::string flag;  // REG_DWORD data before the run; kNoFlag: absent; "text": a REG_SZ
    Default saver;
    const char* version;  // Wine's Windows version for the run; empty: its own (Windows 7)
    std::vector<Step> steps;
    bool saverStarts;
    const char* control;  // the Control Panel's parameters; null: not started
    std::string flagAfter;
};

const Step kNoticeOk = { Shown::Notice, IDOK };
const Step kDialogClosed = { Shown::Dialog, IDCANCEL };
const Step kLockOk = { Shown::LockFailed, IDOK };

const Case kCases[] = {
    // The default road: the notice once, before the screen saver starts.
    { "", kNoFlag, Default::Saver, "", { kNoticeOk }, true, nullptr, kFlagShown },
    { "", kFlagShown, Default::Saver, "", {}, true, nullptr, kFlagShown },
    { "", "\7", Default::Saver, "", {}, true, nullptr, "\7" },
    { "", "text", Default::Saver, "", { kNoticeOk }, true, nullptr, kFlagShown },
    { ":Lock", kNoFlag, Default::Saver, "", { kNoticeOk }, true, nullptr, kFlagShown },
    // Without a default, the question; Yes opens the Control Panel as the Windows version asks.
    { "", kFlagShown, Default::None, "", { { Shown::Question, IDNO } }, false, nullptr, kFlagShown },
    { "", kFlagShown, Default::Missing, "", { { Shown::Question, IDNO } }, false, nullptr, kFlagShown },
    { "", kFlagShown, Default::Blanks, "", { { Shown::Question, IDYES } }, false, kSettingsParameters, kFlagShown },
    { "", kFlagShown, Default::None, "vista", { { Shown::Question, IDYES } }, false, kVistaParameters, kFlagShown },
    { "", kFlagShown, Default::None, "win2008", { { Shown::Question, IDYES } }, false, kVistaParameters, kFlagShown },
    { "",
      kFlagShown,
      Default::None,
      "winxp64",
      { { Shown::Question, IDYES } },
      false,
      kSettingsParameters,
      kFlagShown },
    // The switches: case-sensitive substrings anywhere in the tail; ":settings" wins. Neither shows the notice.
    { ":lock", kNoFlag, Default::Saver, "", { kLockOk }, false, nullptr, kNoFlag },
    { ":settings", kNoFlag, Default::Saver, "", { kDialogClosed }, false, nullptr, kNoFlag },
    { ":lock :settings", kFlagShown, Default::Saver, "", { kDialogClosed }, false, nullptr, kFlagShown },
    { "x:settingsy :lock", kFlagShown, Default::Saver, "", { kDialogClosed }, false, nullptr, kFlagShown },
    { "\":lock\"", kFlagShown, Default::Saver, "", { kLockOk }, false, nullptr, kFlagShown },
    { ":lockdown", kFlagShown, Default::Saver, "", { kLockOk }, false, nullptr, kFlagShown },
    { std::string(32000, 'x') + " \"\xff\x81 :lock",
      kFlagShown,
      Default::Saver,
      "",
      { kLockOk },
      false,
      nullptr,
      kFlagShown },
    { ":SETTINGS /lock -settings : lock", kFlagShown, Default::Saver, "", {}, true, nullptr, kFlagShown },
};

class App : public ::testing::Test {
protected:
    void Prepare(const Case& c)
    {
        if (c.flag == kNoFlag)
            DeleteValue(kProfileKey, kNoticeValue);
        else if (c.flag == "text")
            SetText(kProfileKey, kNoticeValue, "1");
        else
            SetValue(kProfileKey, kNoticeValue, REG_DWORD, c.flag + std::string(4 - c.flag.size(), '\0'));
        const std::string defaults[] = { saver.path, "", dir.path + "\\missing.scr", "   " };
        SetText(kDesktopKey, kSaverValue, defaults[static_cast<int>(c.saver)]);
        if (c.saver == Default::None)
            DeleteValue(kDesktopKey, kSaverValue);
        SetText(kVersionKey, "Version", *c.version ? c.version : "win7");
        DeleteFileA((saver.path + ".log").c_str());
        DeleteFileA((control.path + ".log").c_str());
    }

    // Checks the window against what the step expects of it, and the state at that moment.
    void Expect(const Step& step, HWND window)
    {
        const Box box = ReadBox(window);
        if (step.window == Shown::Dialog) {
            EXPECT_EQ(box.caption, kDialogTitle);
            return;
        }
        EXPECT_EQ(box.caption, "Dozewell");
        EXPECT_EQ(box.owner, nullptr);
        EXPECT_EQ(box.yesNo, step.window == Shown::Question);
        if (step.window != Shown::Notice) {
            EXPECT_EQ(box.text, step.window == Shown::Question ? kQuestion : kLockFailed);
            return;
        }
        EXPECT_EQ(box.text.rfind(kNotice, 0), 0u) << box.text;
        EXPECT_EQ(std::count(box.text.begin(), box.text.end(), '\n'), 2) << "three lines, no line feed at the end";
        EXPECT_NE(box.text.back(), '\n');
        const RegValue flag = ReadValue(kProfileKey, kNoticeValue);
        EXPECT_EQ(flag.type, static_cast<DWORD>(REG_DWORD)) << "the flag is written before the notice shows";
        EXPECT_EQ(flag.data, std::string("\1\0\0\0", 4));
        EXPECT_TRUE(saver.Starts().empty()) << "the screen saver started before the notice was dismissed";
    }

    // "<command line> <show command>" for each start of the module by the run, the dialog's previews left out:
    // waited for when one is expected, otherwise read once nothing started from it runs any more.
    std::vector<std::string> StartsOf(const PlacedFile& module, bool expected)
    {
        if (expected)
            module.WaitForStarts(1);
        else
            EXPECT_TRUE(WaitUntil([&] { return module.Running().empty(); }));
        std::vector<std::string> starts;
        for (const auto& start : module.Starts()) {
            if (start.commandLine.find(" /p ") == std::string::npos)
                starts.push_back(start.commandLine + " " + std::to_string(start.show));
        }
        return starts;
    }

    SavedValue savedDefault { kDesktopKey, kSaverValue };
    SavedValue savedFlag { kProfileKey, kNoticeValue };
    SavedValue savedVersion { kVersionKey, "Version" };
    ScratchDir dir;
    PlacedFile saver { dir.path + "\\my saver.scr", "Mine" };
    PlacedFile control { SystemDir() + "\\control.exe" };
};

TEST_F(App, TakesTheRoadItsCommandLineAndTheRegistryAskFor)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE("arguments \"" + c.arguments.substr(0, 40) + "\", flag " + c.flag + ", default " +
                     std::to_string(static_cast<int>(c.saver)) + ", version " + c.version);
        Prepare(c);
        Process run(DozewellCommand(c.arguments));
        HWND previous = nullptr;
        for (const Step& step : c.steps) {
            HWND window = WaitForWindow(run.Id(), "#32770", previous);
            ASSERT_NE(window, nullptr) << "no window showed";
            Expect(step, window);
            Press(window, step.press);
            previous = window;
        }
        ASSERT_TRUE(run.Exited()) << "the run did not end";
        // Both are started through the shell's "Open", which under Wine runs a module without /S.
        const std::vector<std::string> none,
            saverStart = { "\"" + saver.path + "\" 5" },
            controlStart = { "\"" + SystemDir() + "\\control.exe\" " + (c.control ? c.control : "") + " 5" };
        EXPECT_EQ(StartsOf(saver, c.saverStarts), c.saverStarts ? saverStart : none);
        EXPECT_EQ(StartsOf(control, c.control), c.control ? controlStart : none);
        const RegValue flag = ReadValue(kProfileKey, kNoticeValue);
        EXPECT_EQ(flag.exists ? flag.data.substr(0, flag.data.find_last_not_of('\0') + 1) : kNoFlag, c.flagAfter);
        EXPECT_TRUE(!flag.exists || flag.type == REG_DWORD);
    }
}

}  // namespace
