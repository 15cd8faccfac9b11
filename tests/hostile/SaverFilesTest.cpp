#include <gtest/gtest.h>

#include <string>

#include "catalogue/CatalogueEntries.h"
#include "manager/SaverManager.h"
#include "support/TestFiles.h"

namespace {

// Any file may be named *.scr: a scan lists exactly the ones that load as modules, reads only their
// resources, and survives the rest.
TEST(HostileSaverFiles, OnlyLoadableModulesAreListed)
{
    ScratchDir dir;
    const std::string module = ReadTextFile(FixturePath("fixture_alpha.scr"));
    ASSERT_GT(module.size(), 1024u);
    WriteTextFile(dir.Path() + "\\empty.scr", "");
    WriteTextFile(dir.Path() + "\\dos-header-only.scr", module.substr(0, 64));
    WriteTextFile(dir.Path() + "\\truncated.scr", module.substr(0, 1024));
    WriteTextFile(dir.Path() + "\\half.scr", module.substr(0, module.size() / 2));
    WriteTextFile(dir.Path() + "\\text.scr", "MZ but nothing else of a module\r\n");
    const std::string locked = dir.AddFixture("fixture_beta.scr", "locked.scr");
    const std::string unmappable = dir.AddFixture("fixture_unmappable.scr", "unmappable.scr");
    const std::string whole = dir.AddFixture("fixture_alpha.scr", "whole.scr");
    const bool otherArch = FileExists(FixturePath("fixture_other_arch.scr"));
    const std::string other = otherArch ? dir.AddFixture("fixture_other_arch.scr", "other.scr") : "";

    // Held open for writing without sharing: the scan cannot read it.
    HANDLE hold = CreateFileA(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hold, INVALID_HANDLE_VALUE);

    CSaverManager manager;
    manager.ScanSaverDirectory(dir.Path().c_str());
    CloseHandle(hold);

    std::string unmappableText;
    bool sawWhole = false, sawOther = false;
    for (const Entry& entry : CatalogueEntries(manager.GetSaverMap())) {
        if (entry.first == whole) {
            sawWhole = true;
            EXPECT_EQ(entry.second, "Fixture Alpha");
        } else if (entry.first == unmappable) {
            unmappableText = entry.second;
        } else if (otherArch && entry.first == other) {
            sawOther = true;
            EXPECT_EQ(entry.second, "Other Architecture");
        } else {
            ADD_FAILURE() << "listed: " << entry.first << " = " << entry.second;
        }
    }
    EXPECT_TRUE(sawWhole);
    EXPECT_EQ(sawOther, otherArch);
    // Characters the code page cannot hold are replaced, the rest kept.
    EXPECT_EQ(unmappableText.rfind("Caf", 0), 0u) << unmappableText;
    EXPECT_NE(unmappableText.find(" end"), std::string::npos) << unmappableText;
    if (!otherArch)
        std::printf("note: no module of the other architecture was built; that case was not run\n");
}

}  // namespace
