#include <gtest/gtest.h>

#include <algorithm>

#include "CatalogueEntries.h"
#include "manager/SaverManager.h"
#include "support/TestFiles.h"

namespace {

// Wine's drive Q: is mapped to an empty folder of the build tree for the test run (see
// tests/CMakeLists.txt).
const char kTestDrive[] = "Q:\\";

Entries Sorted(Entries entries)
{
    std::sort(entries.begin(), entries.end());
    return entries;
}

// Entries whose path contains the marker, in the map's order.
Entries EntriesWith(const CMapStringToString& catalog, const std::string& marker)
{
    Entries found;
    for (const Entry& entry : CatalogueEntries(catalog)) {
        if (entry.first.find(marker) != std::string::npos)
            found.push_back(entry);
    }
    return found;
}

TEST(SaverScan, RefreshScansTheSystemDirectoryThenTheWindowsDirectory)
{
    const std::string system = SystemDir();
    const std::string windows = WindowsDir();
    const InstalledFile systemAlpha("fixture_alpha.scr", system + "\\dozewell-scan-alpha.scr");
    const InstalledFile systemText("not_a_module.scr", system + "\\dozewell-scan-text.scr");
    const InstalledFile windowsAlpha("fixture_alpha.scr", windows + "\\dozewell-scan-alpha.scr");
    const InstalledFile windowsBeta("fixture_beta.scr", windows + "\\dozewell-scan-beta.scr");

    CSaverManager manager;
    manager.m_catalog["C:\\gone\\stale.scr"] = "Stale";
    manager.RefreshCatalog();

    const Entries found = EntriesWith(manager.GetSaverMap(), "dozewell-scan-");
    ASSERT_EQ(found.size(), 3u);
    // The same file name in both directories gives two entries, the system directory's first.
    EXPECT_EQ(found[0], Entry(systemAlpha.Path(), "Fixture Alpha"));
    EXPECT_EQ(Sorted({ found[1], found[2] }),
              Sorted({ { windowsAlpha.Path(), "Fixture Alpha" }, { windowsBeta.Path(), "Fixture Beta" } }));
    EXPECT_TRUE(EntriesWith(manager.GetSaverMap(), "stale").empty());
}

class ScanDirectory : public ::testing::Test {
protected:
    ScratchDir dir;
};

TEST_F(ScanDirectory, ListsEveryModuleNamedScrAndPassesOverTheRest)
{
    const std::string alpha = dir.AddFixture("fixture_alpha.scr", "alpha.scr");
    const std::string first = dir.AddFixture("fixture_lines.scr", "lines one.scr");
    const std::string second = dir.AddFixture("fixture_lines.scr", "lines two.scr");
    const std::string empty = dir.AddFixture("fixture_nostrings.scr", "nostrings.scr");
    dir.AddFixture("not_a_module.scr", "text.scr");
    dir.AddFixture("fixture_beta.scr", "beta.scr.txt");
    ASSERT_TRUE(CreateDirectoryA((dir.Path() + "\\folder.scr").c_str(), nullptr));
    dir.AddFixture("fixture_beta.scr", "folder.scr\\inner.scr");

    CSaverManager manager;
    manager.ScanSaverDirectory(dir.Path().c_str());

    // Two modules with one description are two entries; a module without string 1 is an empty one.
    EXPECT_EQ(Sorted(CatalogueEntries(manager.GetSaverMap())),
              Sorted({ { alpha, "Fixture Alpha" }, { first, "Lines" }, { second, "Lines" }, { empty, "" } }));
}

TEST_F(ScanDirectory, BuildsPathsWithOneBackslashAfterTheDirectory)
{
    const DWORD drive = GetFileAttributesA(kTestDrive);
    ASSERT_TRUE(drive != INVALID_FILE_ATTRIBUTES && (drive & FILE_ATTRIBUTE_DIRECTORY)) << "drive Q: is not mapped";
    const InstalledFile atRoot("fixture_alpha.scr", std::string(kTestDrive) + "root.scr");
    dir.AddFixture("fixture_alpha.scr", "alpha.scr");

    const struct Case {
        std::string directory;
        std::string path;
    } cases[] = {
        { kTestDrive, atRoot.Path() },
        { "Q:", atRoot.Path() },
        { dir.Path(), dir.Path() + "\\alpha.scr" },
        { dir.Path() + "\\", dir.Path() + "\\alpha.scr" },
    };
    for (const Case& c : cases) {
        CSaverManager manager;
        manager.ScanSaverDirectory(c.directory.c_str());
        EXPECT_EQ(CatalogueEntries(manager.GetSaverMap()), Entries({ { c.path, "Fixture Alpha" } })) << c.directory;
    }
}

TEST_F(ScanDirectory, ScanningTwiceKeepsOneEntryPerPathWithTheDescriptionReadLast)
{
    const std::string first = dir.AddFixture("fixture_alpha.scr", "first.scr");
    dir.AddFixture("fixture_lines.scr", "second.scr");
    CSaverManager manager;
    manager.ScanSaverDirectory(dir.Path().c_str());
    const Entries once = CatalogueEntries(manager.GetSaverMap());
    ASSERT_EQ(once.size(), 2u);

    dir.AddFixture("fixture_beta.scr", "first.scr");
    manager.ScanSaverDirectory(dir.Path().c_str());

    Entries expected = once;
    for (Entry& entry : expected) {
        if (entry.first == first)
            entry.second = "Fixture Beta";
    }
    EXPECT_EQ(CatalogueEntries(manager.GetSaverMap()), expected);
}

TEST_F(ScanDirectory, ADirectoryWithoutMatchesOrThatIsMissingAddsNothing)
{
    CSaverManager manager;
    manager.ScanSaverDirectory(dir.Path().c_str());
    manager.ScanSaverDirectory((dir.Path() + "\\missing").c_str());
    EXPECT_EQ(manager.GetSaverMap().GetCount(), 0);
}

}  // namespace
