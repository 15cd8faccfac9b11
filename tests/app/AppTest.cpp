// dozewell.exe as a user meets it: each row a starting state and a command line, the windows that the
// run shows and the buttons pressed in them, and what the run started and left in the registry.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/Harness.h"

namespace {

const char kNotice[] = "This is a One Time Alert by the Utility.\nComputer would not be Locked (even if selected in "
                       "ScreenSaver Settings) when Screen Saver is Dismissed.\n";
const char kQuestion[] = "It seems Default ScreenSaver is not set in ScreenSaver Settings.\nWould you like to Open "
                         "ScreenSaver Settings?";
const char kVersionKey[] = "Software\\Wine\\AppDefaults\\dozewell.exe";
const char kSettings[] = " desk.cpl ,1";
const char kVistaSettings[] = " desk.cpl,screensaver,@screensaver";

enum class Shown { Notice, Question, LockFailed, Dialog };
struct Step {
    Shown window;
    int press;
};
const Step kNoticeOk = { Shown::Notice, IDOK }, kNo = { Shown::Question, IDNO }, kYes = { Shown::Question, IDYES },
           kLockOk = { Shown::LockFailed, IDOK }, kDialog = { Shown::Dialog, IDCANCEL };
enum Default { Saver, None, Missing, Blanks };
const std::string kAbsent = "absent", kShown = "\1", kText = "text";

const struct Case {
    std::string arguments;
    std::string flag;  // REG_DWORD data before the run, or kAbsent, or kText for a REG_SZ
    Default saver;
    const char* version;  // Wine's Windows version for the run
    std::vector<Step> steps;
    bool saverStarts;
    const char* control;  // the Control Panel's parameters; null: not started
    std::string flagAfter;
} kCases[] = {
    // The default road: the notice once, before the screen saver starts.
    { "", kAbsent, Saver, "win7", { kNoticeOk }, true, nullptr, kShown },
    { "", kShown, Saver, "win7", {}, true, nullptr, kShown },
    { "", "\7", Saver, "win7", {}, true, nullptr, "\7" },
    { "", kText, Saver, "win7", { kNoticeOk }, true, nullptr, kShown },
    { ":Lock", kAbsent, Saver, "win7", { kNoticeOk }, true, nullptr, kShown },
    // Without a default, the question; Yes opens the Control Panel as the Windows version asks.
    { "", kShown, None, "win7", { kNo }, false, nullptr, kShown },
    { "", kShown, Missing, "win7", { kNo }, false, nullptr, kShown },
    { "", kShown, Blanks, "win7", { kYes }, false, kSettings, kShown },
    { "", kShown, None, "vista", { kYes }, false, kVistaSettings, kShown },
    { "", kShown, None, "win2008", { kYes }, false, kVistaSettings, kShown },
    { "", kShown, None, "winxp64", { kYes }, false, kSettings, kShown },
    // The switches: case-sensitive anywhere in the tail; ":settings" wins; neither shows the notice.
    { ":lock", kAbsent, Saver, "win7", { kLockOk }, false, nullptr, kAbsent },
    { ":settings", kAbsent, Saver, "win7", { kDialog }, false, nullptr, kAbsent },
    { ":lock :settings", kShown, Saver, "win7", { kDialog }, false, nullptr, kShown },
    { "x:settingsy :lock", kShown, Saver, "win7", { kDialog }, false, nullptr, kShown },
    { "\":lock\"", kShown, Saver, "win7", { kLockOk }, false, nullptr, kShown },
    { ":lockdown", kShown, Saver, "win7", { kLockOk }, false, nullptr, kShown },
    { std::string(32000, 'x') + " \"\xff\x81 :lock", kShown, Saver, "win7", { kLockOk }, false, nullptr, kShown },
    { ":SETTINGS /lock -settings : lock", kShown, Saver, "win7", {}, true, nullptr, kShown },
};

class App : public ::testing::Test {
protected:
    void Prepare(const Case& c)
    {
        DeleteValue(kProfileKey, kNoticeValue);
        if (c.flag == kText)
            SetText(kProfileKey, kNoticeValue, "1");
        else if (c.flag != kAbsent)
            SetValue(kProfileKey, kNoticeValue, REG_DWORD, c.flag + std::string(4 - c.flag.size(), '\0'));
        const std::string defaults[] = { saver.path, "", TempDir() + "\\missing.scr", "   " };
        SetText(kDesktopKey, kSaverValue, defaults[c.saver]);
        if (c.saver == None)
            DeleteValue(kDesktopKey, kSaverValue);
        SetText(kVersionKey, "Version", c.version);
        DeleteFileA((saver.path + ".log").c_str());
        DeleteFileA((control.path + ".log").c_str());
    }

    // Checks the window that the step expects, and what holds while it shows.
    void Expect(const Step& step, HWND window)
    {
        const Box box = ReadBox(window);
        if (step.window == Shown::Dialog) {
            EXPECT_EQ(box.caption, "Dozewell : Change Default ScreenSaver");
            return;
        }
        EXPECT_EQ(box.caption, "Dozewell");
        EXPECT_EQ(box.owner, nullptr);
        EXPECT_EQ(box.yesNo, step.window == Shown::Question);
        if (step.window != Shown::Notice) {
            EXPECT_EQ(box.text, step.window == Shown::Question ? kQuestion : "Failed to Lock Workstation.");
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

    // "<command line> <show command>" for each start of the module by the run, the dialog's previews left
    // out: waited for when one is expected, otherwise read once nothing started from it runs any more.
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

    PlacedFile saver { TempDir() + "\\my saver.scr", "Mine" }, control { SystemDir() + "\\control.exe" };
};

TEST_F(App, TakesTheRoadThatItsCommandLineAndTheRegistryAskFor)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE("arguments \"" + c.arguments.substr(0, 40) + "\", flag " + c.flag + ", default " +
                     std::to_string(c.saver) + ", " + c.version);
        Prepare(c);
        Process run(DozewellCommand(c.arguments));
        HWND previous = nullptr;
        for (const Step& step : c.steps) {
            HWND window = WaitForWindow(run.Id(), nullptr, previous);
            ASSERT_NE(window, nullptr) << "no window showed";
            Expect(step, window);
            Press(window, step.press);
            previous = window;
        }
        ASSERT_TRUE(run.Exited()) << "the run did not end";
        // Both are started through the shell's "Open", which under Wine runs a module without /S.
        const std::vector<std::string> none,
            saverStart = { "\"" + saver.path + "\" 5" },
            controlStart = { "\"" + control.path + "\" " + (c.control ? c.control : "") + " 5" };
        EXPECT_EQ(StartsOf(saver, c.saverStarts), c.saverStarts ? saverStart : none);
        EXPECT_EQ(StartsOf(control, c.control), c.control ? controlStart : none);
        const RegValue flag = ReadValue(kProfileKey, kNoticeValue);
        EXPECT_EQ(flag.exists ? flag.data.substr(0, flag.data.find_last_not_of('\0') + 1) : kAbsent, c.flagAfter);
        EXPECT_TRUE(!flag.exists || flag.type == REG_DWORD);
    }
}

}  // namespace
