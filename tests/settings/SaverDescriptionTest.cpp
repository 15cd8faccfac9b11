#include <gtest/gtest.h>

#include <string>

#include "manager/SaverManager.h"
#include "support/TestFiles.h"

namespace {

TEST(SaverDescription, IsStringOneOfTheModuleCopiedVerbatim)
{
    std::string long300;
    for (int i = 0; i < 30; ++i)
        long300 += "abcdefghij";
    const std::string long259 = long300.substr(0, 259);
    const struct {
        const char* fixture;
        std::string description;
    } cases[] = {
        { "fixture_alpha.scr", "Fixture Alpha" },
        { "fixture_nostrings.scr", "" },  // loads, so TRUE, with an empty description
        { "fixture_long.scr", long259 },  // cut to 259 characters
        { "fixture_percent.scr", "100% Pure %s %d Saver" },
    };
    CSaverManager manager;
    for (const auto& c : cases) {
        CString description("old text");
        EXPECT_TRUE(manager.GetSaverDescription(FixturePath(c.fixture).c_str(), description)) << c.fixture;
        EXPECT_EQ(std::string(description), c.description) << c.fixture;
    }
}

TEST(SaverDescription, NeverRunsCodeOfTheModule)
{
    ScratchDir dir;
    const std::string module = dir.AddFixture("fixture_dll.scr", "library.scr");
    CSaverManager manager;
    CString description;
    EXPECT_TRUE(manager.GetSaverDescription(module.c_str(), description));
    EXPECT_STREQ(description, "Fixture Library");
    EXPECT_FALSE(FileExists(module + ".marker")) << "the module's entry point ran";
    // The module is not left loaded: it can be deleted at once.
    EXPECT_TRUE(DeleteFileA(module.c_str()));
}

TEST(SaverDescription, AFileThatDoesNotLoadLeavesTheOutputUntouched)
{
    ScratchDir dir;
    const std::string cases[] = {
        FixturePath("not_a_module.scr"),
        dir.Path() + "\\missing.scr",
        dir.Path(),
        "",
    };
    CSaverManager manager;
    for (const std::string& path : cases) {
        CString description("keep me");
        EXPECT_FALSE(manager.GetSaverDescription(path.c_str(), description)) << path;
        EXPECT_STREQ(description, "keep me") << path;
    }
}

}  // namespace
