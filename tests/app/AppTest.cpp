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
const char kVersionKey[] = "Software\\Wine\\AppDefaults\\dozewell.exe", kSettings[] = " desk.cpl ,1",
           kVistaSettings[] = " desk.cpl,screensaver,@screensaver",
           kForcedPath[] = "%SystemRoot%\\system32\\dozewell-forced.scr";

enum Shown { Nothing, Notice, Question, LockFailed, Dialog, SaversOff };
const char kOff[] = "Screen savers are turned off on this computer by its administrator.";
const std::string kTexts[] = { "", kNotice, kQuestion, "Failed to Lock Workstation.", "", kOff };
enum Default { Saver, None, Missing, Blanks, Leading, Trailing, Expanded };
enum Started { NoStart, Mine, Forced };
// The notice flag: a REG_DWORD number, or one of these.
const int kAbsent = -1, kText = -2;

struct Case {
    std::string arguments;
    int flag, flagAfter;  // the notice flag before and after the run
    Default saver;
    // Wine's Windows version for the run; the Control Panel's parameters, null when it is not to start.
    const char *version, *control;
    Shown shown;  // and pressed: OK, Close, or Yes when the Control Panel is to start, otherwise No
    Started started;
    std::vector<PolicyValue> policies = {};
};

// A later run without a switch, under these policies.
Case Policy(Default saver, Shown shown, Started started, std::vector<PolicyValue> policies)
{
    return { "", 1, 1, saver, "win7", nullptr, shown, started, std::move(policies) };
}

const Case kCases[] = {
    // The default road: the notice once, before the screen saver starts.
    { "", kAbsent, 1, Saver, "win7", nullptr, Notice, Mine },
    // The shell gets the path as stored: Wine's finds no module after a leading blank, passes trailing ones on.
    { "", 7, 7, Trailing, "win7", nullptr, Nothing, Mine },
    { "", kText, 1, Leading, "win7", nullptr, Notice, NoStart },
    // Without a default, the question; Yes opens the Control Panel as the Windows version asks.
    { "", 1, 1, None, "win7", nullptr, Question, NoStart },
    { "", 1, 1, Missing, "winxp64", kSettings, Question, NoStart },
    { "", 1, 1, Blanks, "win7", kSettings, Question, NoStart },
    { "", 1, 1, None, "vista", kVistaSettings, Question, NoStart },
    // The switches: case-sensitive anywhere in the tail, also in quotes, a word or a long line; ":settings"
    // wins; neither shows the notice.
    { ":lock", kAbsent, kAbsent, Saver, "win7", nullptr, LockFailed, NoStart },
    { ":settings", kAbsent, kAbsent, Saver, "win7", nullptr, Dialog, NoStart },
    { "x:lock :settingsy", 1, 1, Saver, "win7", nullptr, Dialog, NoStart },
    { std::string(32000, 'x') + " \":lockdown\"", 1, 1, Saver, "win7", nullptr, LockFailed, NoStart },
    { ":SETTINGS /lock -settings : lock :Lock", 1, 1, Saver, "win7", nullptr, Nothing, Mine },
    // A default stored with environment strings; a module that a policy forces, by bare name or with environment
    // strings, wins over the user's; a blank one, or one not installed, does not. Screen savers turned off: a box,
    // and nothing started or asked. "1", other kinds and texts, or a forbidden change: no say.
    Policy(Expanded, Nothing, Forced, {}),
    Policy(Saver, Nothing, Forced, { { kSaverValue, REG_SZ, "dozewell-forced.scr" } }),
    Policy(None, Nothing, Forced, { { kSaverValue, REG_EXPAND_SZ, kForcedPath } }),
    Policy(Saver, Nothing, Mine, { { kSaverValue, REG_SZ, " " } }),
    Policy(Saver, Nothing, Mine, { { kSaverValue, REG_SZ, "gone.scr" } }),
    Policy(None, Question, NoStart, { { kSaverValue, REG_EXPAND_SZ, "%SystemRoot%\\gone.scr" } }),
    Policy(None, SaversOff, NoStart, { { kSaverActive, REG_SZ, "0" } }),
    Policy(Expanded, SaversOff, NoStart, { { kSaverActive, REG_DWORD, "0" }, { kSaverValue, REG_SZ, kForcedPath } }),
    Policy(Saver, Nothing, Mine, { { kSaverActive, REG_SZ, "1" }, { kNoSaverPage, REG_DWORD, "1" } }),
    Policy(Saver, Nothing, Mine, { { kSaverActive, REG_DWORD, "1" } }),
    Policy(Saver, Nothing, Mine, { { kSaverActive, REG_BINARY, "0" } }),
    Policy(Saver, Nothing, Mine, { { kSaverActive, REG_SZ, "off" } }),
};

int NoticeFlag()
{
    const RegValue flag = ReadValue(kProfileKey, kNoticeValue);
    return !flag.exists ? kAbsent : flag.type == REG_DWORD ? *reinterpret_cast<const int*>(flag.data.data()) : kText;
}

class App : public ::testing::Test {
protected:
    ~App() override { SetPolicies({}); }

    // The no-switch road with a name beyond code page 1252.
    PlacedFile saver { BinDir() + "\\my saver " + kSnowName + ".scr", "Mine" },
        control { SystemDir() + "\\control.exe" }, forced { SystemDir() + "\\dozewell-forced.scr", "Forced" };
};

TEST_F(App, TakesTheRoadThatItsCommandLineAndTheRegistryAskFor)
{
    for (const Case& c : Rows(kCases)) {
        SCOPED_TRACE("arguments \"" + c.arguments.substr(0, 40) + "\", flag " + std::to_string(c.flag) + ", default " +
                     std::to_string(c.saver) + ", " + c.version +
                     (c.policies.empty() ? "" : ", policy " + c.policies[0].data));
        DeleteValue(kProfileKey, kNoticeValue);
        if (c.flag == kText)
            SetText(kProfileKey, kNoticeValue, "123");  // four bytes, as many as a number
        else if (c.flag != kAbsent)
            SetValue(kProfileKey, kNoticeValue, REG_DWORD, std::string(reinterpret_cast<const char*>(&c.flag), 4));
        const std::string defaults[] = {
            saver.path, "", BinDir() + "\\missing.scr", "   ", " " + saver.path, saver.path + "  ", kForcedPath
        };
        c.saver == None ? DeleteValue(kDesktopKey, kSaverValue)
                        : SetValue(kDesktopKey, kSaverValue, c.saver == Expanded ? REG_EXPAND_SZ : REG_SZ,
                                   defaults[c.saver] + '\0');
        SetText(kVersionKey, "Version", c.version);
        SetPolicies(c.policies);
        for (const PlacedFile* file : { &saver, &control, &forced })
            DeleteFileA(file->log.c_str());
        const std::string settings = SaverSettings();
        Process run("\"" + BinDir() + "\\dozewell.exe\" " + c.arguments);
        const HWND window = c.shown != Nothing ? WaitForWindow(run.Id()) : nullptr;
        // A box's text is its static 0xFFFF; the dialog is told apart by its Close button, which no box has.
        const std::string text = window ? Text(GetDlgItem(window, 0xFFFF)) : "";
        if (window && c.shown != Dialog) {
            EXPECT_EQ(Box(window), c.shown == Question ? "Dozewell, 6 7, icon 32514" : "Dozewell, 1, icon 32516");
            // The notice: its first lines, as many as the text has.
            EXPECT_EQ(c.shown == Notice ? text.substr(0, strlen(kNotice)) : text, kTexts[c.shown]);
        }
        // What holds while the notice shows.
        if (c.shown == Notice) {
            EXPECT_TRUE(std::count(text.begin(), text.end(), '\n') == 2 && text.back() != '\n') << "not three lines";
            EXPECT_EQ(NoticeFlag(), 1) << "the flag is written, as a number, before the notice shows";
            EXPECT_TRUE(saver.Starts().empty()) << "the screen saver started before the notice was dismissed";
        }
        if (window)
            Press(window, c.shown == Dialog ? IDCANCEL : c.shown != Question ? IDOK : c.control ? IDYES : IDNO);
        EXPECT_TRUE(run.Exited()) << "the run did not end";
        // The module as the shell was given it, and the show command, leaving out a switch that the shell adds.
        const std::vector<std::string> none,
            saverStart = { "\"" + (c.saver == Trailing ? saver.path + "  " : saver.path) + "\" 5" },
            forcedStart = { "\"" + forced.reached + "\" 5" },
            controlStart = { "\"" + control.reached + "\" " + (c.control ? c.control : "") + " 5" };
        // A start is waited for when one is expected; otherwise the starts are read once nothing runs.
        EXPECT_TRUE(WaitUntil([&] {
            return (c.started == Mine ? !saver.Starts().empty() : saver.Running().empty()) &&
                   (c.started == Forced ? !forced.Starts().empty() : forced.Running().empty()) &&
                   (c.control ? !control.Starts().empty() : control.Running().empty());
        }));
        EXPECT_EQ(saver.Launches(false), c.started == Mine ? saverStart : none);
        EXPECT_EQ(forced.Launches(false), c.started == Forced ? forcedStart : none);
        EXPECT_EQ(control.Launches(true), c.control ? controlStart : none);
        EXPECT_EQ(NoticeFlag(), c.flagAfter);
        EXPECT_EQ(SaverSettings(), settings) << "the screen saver's settings changed";
    }
}

}  // namespace
