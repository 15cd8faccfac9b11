#include <gtest/gtest.h>

#include "framework/CWinApp.h"
#include "support/TestRegistry.h"

namespace {

const char kCompany[] = "Dozewell Tests";
const char kApp[] = "Profile";
const char kSectionPath[] = "Software\\Dozewell Tests\\Profile\\Settings";

class Profile : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Dozewell Tests\\Profile");
        app.SetRegistryKey(kCompany);
    }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Dozewell Tests\\Profile"); }

    CWinApp app{ kApp };
};

TEST_F(Profile, ReadingCreatesTheKeyPathAndGivesTheDefault)
{
    ASSERT_FALSE(KeyExists(HKEY_CURRENT_USER, kSectionPath));
    EXPECT_EQ(app.GetProfileInt("Settings", "Missing", 5), 5u);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kSectionPath));
}

TEST_F(Profile, WritesADwordAndReadsItBack)
{
    EXPECT_TRUE(app.WriteProfileInt("Settings", "Count", 1));
    const RegistryValue value = ReadValue(HKEY_CURRENT_USER, kSectionPath, "Count");
    ASSERT_TRUE(value.exists);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(app.GetProfileInt("Settings", "Count", 0), 1u);
    WriteDword(HKEY_CURRENT_USER, kSectionPath, "Count", 7);
    EXPECT_EQ(app.GetProfileInt("Settings", "Count", 0), 7u);
}

TEST_F(Profile, AValueThatIsNotANumberGivesTheDefault)
{
    WriteString(HKEY_CURRENT_USER, kSectionPath, "Text", "1");
    EXPECT_EQ(app.GetProfileInt("Settings", "Text", 0), 0u);
    WriteValue(HKEY_CURRENT_USER, kSectionPath, "Short", REG_BINARY, std::string("\x01\x00", 2));
    EXPECT_EQ(app.GetProfileInt("Settings", "Short", 0), 0u);
    WriteValue(HKEY_CURRENT_USER, kSectionPath, "Long", REG_BINARY, std::string("\x01\x00\x00\x00\x00\x00", 6));
    EXPECT_EQ(app.GetProfileInt("Settings", "Long", 0), 0u);
}

TEST(ProfileWithoutRegistryKey, ReadsTheDefaultAndWritesNothing)
{
    CWinApp app("Profile");
    EXPECT_EQ(app.GetProfileInt("Settings", "Count", 3), 3u);
    EXPECT_FALSE(app.WriteProfileInt("Settings", "Count", 1));
}

}  // namespace
