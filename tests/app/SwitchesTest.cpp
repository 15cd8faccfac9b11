#include "app/RunFixture.h"

namespace {

enum class Road { Settings, Lock, Default };

const char* Name(Road road)
{
    switch (road) {
    case Road::Settings:
        return "settings";
    case Road::Lock:
        return "lock";
    default:
        return "default";
    }
}

class Switches : public DozewellRun {
protected:
    // Which road a run took, seen from outside: the lock's failure box, the default saver
    // starting, or neither (the settings road).
    Road Observe(const std::string& arguments)
    {
        DeleteFileA((saver + ".log").c_str());
        ChildProcess run = StartDozewell(arguments);
        const ULONGLONG deadline = GetTickCount64() + 10000;
        while (GetTickCount64() < deadline) {
            if (HWND window = WaitForProcessWindow(run.Id(), nullptr, 0)) {
                const MessageBoxView box = ReadMessageBox(window);
                if (box.text == kLockFailed) {
                    EXPECT_EQ(box.caption, kTitle);
                    EXPECT_EQ(box.owner, nullptr);
                    EXPECT_TRUE(box.hasOk);
                    PressButton(window, IDOK);
                    EXPECT_TRUE(run.WaitForExit());
                    return Road::Lock;
                }
                ADD_FAILURE() << "unexpected window \"" << box.caption << "\": " << box.text;
                return Road::Settings;
            }
            if (!SaverLog().empty()) {
                EXPECT_TRUE(run.WaitForExit());
                return Road::Default;
            }
            if (run.WaitForExit(50))
                break;
        }
        EXPECT_TRUE(run.WaitForExit(0)) << "the run did not end";
        Sleep(300);
        return SaverLog().empty() ? Road::Settings : Road::Default;
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
