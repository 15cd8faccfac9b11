#include <gtest/gtest.h>

#include <string>

#include "framework/CMapStringToString.h"
#include "framework/CString.h"
#include "framework/CommandLine.h"
#include "support/Harness.h"

namespace {

TEST(CommandLineTail, DropsTheProgramNameAndTheBlanksAfterIt)
{
    const char* const cases[][2] = { { "dozewell.exe", "" },
                                     { "x.exe \t :settings  x", ":settings  x" },
                                     { "\"C:\\a b\\x.exe\":lock", ":lock" },
                                     { "\"C:\\a b\\x.exe :lock", "" },
                                     { "x.exe \":lock\"", "\":lock\"" },
                                     { "C:\\a\"b c\"\\x.exe :lock", "c\"\\x.exe :lock" },
                                     { "x.exe\x01\x1f:lock", ":lock" },
                                     { "   :lock", ":lock" } };
    for (const auto& c : cases)
        EXPECT_STREQ(CommandLineTail(c[0]), c[1]) << c[0];
}

TEST(CString, ReplacesInOnePassTrimsAndFormatsVerbatimAtAnyLength)
{
    const char* const pairs[][2] = {
        { "C:\\\\x", "C:\\x" }, { "a\\\\\\b", "a\\\\b" }, { "a\\\\\\\\b", "a\\\\b" }, { "C:\\x\\y", "C:\\x\\y" }
    };
    for (const auto& pair : pairs) {
        CString text(pair[0]);
        text.Replace("\\\\", "\\");
        EXPECT_EQ(std::string(text), pair[1]);
    }
    CString text(" C:\\x.scr \r\n ");
    text.TrimLeft();
    EXPECT_STREQ(text, "C:\\x.scr \r\n ");
    text.TrimRight();
    EXPECT_STREQ(text, "C:\\x.scr");
    const std::string longText(100000, '%');
    text.Format("\"%s\" /p %u", longText.c_str(), 42u);
    EXPECT_EQ(std::string(text), "\"" + longText + "\" /p 42");
}

TEST(CMapStringToString, KeepsOneEntryPerExactKeyInTheOrderFirstStored)
{
    CMapStringToString map(10);
    std::vector<std::string> expected;
    // Keys that differ only in case, many enough that some share a bucket.
    for (int i = 0; i < 1000; ++i) {
        const std::string key = (i % 2 ? "k" : "K") + std::to_string(i / 2);
        map[key.c_str()] = std::to_string(i).c_str();
        expected.push_back(key + "=" + (i == 7 ? "again" : std::to_string(i)));
    }
    map["k3"] = "again";
    EXPECT_EQ(Entries(map), expected);
    EXPECT_EQ(map.GetCount(), 1000);
    map.RemoveAll();
    EXPECT_EQ(map.GetStartPosition(), nullptr);
}

}  // namespace
