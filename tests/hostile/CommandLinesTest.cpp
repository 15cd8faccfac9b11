#include "app/RunFixture.h"

namespace {

using HostileCommandLine = DozewellRun;

// Long, odd or broken command lines still choose the road by the switch they hold.
TEST_F(HostileCommandLine, LongAndBrokenLinesStillFindTheirSwitch)
{
    NoticeShown();
    SetDefault(saver);
    const std::string filler(32000 - DozewellPath().size(), 'x');
    const struct {
        const char* what;
        std::string arguments;
        bool locks;  // otherwise the default screen saver starts
    } cases[] = {
        { "32 KB ending in :lock", filler + " :lock", true },
        { "32 KB without a switch", filler, false },
        { "an unbalanced quote before :lock", "\"abc :lock", true },
        { "a lone quote", "\"", false },
        { "lead bytes without trail bytes", "\x81\x82\x83 :lock \x81", true },
        { "lead bytes just before the switch", "\x81:lock", true },
        { "high bytes only", "\xff\xfe\xfd\x80", false },
    };
    for (const auto& c : cases) {
        DeleteFileA((saver + ".log").c_str());
        ChildProcess run = StartDozewell(c.arguments);
        ASSERT_TRUE(run.Started()) << c.what;
        if (c.locks) {
            const MessageBoxView box = ExpectBox(run);
            EXPECT_EQ(box.text, kLockFailed) << c.what;
            PressButton(box.window, IDOK);
        } else {
            EXPECT_NE(WaitForFileText(saver + ".log"), "") << c.what;
        }
        EXPECT_TRUE(run.WaitForExit()) << c.what;
    }
}

}  // namespace
