// dozewell.exe as a user meets it: each row a starting state and a command line, the window that the
// run shows and the button pressed in it, and what the run started and left in the registry.
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

enum Shown { Nothing, Notice, Question, LockFailed, Dialog };
enum Default { Saver, None, Missing, Blanks };
// The notice flag: a REG_DWORD number, or one of these.
const int kAbsent = -1, kText = -2;

const struct Case {
    std::string arguments;
    int flag;
    Default saver;
    const char* version;  // Wine's Windows version for the run
    Shown shown;
    int press;
    bool saverStarts;
    const char* control;  // the Control Panel's parameters; null: not started
    int flagAfter;
} kCases[] = {
    // The default road: the notice once, before the screen saver starts.
    { "", kAbsent, Saver, "win7", Notice, IDOK, true, nullptr, 1 },
    { "", 1, Saver, "win7", Nothing, 0, true, nullptr, 1 },
    { "", 7, Saver, "win7", Nothing, 0, true, nullptr, 7 },
    { "", kText, Saver, "win7", Notice, IDOK, true, nullptr, 1 },
    { ":Lock", kAbsent, Saver, "win7", Notice, IDOK, true, nullptr, 1 },
    // Without a default, the question; Yes opens the Control Panel as the Windows version asks.
    { "", 1, None, "win7", Question, IDNO, false, nullptr, 1 },
    { "", 1, Missing, "win7", Question, IDNO, false, nullptr, 1 },
    { "", 1, Blanks, "win7", Question, IDYES, false, kSettings, 1 },
    { "", 1, None, "vista", Question, IDYES, false, kVistaSettings, 1 },
    { "", 1, None, "winxp64", Question, IDYES, false, kSettings, 1 },
    // The switches: case-sensitive anywhere in the tail; ":settings" wins; neither shows the notice.
    { ":lock", kAbsent, Saver, "win7", LockFailed, IDOK, false, nullptr, kAbsent },
    { ":settings", kAbsent, Saver, "win7", Dialog, IDCANCEL, false, nullptr, kAbsent },
    { ":lock :settings", 1, Saver, "win7", Dialog, IDCANCEL, false, nullptr, 1 },
    { "x:settingsy :lock", 1, Saver, "win7", Dialog, IDCANCEL, false, nullptr, 1 },
    { "\":lock\"", 1, Saver, "win7", LockFailed, IDOK, false, nullptr, 1 },
    { ":lockdown", 1, Saver, "win7", LockFailed, IDOK, false, nullptr, 1 },
    { std::string(32000, 'x') + " \"\xff\x81 :lock", 1, Saver, "win7", LockFailed, IDOK, false, nullptr, 1 },
    { ":SETTINGS /lock -settings : lock", 1, Saver, "win7", Nothing, 0, true, nullptr, 1 },
};

int NoticeFlag()
{
    const RegValue flag = ReadValue(kProfileKey, kNoticeValue);
    return !flag.exists ? kAbsent : flag.type == REG_DWORD ? *reinterpret_cast<const int*>(flag.data.data()) : kText;
}

class App : public ::testing::Test {
protected:
    void Prepare(const Case& c)
    {
        DeleteValue(kProfileKey, kNoticeValue);
        if (c.flag == kText)
            SetText(kProfileKey, kNoticeValue, "123");  // four bytes, as many as a number
        else if (c.flag != kAbsent)
            SetValue(kProfileKey, kNoticeValue, REG_DWORD, std::string(reinterpret_cast<const char*>(&c.flag), 4));
        const std::string defaults[] = { saver.path, "", BinDir() + "\\missing.scr", "   " };
        SetText(kDesktopKey, kSaverValue, defaults[c.saver]);
        if (c.saver == None)
            DeleteValue(kDesktopKey, kSaverValue);
        SetText(kVersionKey, "Version", c.version);
        DeleteFileA((saver.reached + ".log").c_str());
        DeleteFileA((control.reached + ".log").c_str());
    }

    // Checks the window of the row, and what holds while it shows.
    void Expect(Shown shown, HWND window)
    {
        // The dialog is told apart by its Close button, which no box has; a box's text is its static 0xFFFF.
        if (shown == Dialog)
            return;
        const std::string text = Text(GetDlgItem(window, 0xFFFF));
        std::string buttons;
        for (int id : { IDOK, IDCANCEL, IDYES, IDNO })
            buttons += GetDlgItem(window, id) ? " " + std::to_string(id) : "";
        EXPECT_EQ(Text(window) + (GetWindow(window, GW_OWNER) ? ", owned," : ",") + buttons,
                  shown == Question ? "Dozewell, 6 7" : "Dozewell, 1");
        if (shown != Notice) {
            EXPECT_EQ(text, shown == Question ? kQuestion : "Failed to Lock Workstation.");
            return;
        }
        EXPECT_EQ(text.substr(0, strlen(kNotice)), kNotice);
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2) << "three lines, no line feed at the end";
        EXPECT_NE(text.back(), '\n');
        EXPECT_EQ(NoticeFlag(), 1) << "the flag is written, as a number, before the notice shows";
        EXPECT_TRUE(saver.Starts().empty()) << "the screen saver started before the notice was dismissed";
    }

    // "<command line> <show command>" for each start of the module by the run, the dialog's previews left
    // out: waited for when one is expected, otherwise read once nothing started from it runs any more.
    std::vector<std::string> StartsOf(const PlacedFile& module, bool expected)
    {
        EXPECT_TRUE(WaitUntil([&] { return expected ? !module.Starts().empty() : module.Running().empty(); }));
        std::vector<std::string> starts;
        for (const auto& start : module.Starts()) {
            if (start.commandLine.find(" /p ") == std::string::npos)
                starts.push_back(start.commandLine + " " + std::to_string(start.show));
        }
        return starts;
    }

    PlacedFile saver { BinDir() + "\\my saver.scr", "Mine" }, control { SystemDir() + "\\control.exe" };
};

TEST_F(App, TakesTheRoadThatItsCommandLineAndTheRegistryAskFor)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE("arguments \"" + c.arguments.substr(0, 40) + "\", flag " + std::to_string(c.flag) + ", default " +
                     std::to_string(c.saver) + ", " + c.version);
        Prepare(c);
        Process run("\"" + BinDir() + "\\dozewell.exe\" " + c.arguments);
        if (c.shown != Nothing) {
            const HWND window = WaitForWindow(run.Id());
            ASSERT_NE(window, nullptr) << "no window showed";
            Expect(c.shown, window);
            Press(window, c.press);
        }
        ASSERT_TRUE(run.Exited()) << "the run did not end";
        // Both are started through the shell's "Open", which under Wine runs a module without /S.
        const std::vector<std::string> none,
            saverStart = { "\"" + saver.reached + "\" 5" },
            controlStart = { "\"" + control.reached + "\" " + (c.control ? c.control : "") + " 5" };
        EXPECT_EQ(StartsOf(saver, c.saverStarts), c.saverStarts ? saverStart : none);
        EXPECT_EQ(StartsOf(control, c.control), c.control ? controlStart : none);
        EXPECT_EQ(NoticeFlag(), c.flagAfter);
    }
}

}  // namespace
