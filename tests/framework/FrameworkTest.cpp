#include <gtest/gtest.h>

#include <string>

#include "framework/CMapStringToString.h"
#include "framework/CString.h"
#include "framework/CommandLine.h"

namespace {

TEST(CommandLineTail, DropsTheProgramNameAndTheBlanksAfterIt)
{
    const struct {
        const char* commandLine;
        const char* tail;
    } cases[] = {
        { "dozewell.exe :lock", ":lock" },
        { "dozewell.exe", "" },
        { "", "" },
        { "dozewell.exe    \t :settings  x", ":settings  x" },
        { "\"C:\\a b\\x.exe\":lock", ":lock" },               // blanks inside the quotes belong to the name
        { "\"C:\\a b\\x.exe :lock", "" },                     // no closing quote: all of it is the name
        { "x.exe \":lock\"", "\":lock\"" },                   // later quotes are part of the tail
        { "C:\\a\"b c\"\\x.exe :lock", "c\"\\x.exe :lock" },  // a quote inside a name opens nothing
        { "x.exe\x01\x1f:lock", ":lock" },                    // every code up to 32 separates
        { "\xe9t\xe9.exe :lock", ":lock" },
        { "   :lock", ":lock" },
    };
    for (const auto& c : cases)
        EXPECT_STREQ(CommandLineTail(c.commandLine), c.tail) << c.commandLine;
}

TEST(CString, ReplaceMakesOnePassOverPairsAndTrimRemovesBlanks)
{
    const struct {
        const char* before;
        const char* after;
        int count;
    } cases[] = {
        { "C:\\\\x.scr", "C:\\x.scr", 1 },     { "a\\\\\\b", "a\\\\b", 1 }, { "a\\\\\\\\b", "a\\\\b", 2 },
        { "C:\\x\\y.scr", "C:\\x\\y.scr", 0 }, { "\\\\", "\\", 1 },
    };
    for (const auto& c : cases) {
        CString text(c.before);
        EXPECT_EQ(text.Replace("\\\\", "\\"), c.count) << c.before;
        EXPECT_STREQ(text, c.after) << c.before;
        EXPECT_EQ(text.GetLength(), static_cast<int>(strlen(c.after)));
    }
    CString text(" \t C:\\x.scr \r\n ");
    text.TrimLeft();
    EXPECT_STREQ(text, "C:\\x.scr \r\n ");
    text.TrimRight();
    EXPECT_STREQ(text, "C:\\x.scr");
}

TEST(CString, FormatCopiesArgumentsVerbatimAtAnyLength)
{
    CString text;
    text.Format("%s", "100% %s %d");
    EXPECT_STREQ(text, "100% %s %d");
    const std::string longText(100000, 'x');
    text.Format("\"%s\" /p %u", longText.c_str(), 42u);
    EXPECT_EQ(std::string(text), "\"" + longText + "\" /p 42");
    CString copy(text);
    text = "alpha";
    EXPECT_EQ(copy.GetLength(), 100008);
    EXPECT_STREQ(text, "alpha");
}

TEST(CMapStringToString, KeepsOneEntryPerExactKeyInTheOrderFirstStored)
{
    CMapStringToString map(10);
    for (int i = 0; i < 1000; ++i)
        map[std::to_string(i).c_str()] = ("d" + std::to_string(i)).c_str();
    map["0"] = "replaced";
    map["A"] = "upper";
    map["a"] = "lower";
    ASSERT_EQ(map.GetCount(), 1002);
    CString key, value;
    POSITION pos = map.GetStartPosition();
    for (int i = 0; pos; ++i) {
        map.GetNextAssoc(pos, key, value);
        const std::string expected = i == 0      ? "replaced"
                                     : i < 1000  ? "d" + std::to_string(i)
                                     : i == 1000 ? "upper"
                                                 : "lower";
        EXPECT_EQ(std::string(value), expected) << "entry " << i << ", key " << static_cast<const char*>(key);
    }
    map.RemoveAll();
    EXPECT_EQ(map.GetCount(), 0);
    EXPECT_EQ(map.GetStartPosition(), nullptr);
}

}  // namespace
