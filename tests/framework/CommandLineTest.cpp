#include <gtest/gtest.h>

#include "framework/CommandLine.h"

namespace {

struct TailCase {
    const char* commandLine;
    const char* tail;
};

TEST(CommandLineTail, RemovesTheProgramNameAndTheBlanksAfterIt)
{
    const TailCase cases[] = {
        { "dozewell.exe :lock", ":lock" },
        { "dozewell.exe", "" },
        { "", "" },
        { "dozewell.exe    \t :settings  x", ":settings  x" },
        { "\"C:\\Program Files\\Dozewell\\dozewell.exe\" :settings", ":settings" },
        // Blanks inside the quoted name belong to the name.
        { "\"C:\\a b\\x.exe\":lock", ":lock" },
        // No closing quote: the whole line is the name.
        { "\"C:\\a b\\x.exe :lock", "" },
        // Quotes later in the line are part of the tail.
        { "x.exe \":lock\"", "\":lock\"" },
        // A quote in the middle of an unquoted name does not start a quoted part.
        { "C:\\a\"b c\"\\x.exe :lock", "c\"\\x.exe :lock" },
        // Every code of 32 or less separates, control characters included.
        { "x.exe\x01\x1f:lock", ":lock" },
        // Bytes above 127 are part of the name.
        { "\xe9t\xe9.exe :lock", ":lock" },
        { "   :lock", ":lock" },
    };
    for (const TailCase& c : cases)
        EXPECT_STREQ(CommandLineTail(c.commandLine), c.tail) << "command line: " << c.commandLine;
}

TEST(CommandLineTail, PointsIntoTheGivenLine)
{
    const char* line = "x.exe :lock";
    EXPECT_EQ(CommandLineTail(line), line + 6);
    EXPECT_STREQ(CommandLineTail(nullptr), "");
}

}  // namespace
