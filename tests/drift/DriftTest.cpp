// Dozewell Drift: how it reads the switches Windows passes, and run as Windows runs it.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "drift/SaverCommandLine.h"
#include "support/Harness.h"

namespace {

// It reads the switches as Windows passes them. Full screen it ends on a key, a click or a move, not on a
// nudge of a few pixels; /c and nothing else shows a box; a preview ends with its host.
TEST(Drift, ReadsTheSwitchesAndRunsAsWindowsRunsItAndEndsWhenTheUserOrItsHostSaysSo)
{
    const struct {
        const char* arguments;
        SaverMode mode;
        UINT_PTR window;
    } switches[] = { { "", SaverMode::Configure, 0 },           { "/x", SaverMode::Configure, 0 },
                     { "/screen", SaverMode::Configure, 0 },    { "-S", SaverMode::FullScreen, 0 },
                     { "  /s 1234", SaverMode::FullScreen, 0 }, { "-P 1234", SaverMode::Preview, 1234 },
                     { "/p:1234", SaverMode::Preview, 1234 },   { "/p \t 4294967295", SaverMode::Preview, 4294967295u },
                     { "/p 12ab", SaverMode::Preview, 12 },     { "/p -5", SaverMode::Preview, 0 },
                     { "/c", SaverMode::Configure, 0 },         { "-C:77", SaverMode::Configure, 77 } };
    for (const auto& c : switches) {
        const SaverCommand command = ParseSaverCommandLine(c.arguments);
        EXPECT_EQ(static_cast<int>(command.mode), static_cast<int>(c.mode)) << c.arguments;
        EXPECT_EQ(reinterpret_cast<UINT_PTR>(command.window), c.window) << c.arguments;
    }

    auto host = std::make_unique<TestWindow>();
    const std::string preview = "/p " + std::to_string(reinterpret_cast<UINT_PTR>(host->handle));
    const struct {
        std::string arguments;
        int key, move;  // key 0: the mouse, clicked, or moved so many pixels after a nudge
    } cases[] = { { "/s", VK_SPACE, 0 }, { "/s", 0, 0 }, { "/s", 0, 40 }, { "/c", VK_RETURN, 0 }, { preview, 0, 0 } };
    for (const auto& c : Rows(cases)) {
        Mouse(600, 400);
        Process saver("\"" + BinDir() + "\\dozewell-drift.scr\" " + c.arguments);
        const HWND window = WaitForWindow(saver.Id(), c.arguments == preview ? host->handle : nullptr);
        EXPECT_TRUE(c.key != VK_RETURN || (window && Box(window) == "Dozewell Drift, 1, icon 32516"));
        // Where the mouse rests, as the saver first hears of it; then a nudge from there.
        for (int pixels = 1; c.move && pixels <= 3; pixels += 2) {
            Mouse(600 + pixels, 400 + pixels);
            EXPECT_FALSE(saver.Exited(200)) << "a nudge ended it";
        }
        c.arguments == preview ? host.reset() : c.key ? Key(window, c.key) : Mouse(600 + c.move, 400, !c.move);
        EXPECT_TRUE(saver.Exited()) << c.arguments << " " << c.key << " " << c.move;
    }
}

}  // namespace
