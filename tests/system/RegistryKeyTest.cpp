#include <gtest/gtest.h>

#include <string>

#include "support/Registry.h"
#include "system/RegistryKey.h"

namespace {

const char kScratchKey[] = "Software\\Dozewell Tests";

class RegistryKey : public ::testing::Test {
protected:
    ~RegistryKey() override { RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey); }
    void OpenScratch(CRegistryKey& key)
    {
        SetText(kScratchKey, "", "");
        ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, kScratchKey));
    }
};

TEST_F(RegistryKey, OpensClosesAndWritesTextWithItsNulAsRegSz)
{
    CRegistryKey key;
    EXPECT_FALSE(key.Open(HKEY_CURRENT_USER, "Software\\Dozewell Tests\\Missing"));
    EXPECT_EQ(key.m_hKey, nullptr);
    EXPECT_FALSE(key.SetString("Value", "text"));
    OpenScratch(key);
    for (const std::string text : { "C:\\a b.scr", "", "100% %s" }) {
        EXPECT_TRUE(key.SetString("Value", text.c_str()));
        const RegValue stored = ReadValue(kScratchKey, "Value");
        EXPECT_EQ(stored.type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(stored.data, text + '\0');
    }
    EXPECT_EQ(key.Close(), ERROR_SUCCESS);
    EXPECT_EQ(key.m_hKey, nullptr);
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
        { "Fits", REG_SZ, fits + '\0', TRUE, fits },
        { "TooLong", REG_SZ, std::string(256, 'c') + '\0', FALSE, "" },
        { "NoNul", REG_BINARY, noNul, TRUE, noNul },
        { "Number", REG_DWORD, std::string("\x41\x42\0\0", 4), TRUE, "AB" },
        { "ZeroFirst", REG_DWORD, std::string("\0\x41\0\0", 4), TRUE, "" },
        { "Multi", REG_MULTI_SZ, std::string("one\0two\0\0", 9), TRUE, "one" },
        { "Missing", REG_NONE, "", FALSE, "" },
    };
    CRegistryKey key;
    OpenScratch(key);
    for (const auto& c : cases) {
        if (c.type != REG_NONE)
            SetValue(kScratchKey, c.name, c.type, c.data);
        CString out("old text");
        EXPECT_EQ(key.QueryString(c.name, out), c.result) << c.name;
        EXPECT_EQ(std::string(out), c.text) << c.name;
    }
    key.Close();
    CString out("old text");
    EXPECT_FALSE(key.QueryString("Plain", out));
    EXPECT_TRUE(out.IsEmpty());
}

}  // namespace
