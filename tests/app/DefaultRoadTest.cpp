#include "app/RunFixture.h"

namespace {

using DefaultRoad = DozewellRun;

TEST_F(DefaultRoad, FirstRunShowsTheNoticeThenStartsTheDefaultSaver)
{
    FirstRun();
    SetDefault(saver);
    ChildProcess run = StartDozewell("");
    const MessageBoxView box = ExpectBox(run);
    EXPECT_EQ(box.caption, kTitle);
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_TRUE(box.hasOk);
    EXPECT_FALSE(box.hasYesNo);
    EXPECT_EQ(box.text.rfind(kNoticeStart, 0), 0u) << box.text;
    EXPECT_EQ(std::count(box.text.begin(), box.text.end(), '\n'), 2) << "three lines, no line feed at the end";
    EXPECT_NE(box.text.back(), '\n');

    // The flag is written before the box shows, and the saver waits for the box.
    const RegistryValue flag = Notice();
    EXPECT_TRUE(flag.exists);
    EXPECT_EQ(flag.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(flag.data, std::string("\1\0\0\0", 4));
    Sleep(500);
    EXPECT_EQ(SaverLog(), "") << "the screen saver started before the notice was dismissed";

    PressButton(box.window, IDOK);
    EXPECT_NE(WaitForFileText(saver + ".log"), "") << "the default screen saver did not start";
    EXPECT_TRUE(run.WaitForExit());
}

TEST_F(DefaultRoad, LaterRunsStartTheSaverWithoutANotice)
{
    const DWORD shownValues[] = { 1, 7 };
    for (DWORD shown : shownValues) {
        NoticeShown(shown);
        SetDefault(saver);
        DeleteFileA((saver + ".log").c_str());
        ChildProcess run = StartDozewell("");
        EXPECT_NE(WaitForFileText(saver + ".log"), "") << "value " << shown;
        EXPECT_TRUE(run.WaitForExit());
        EXPECT_EQ(WaitForProcessWindow(run.Id(), nullptr, 0), nullptr);
        EXPECT_EQ(Notice().data, std::string(reinterpret_cast<const char*>(&shown), 4)) << "the flag was rewritten";
    }
}

TEST_F(DefaultRoad, TheShellGetsTheStoredPath)
{
    // A path with a blank in it reaches the screen saver as one piece.
    const std::string spaced = dir.AddFixture("fixture_alpha.scr", "my saver.scr");
    NoticeShown();
    SetDefault(spaced);
    ChildProcess run = StartDozewell("");
    const std::string log = WaitForFileText(spaced + ".log");
    EXPECT_NE(log.find("my saver.scr"), std::string::npos) << log;
    EXPECT_TRUE(run.WaitForExit());
}

TEST_F(DefaultRoad, WithoutADefaultItAsksAndNoDoesNothing)
{
    NoticeShown();
    const std::string values[] = { "", dir.Path() + "\\missing.scr", "   " };
    for (const std::string& value : values) {
        SetDefault(value);
        ChildProcess run = StartDozewell("");
        const MessageBoxView box = ExpectBox(run);
        EXPECT_EQ(box.caption, kTitle);
        EXPECT_EQ(box.text, kQuestion);
        EXPECT_EQ(box.owner, nullptr);
        EXPECT_TRUE(box.hasYesNo);
        PressButton(box.window, IDNO);
        EXPECT_TRUE(run.WaitForExit()) << value;
    }
    NoDefault();
    ChildProcess run = StartDozewell("");
    PressButton(ExpectBox(run).window, IDNO);
    EXPECT_TRUE(run.WaitForExit());
    Sleep(300);
    EXPECT_EQ(ControlLog(), "") << "No opened the Control Panel";
}

TEST_F(DefaultRoad, YesOpensTheControlPanelWithArgumentsForTheWindowsVersion)
{
    const struct {
        const char* version;  // as Wine takes it; empty: Wine's default, Windows 7
        const char* arguments;
    } cases[] = {
        { "", " desk.cpl ,1" },
        { "vista", " desk.cpl,screensaver,@screensaver" },
        { "winxp64", " desk.cpl ,1" },
        { "win2008", " desk.cpl,screensaver,@screensaver" },
    };
    NoticeShown();
    NoDefault();
    for (const auto& c : cases) {
        if (*c.version)
            WriteString(HKEY_CURRENT_USER, kWineVersionKey, "Version", c.version);
        else
            DeleteValue(HKEY_CURRENT_USER, kWineVersionKey, "Version");
        DeleteFileA(control.LogPath().c_str());
        ChildProcess run = StartDozewell("");
        PressButton(ExpectBox(run).window, IDYES);
        const std::string log = WaitForFileText(control.LogPath());
        ASSERT_NE(log, "") << "control.exe did not start for " << c.version;
        const std::string line = log.substr(0, log.find('\n'));
        // The program is the system directory's control.exe, the parameters exactly ours.
        EXPECT_NE(line.find(SystemDir() + "\\control.exe"), std::string::npos) << line;
        const std::string expectedEnd = std::string(c.arguments);
        ASSERT_GE(line.size(), expectedEnd.size());
        EXPECT_EQ(line.substr(line.size() - expectedEnd.size()), expectedEnd) << c.version << ": " << line;
        EXPECT_TRUE(run.WaitForExit());
    }
}

}  // namespace
