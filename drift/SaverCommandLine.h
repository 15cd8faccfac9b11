// What a screen-saver module is asked to do by its command line.
#pragma once

#include <windows.h>

enum class SaverMode {
    Configure,   // "/c", "/c:<window>" or nothing: say that there are no settings
    FullScreen,  // "/s"
    Preview,     // "/p <window>" or "/p:<window>"
};

struct SaverCommand {
    SaverMode mode = SaverMode::Configure;
    // The host of a preview or the owner of the settings box; NULL when none was given.
    HWND window = nullptr;
};

// Reads the arguments after the module's path. Switches take '/' or '-' and any case; a window
// handle follows in decimal after a colon or blanks. Anything unrecognised asks for the settings.
SaverCommand ParseSaverCommandLine(const char* arguments);
