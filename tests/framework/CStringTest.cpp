#include <gtest/gtest.h>

#include <string>

#include "framework/CString.h"
#include "framework/AfxIds.h"

namespace {

TEST(CString, ReplaceMakesOnePassOverNonOverlappingPairs)
{
    struct Case {
        const char* before;
        const char* after;
        int count;
    } const cases[] = {
        { "C:\\\\x.scr", "C:\\x.scr", 1 },
        { "a\\\\\\b", "a\\\\b", 1 },      // three become two
        { "a\\\\\\\\b", "a\\\\b", 2 },    // four become two
        { "C:\\x\\y.scr", "C:\\x\\y.scr", 0 },
        { "", "", 0 },
        { "\\\\", "\\", 1 },
    };
    for (const auto& c : cases) {
        CString text(c.before);
        EXPECT_EQ(text.Replace("\\\\", "\\"), c.count) << c.before;
        EXPECT_STREQ(text, c.after) << c.before;
        EXPECT_EQ(text.GetLength(), static_cast<int>(strlen(c.after)));
    }
    CString grow("a-b-c");
    EXPECT_EQ(grow.Replace("-", "--"), 2);
    EXPECT_STREQ(grow, "a--b--c");
}

TEST(CString, TrimsBlanksAtEitherEnd)
{
    CString text(" \t C:\\x.scr \r\n ");
    text.TrimLeft();
    EXPECT_STREQ(text, "C:\\x.scr \r\n ");
    text.TrimRight();
    EXPECT_STREQ(text, "C:\\x.scr");
    CString blanks("   ");
    blanks.TrimLeft();
    blanks.TrimRight();
    EXPECT_TRUE(blanks.IsEmpty());
}

TEST(CString, FormatCopiesArgumentsVerbatimAndHandlesLongText)
{
    CString text;
    text.Format("%s", "100% %s %d");
    EXPECT_STREQ(text, "100% %s %d");
    const std::string longText(100000, 'x');
    text.Format("%s /p %u", longText.c_str(), 42u);
    EXPECT_EQ(std::string(text), longText + " /p 42");
    text.Format("%s", "");
    EXPECT_TRUE(text.IsEmpty());
}

TEST(CString, LoadsTheApplicationTitleAndEmptiesOnAMissingString)
{
    // The tests carry no string table, so both ids are missing here; the title is checked
    // through the program's own boxes.
    CString text("old");
    EXPECT_FALSE(text.LoadString(AFX_IDS_APP_TITLE + 7));
    EXPECT_TRUE(text.IsEmpty());
}

TEST(CString, CopiesAndSelfAssignmentKeepTheText)
{
    CString a("alpha");
    CString b(a);
    a = a;
    b = static_cast<const char*>(b);
    EXPECT_STREQ(a, "alpha");
    EXPECT_STREQ(b, "alpha");
    EXPECT_TRUE(a == "alpha");
    EXPECT_TRUE(a != "Alpha");
    a.Empty();
    EXPECT_STREQ(a, "");
}

}  // namespace
