#include "framework/CommandLine.h"

namespace {

const unsigned char kQuote = '"';
const unsigned char kSpace = ' ';

}  // namespace

const char* CommandLineTail(const char* commandLine)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(commandLine ? commandLine : "");
    if (*p == kQuote) {
        // A quoted name ends at the next quote; blanks inside it belong to the name.
        while (*++p && *p != kQuote) {}
        if (*p == kQuote)
            ++p;
    } else {
        while (*p > kSpace)
            ++p;
    }
    while (*p && *p <= kSpace)
        ++p;
    return reinterpret_cast<const char*>(p);
}
