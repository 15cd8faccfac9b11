#include <gtest/gtest.h>

#include <string>

#include "manager/SaverManager.h"
#include "support/TestFiles.h"
#include "support/TestRegistry.h"

namespace {

class DefaultSaver : public ::testing::Test {
protected:
    void Configure(const std::string& path) { WriteString(HKEY_CURRENT_USER, kDesktopKeyPath, kSaverValueName, path); }

    ValueGuard saved{ HKEY_CURRENT_USER, kDesktopKeyPath, kSaverValueName };
    ScratchDir dir;
    CSaverManager manager;
};

TEST_F(DefaultSaver, FollowsTheRegistryValue)
{
    const std::string module = dir.AddFixture("fixture_alpha.scr", "alpha.scr");
    const std::string text = dir.AddFixture("not_a_module.scr", "text.scr");
    const struct {
        const char* what;
        std::string value;
        BOOL isSet;
        const char* description;
    } cases[] = {
        { "a module", module, TRUE, "Fixture Alpha" },
        { "only blanks", "   ", FALSE, "" },
        { "a missing file", dir.Path() + "\\missing.scr", FALSE, "" },
        { "a file that is not a module", text, TRUE, "" },
        { "a directory", dir.Path(), TRUE, "" },
        { "an empty text", "", FALSE, "" },
    };
    for (const auto& c : cases) {
        Configure(c.value);
        EXPECT_EQ(manager.IsDefaultSaverSet() != FALSE, c.isSet != FALSE) << c.what;
        CString path("old");
        manager.GetDefaultSaverPath(path);
        EXPECT_EQ(std::string(path), c.value) << c.what;
        CString description("old");
        manager.GetDefaultSaverDescription(description);
        EXPECT_STREQ(description, c.description) << c.what;
    }
}

TEST_F(DefaultSaver, BlanksAroundAnExistingPathStillCountAndAreKept)
{
    const std::string module = dir.AddFixture("fixture_alpha.scr", "alpha.scr");
    Configure("  " + module + " \t");
    EXPECT_TRUE(manager.IsDefaultSaverSet());
    CString path;
    manager.GetDefaultSaverPath(path);
    EXPECT_EQ(std::string(path), "  " + module + " \t");
}

TEST_F(DefaultSaver, NoValueMeansNoDefault)
{
    DeleteValue(HKEY_CURRENT_USER, kDesktopKeyPath, kSaverValueName);
    EXPECT_FALSE(manager.IsDefaultSaverSet());
    CString path("old");
    manager.GetDefaultSaverPath(path);
    EXPECT_TRUE(path.IsEmpty());
    CString description("old");
    manager.GetDefaultSaverDescription(description);
    EXPECT_TRUE(description.IsEmpty());
}

TEST_F(DefaultSaver, AValueTooLongForItsBufferMeansNoDefault)
{
    Configure(dir.Path() + "\\" + std::string(300, 'x') + ".scr");
    EXPECT_FALSE(manager.IsDefaultSaverSet());
    CString path("old");
    manager.GetDefaultSaverPath(path);
    EXPECT_TRUE(path.IsEmpty());
}

TEST_F(DefaultSaver, DestroyingAManagerEndsItsPreviewProcessEvenWhenItHasEnded)
{
    // A process that ends by itself: the record still holds it until the manager goes.
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + FixturePath("fixture_alpha.scr") + "\" /s";
    PROCESS_INFORMATION started = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &started));
    HANDLE watch = nullptr;
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), started.hProcess, GetCurrentProcess(), &watch, 0, FALSE,
                                DUPLICATE_SAME_ACCESS));
    ASSERT_EQ(WaitForSingleObject(watch, 10000), WAIT_OBJECT_0);
    {
        CSaverManager owner;
        owner.m_procInfo = started;
    }
    // Both handles were closed by the manager: closing them again fails.
    EXPECT_FALSE(CloseHandle(started.hThread));
    CloseHandle(watch);
    DeleteFileA((FixturePath("fixture_alpha.scr") + ".log").c_str());
}

}  // namespace
