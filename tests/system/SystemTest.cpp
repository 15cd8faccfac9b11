#include <gtest/gtest.h>

#include <string>

#include "support/Harness.h"
#include "system/OsVersion.h"
#include "system/RegistryKey.h"

namespace {

const char kScratchKey[] = "Software\\Dozewell Tests";

TEST(RegistryKey, WritesTextAsRegSzAndReadsAnyValueUpToItsFirstNulWithinTheBytesOfAnyPathInUtf8)
{
    SetText(kScratchKey, "", "");
    const std::string fits(kMaxPathBytes - 1, 'a'), noNul(kMaxPathBytes, 'b');
    const struct {
        DWORD type;  // REG_NONE: no such value
        BOOL result;
        std::string data, text;
    } cases[] = { { REG_SZ, TRUE, fits + '\0', fits },
                  { REG_SZ, FALSE, std::string(kMaxPathBytes, 'c') + '\0', "" },
                  { REG_BINARY, TRUE, noNul, noNul },
                  { REG_DWORD, TRUE, std::string("\x41\x42\0\0", 4), "AB" },
                  { REG_DWORD, TRUE, std::string("\0\x41\0\0", 4), "" },
                  { REG_MULTI_SZ, TRUE, std::string("one\0two\0\0", 9), "one" },
                  { REG_NONE, FALSE, "", "" } };
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
        EXPECT_EQ(ReadValue(kScratchKey, "Value").Typed(), std::to_string(REG_SZ) + ":" + text + '\0');
    }
    EXPECT_EQ(key.Close(), ERROR_SUCCESS);
    EXPECT_EQ(key.m_hKey, nullptr);
    CString out("old text");
    EXPECT_FALSE(key.QueryString("Value", out));
    EXPECT_TRUE(out.IsEmpty());
    EXPECT_FALSE(key.SetString("Value", "text"));
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey);
}

// Which class this system is in shows where it counts: the App rows run dozewell.exe as Vista, XP and 7.
TEST(OsVersion, ClassifiesEveryListedReleaseAndQueriesWithTheExtendedRecordOnNt5AndLater)
{
    // { family, major, minor, build, class }; only the low 16 bits of a Windows 9x build count.
    const DWORD cases[][5] = {
        { 1, 4, 0, 949, 0 },         { 1, 4, 0, 950, 1 },     { 1, 4, 0, 951, 2 },    { 1, 4, 0, 1080, 2 },
        { 1, 4, 0, 1081, 3 },        { 1, 4, 9, 2000, 3 },    { 1, 4, 10, 1997, 0 },  { 1, 4, 10, 1998, 4 },
        { 1, 4, 10, 0x040A07CE, 4 }, { 1, 4, 10, 1999, 5 },   { 1, 4, 10, 2182, 5 },  { 1, 4, 10, 2183, 6 },
        { 1, 4, 90, 0, 7 },          { 1, 4, 91, 0, 0 },      { 1, 4, 50, 2000, 0 },  { 1, 5, 0, 2000, 0 },
        { 2, 3, 50, 0, 0 },          { 2, 3, 51, 1057, 101 }, { 2, 4, 0, 0, 102 },    { 2, 4, 1, 0, 0 },
        { 2, 5, 0, 0, 103 },         { 2, 5, 1, 2600, 104 },  { 2, 5, 2, 0, 105 },    { 2, 5, 3, 0, 0 },
        { 2, 6, 0, 6002, 106 },      { 2, 6, 1, 7601, 0 },    { 2, 10, 0, 19045, 0 }, { 3, 0, 0, 0, 201 },
        { 3, 6, 0, 0, 201 },         { 0, 4, 0, 950, 0 },     { 4, 6, 0, 0, 0 }
    };
    for (const auto& c : cases) {
        const OSVERSIONINFOEXA info = { 0, c[1], c[2], c[3], c[0], "", 0, 0, 0, 0, 0 };
        EXPECT_EQ(ClassifyOsVersion(info), static_cast<int>(c[4]))
            << c[0] << ": " << c[1] << "." << c[2] << " build " << c[3];
    }

    OSVERSIONINFOEXA info;
    memset(&info, 0xBD, sizeof info);
    ASSERT_TRUE(QueryOsVersion(info));
    // This Wine reports Windows 7 (NT 6.1) unless told otherwise.
    EXPECT_EQ(info.dwPlatformId, 2u);
    EXPECT_EQ(info.dwOSVersionInfoSize, 156u) << "the second, extended query was not made";
    EXPECT_EQ(info.wReserved, 0) << "the record was not cleared before the query";
}

}  // namespace
