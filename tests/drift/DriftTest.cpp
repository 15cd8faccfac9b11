// Dozewell Drift: how it reads the switches Windows passes, and run as Windows runs it.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "drift/SaverCommandLine.h"
#include "support/Harness.h"

namespace {

TEST(Drift, ReadsTheSwitchesAsWindowsPassesThem)
{
    const struct {
        const char* arguments;
        SaverMode mode;
        UINT_PTR window;
    } cases[] = { { "", SaverMode::Configure, 0 },           { "/x", SaverMode::Configure, 0 },
                  { "/screen", SaverMode::Configure, 0 },    { "-S", SaverMode::FullScreen, 0 },
                  { "  /s 1234", SaverMode::FullScreen, 0 }, { "-P 1234", SaverMode::Preview, 1234 },
                  { "/p:1234", SaverMode::Preview, 1234 },   { "/p \t 4294967295", SaverMode::Preview, 4294967295u },
                  { "/p 12ab", SaverMode::Preview, 12 },     { "/p -5", SaverMode::Preview, 0 },
                  { "/c", SaverMode::Configure, 0 },         { "-C:77", SaverMode::Configure, 77 } };
    for (const auto& c : cases) {
        const SaverCommand command = ParseSaverCommandLine(c.arguments);
        EXPECT_EQ(static_cast<int>(command.mode), static_cast<int>(c.mode)) << c.arguments;
        EXPECT_EQ(reinterpret_cast<UINT_PTR>(command.window), c.window) << c.arguments;
    }
}

TEST(Drift, PlaysItsPreviewInTheHostAndEndsWithIt)
{
    auto host = std::make_unique<TestWindow>();
    Process saver("\"" + BinDir() + "\\dozewell-drift.scr\" /p " +
                  std::to_string(reinterpret_cast<UINT_PTR>(host->handle)));
    ASSERT_NE(WaitForWindow(saver.Id(), host->handle), nullptr);
    host.reset();
    EXPECT_TRUE(saver.Exited()) << "the preview outlived its host";
}

}  // namespace
