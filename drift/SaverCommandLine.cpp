#include "drift/SaverCommandLine.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

const char* SkipBlanks(const char* text)
{
    while (IsBlank(*text))
        ++text;
    return text;
}

// A decimal handle after an optional colon or blanks; NULL when there are no digits.
HWND ParseWindow(const char* text)
{
    if (*text == ':')
        ++text;
    text = SkipBlanks(text);
    UINT_PTR value = 0;
    bool digits = false;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + static_cast<UINT_PTR>(*text - '0');
        digits = true;
    }
    return digits ? reinterpret_cast<HWND>(value) : nullptr;
}

}  // namespace

SaverCommand ParseSaverCommandLine(const char* arguments)
{
    SaverCommand command;
    const char* text = SkipBlanks(arguments ? arguments : "");
    if ((*text != '/' && *text != '-') || text[1] == '\0')
        return command;
    const char letter = static_cast<char>(text[1] | 0x20);  // ASCII lower case
    const char* rest = text + 2;
    // "/screen" is no switch: the letter must stand alone.
    if (*rest != '\0' && *rest != ':' && !IsBlank(*rest))
        return command;
    switch (letter) {
    case 's':
        command.mode = SaverMode::FullScreen;
        break;
    case 'p':
        command.mode = SaverMode::Preview;
        command.window = ParseWindow(rest);
        break;
    case 'c':
        command.window = ParseWindow(rest);
        break;
    }
    return command;
}
