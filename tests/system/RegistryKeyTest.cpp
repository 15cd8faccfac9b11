#include <gtest/gtest.h>

#include <string>

#include "support/Harness.h"
#include "system/RegistryKey.h"

namespace {

const char kScratchKey[] = "Software\\Dozewell Tests";

TEST(RegistryKey, WritesTextAsRegSzAndReadsAnyValueUpToItsFirstNulWithin256Bytes)
{
    SetText(kScratchKey, "", "");
    const std::string fits(255, 'a'), noNul(256, 'b');
    const struct {
        DWORD type;  // REG_NONE: no such value
        std::string data;
        BOOL result;
        std::string text;
    } cases[] = { { REG_SZ, fits + '\0', TRUE, fits },
                  { REG_SZ, std::string(256, 'c') + '\0', FALSE, "" },
                  { REG_BINARY, noNul, TRUE, noNul },
                  { REG_DWORD, std::string("\x41\x42\0\0", 4), TRUE, "AB" },
                  { REG_DWORD, std::string("\0\x41\0\0", 4), TRUE, "" },
                  { REG_MULTI_SZ, std::string("one\0two\0\0", 9), TRUE, "one" },
                  { REG_NONE, "", FALSE, "" } };
    CRegistryKey key;
    EXPECT_FALSE(key.Open(HKEY_CURRENT_USER, "Software\\Dozewell Tests\\Missing"));
    EXPECT_EQ(key.m_hKey, nullptr);
    ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, kScratchKey));
    for (const auto& c : cases) {
        DeleteValue(kScratchKey, "Value");
        if (c.type != REG_NONE)
            SetValue(kScratchKey, "Value", c.type, c.data);
        CString out("old text");
        EXPECT_EQ(key.QueryString("Value", out), c.result) << c.type << ": " << c.data;
        EXPECT_EQ(std::string(out), c.text) << c.type << ": " << c.data;
    }
    for (const std::string text : { "C:\\a b.scr", "", "100% %s" }) {
        EXPECT_TRUE(key.SetString("Value", text.c_str()));
        const RegValue stored = ReadValue(kScratchKey, "Value");
        EXPECT_EQ(stored.type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(stored.data, text + '\0');
    }
    EXPECT_EQ(key.Close(), ERROR_SUCCESS);
    EXPECT_EQ(key.m_hKey, nullptr);
    CString out("old text");
    EXPECT_FALSE(key.QueryString("Value", out));
    EXPECT_TRUE(out.IsEmpty());
    EXPECT_FALSE(key.SetString("Value", "text"));
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey);
}

}  // namespace
