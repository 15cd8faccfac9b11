#include <gtest/gtest.h>

#include <string>

#include "system/RegistryKey.h"
#include "support/TestRegistry.h"

namespace {

class RegistryKey : public ::testing::Test {
protected:
    // A key opened on the scratch key, ready for one value access.
    void OpenScratch(CRegistryKey& key) { ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, scratch.Path().c_str())); }

    ScratchKey scratch;
};

TEST_F(RegistryKey, OpenOfAMissingKeyFailsAndHoldsNothing)
{
    CRegistryKey key;
    EXPECT_FALSE(key.Open(HKEY_CURRENT_USER, (scratch.Path() + "\\Missing").c_str()));
    EXPECT_EQ(key.m_hKey, nullptr);
    EXPECT_NE(key.Close(), ERROR_SUCCESS);  // nothing to close
    EXPECT_EQ(key.m_hKey, nullptr);
}

TEST_F(RegistryKey, OpenAndCloseLeaveNoKeyBehind)
{
    CRegistryKey key;
    OpenScratch(key);
    EXPECT_NE(key.m_hKey, nullptr);
    EXPECT_EQ(key.Close(), ERROR_SUCCESS);
    EXPECT_EQ(key.m_hKey, nullptr);
    // Opening again on the same object works, and the destructor closes it.
    OpenScratch(key);
}

TEST_F(RegistryKey, SetStringStoresTheTextAndItsNulAsRegSz)
{
    const struct {
        const char* text;
        size_t bytes;
    } cases[] = { { "C:\\a.scr", 9 }, { "", 1 }, { "100% %s", 8 } };
    for (const auto& c : cases) {
        CRegistryKey key;
        OpenScratch(key);
        EXPECT_TRUE(key.SetString("Value", c.text));
        const RegistryValue stored = ReadValue(HKEY_CURRENT_USER, scratch.Path(), "Value");
        ASSERT_TRUE(stored.exists);
        EXPECT_EQ(stored.type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(stored.data, std::string(c.text, c.bytes)) << c.text;
    }
}

TEST_F(RegistryKey, SetStringWithoutAnOpenKeyFails)
{
    CRegistryKey key;
    EXPECT_FALSE(key.SetString("Value", "text"));
}

TEST_F(RegistryKey, QueryStringReadsAnyValueUpToItsFirstNulWithin256Bytes)
{
    const std::string fits(255, 'a');
    const std::string noNul(256, 'b');
    const struct {
        const char* name;
        DWORD type;
        std::string data;
        BOOL result;
        std::string text;
    } cases[] = {
        { "Plain", REG_SZ, std::string("C:\\x.scr\0", 9), TRUE, "C:\\x.scr" },
        { "Empty", REG_SZ, std::string("\0", 1), TRUE, "" },
        { "Fits", REG_SZ, fits + '\0', TRUE, fits },
        { "TooLong", REG_SZ, std::string(256, 'c') + '\0', FALSE, "" },
        { "NoNul", REG_BINARY, noNul, TRUE, noNul },
        { "Binary300", REG_BINARY, std::string(300, 'd'), FALSE, "" },
        { "Number", REG_DWORD, std::string("\x41\x42\0\0", 4), TRUE, "AB" },
        { "ZeroFirst", REG_DWORD, std::string("\0\x41\0\0", 4), TRUE, "" },
        { "Expand", REG_EXPAND_SZ, std::string("%TEMP%\\x.scr\0", 13), TRUE, "%TEMP%\\x.scr" },
        { "Multi", REG_MULTI_SZ, std::string("one\0two\0\0", 9), TRUE, "one" },
    };
    for (const auto& c : cases) {
        WriteValue(HKEY_CURRENT_USER, scratch.Path(), c.name, c.type, c.data);
        CRegistryKey key;
        OpenScratch(key);
        CString out("old text");
        EXPECT_EQ(key.QueryString(c.name, out), c.result) << c.name;
        EXPECT_EQ(std::string(out), c.text) << c.name;
    }
}

TEST_F(RegistryKey, QueryStringOfAMissingValueOrClosedKeyEmptiesTheOutput)
{
    CRegistryKey key;
    CString out("old text");
    EXPECT_FALSE(key.QueryString("Value", out));
    EXPECT_TRUE(out.IsEmpty());
    OpenScratch(key);
    out = "old text";
    EXPECT_FALSE(key.QueryString("Missing", out));
    EXPECT_TRUE(out.IsEmpty());
}

}  // namespace
