#include "app/RunFixture.h"

namespace {

enum class Road { Settings, Lock, Default, Nothing };

const char kSettingsTitle[] = "Dozewell : Change Default ScreenSaver";

const char* Name(Road road)
{
    switch (road) {
    case Road::Settings:
        return "settings";
    case Road::Lock:
        return "lock";
    case Road::Default:
        return "default";
    default:
        return "nothing";
    }
}

class Switches : public DozewellRun {
protected:
    // Whether the default saver was started full screen; its preview in the dialog does not count.
    bool SaverStarted() const
    {
        for (const FixtureStart& start : ReadFixtureLog(saver + ".log")) {
            if (start.commandLine.find(" /p ") == std::string::npos)
                return true;
        }
        return false;
    }

    // Which road a run took, seen from outside: the change-default dialog (closed here), the
    // lock's failure box, or the default saver starting.
    Road Observe(const std::string& arguments)
    {
        DeleteFileA((saver + ".log").c_str());
        ChildProcess run = StartDozewell(arguments);
        const ULONGLONG deadline = GetTickCount64() + 10000;
        while (GetTickCount64() < deadline) {
            if (HWND window = WaitForProcessWindow(run.Id(), nullptr, 0)) {
                const MessageBoxView box = ReadMessageBox(window);
                if (box.caption == kSettingsTitle) {
                    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
                    EXPECT_TRUE(run.WaitForExit());
                    return Road::Settings;
                }
                if (box.text == kLockFailed) {
                    EXPECT_EQ(box.caption, kTitle);
                    EXPECT_EQ(box.owner, nullptr);
                    EXPECT_TRUE(box.hasOk);
                    PressButton(window, IDOK);
                    EXPECT_TRUE(run.WaitForExit());
                    return Road::Lock;
                }
                ADD_FAILURE() << "unexpected window \"" << box.caption << "\": " << box.text;
                return Road::Nothing;
            }
            if (SaverStarted()) {
                EXPECT_TRUE(run.WaitForExit());
                return Road::Default;
            }
            if (run.WaitForExit(50))
                break;
        }
        EXPECT_TRUE(run.WaitForExit(0)) << "the run did not end";
        Sleep(300);
        return SaverStarted() ? Road::Default : Road::Nothing;
    }
};

TEST_F(Switches, AreCaseSensitiveSubstringsAndSettingsWins)
{
    NoticeShown();
    SetDefault(saver);
    const struct {
        const char* arguments;
        Road road;
    } cases[] = {
        { "", Road::Default },
        { ":settings", Road::Settings },
        { ":lock", Road::Lock },
        { ":lock :settings", Road::Settings },
        { ":settings :lock", Road::Settings },
        { "x:settingsy", Road::Settings },
        { ":lockdown", Road::Lock },
        { "\":lock\"", Road::Lock },
        { "foo:lock", Road::Lock },
        { ":Settings", Road::Default },
        { ":SETTINGS", Road::Default },
        { ":LOCK", Road::Default },
        { "/lock", Road::Default },
        { "-settings", Road::Default },
        { "/settings", Road::Default },
        { ": lock", Road::Default },
    };
    for (const auto& c : cases)
        EXPECT_EQ(Name(Observe(c.arguments)), std::string(Name(c.road))) << "arguments: " << c.arguments;
}

TEST_F(Switches, NeverShowTheNoticeOrTouchItsFlag)
{
    FirstRun();
    SetDefault(saver);
    EXPECT_EQ(Observe(":lock"), Road::Lock);
    EXPECT_EQ(Observe(":settings"), Road::Settings);
    EXPECT_FALSE(Notice().exists);
}

TEST_F(Switches, WrongCaseOnAFirstRunTakesTheDefaultRoadWithTheNotice)
{
    FirstRun();
    SetDefault(saver);
    ChildProcess run = StartDozewell(":Lock");
    const MessageBoxView box = ExpectBox(run);
    EXPECT_EQ(box.text.rfind(kNoticeStart, 0), 0u) << box.text;
    PressButton(box.window, IDOK);
    EXPECT_NE(WaitForFileText(saver + ".log"), "");
    EXPECT_TRUE(run.WaitForExit());
}

}  // namespace
