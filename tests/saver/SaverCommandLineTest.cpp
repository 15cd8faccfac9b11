#include <gtest/gtest.h>

#include "drift/SaverCommandLine.h"

namespace {

struct CommandCase {
    const char* arguments;
    SaverMode mode;
    UINT_PTR window;
};

const char* ModeName(SaverMode mode)
{
    switch (mode) {
    case SaverMode::Configure:
        return "Configure";
    case SaverMode::FullScreen:
        return "FullScreen";
    case SaverMode::Preview:
        return "Preview";
    }
    return "?";
}

}  // namespace

TEST(SaverCommandLine, ReadsTheSwitchesAsWindowsPassesThem)
{
    const CommandCase cases[] = {
        // Nothing, or nothing known, asks for the settings.
        { "", SaverMode::Configure, 0 },
        { "   ", SaverMode::Configure, 0 },
        { "/x", SaverMode::Configure, 0 },
        { "/", SaverMode::Configure, 0 },
        { "-", SaverMode::Configure, 0 },
        { "s", SaverMode::Configure, 0 },
        { "/screen", SaverMode::Configure, 0 },
        { "/pa 12", SaverMode::Configure, 0 },
        // Full screen, any case, slash or dash, with what follows ignored.
        { "/s", SaverMode::FullScreen, 0 },
        { "/S", SaverMode::FullScreen, 0 },
        { "-s", SaverMode::FullScreen, 0 },
        { "-S", SaverMode::FullScreen, 0 },
        { "  /s  ", SaverMode::FullScreen, 0 },
        { "/s 1234", SaverMode::FullScreen, 0 },
        // Preview in a window given after blanks or a colon.
        { "/p 1234", SaverMode::Preview, 1234 },
        { "/P 1234", SaverMode::Preview, 1234 },
        { "-p 1234", SaverMode::Preview, 1234 },
        { "/p:1234", SaverMode::Preview, 1234 },
        { "/p \t 65538", SaverMode::Preview, 65538 },
        { "/p 4294967295", SaverMode::Preview, 4294967295u },
        { "/p 12ab", SaverMode::Preview, 12 },
        // A preview without a window has none to draw in.
        { "/p", SaverMode::Preview, 0 },
        { "/p ", SaverMode::Preview, 0 },
        { "/p:", SaverMode::Preview, 0 },
        { "/p abc", SaverMode::Preview, 0 },
        { "/p -5", SaverMode::Preview, 0 },
        // Settings, owned by a window when one is given.
        { "/c", SaverMode::Configure, 0 },
        { "/C", SaverMode::Configure, 0 },
        { "-c", SaverMode::Configure, 0 },
        { "/c:1234", SaverMode::Configure, 1234 },
        { "/C:98765", SaverMode::Configure, 98765 },
        { "/c 1234", SaverMode::Configure, 1234 },
    };
    for (const CommandCase& c : cases) {
        const SaverCommand command = ParseSaverCommandLine(c.arguments);
        EXPECT_STREQ(ModeName(command.mode), ModeName(c.mode)) << '"' << c.arguments << '"';
        EXPECT_EQ(reinterpret_cast<UINT_PTR>(command.window), c.window) << '"' << c.arguments << '"';
    }
}

TEST(SaverCommandLine, NoArgumentsAtAllAskForTheSettings)
{
    const SaverCommand command = ParseSaverCommandLine(nullptr);
    EXPECT_EQ(command.mode, SaverMode::Configure);
    EXPECT_EQ(command.window, nullptr);
}
