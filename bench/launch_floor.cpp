// The least a run that starts a screen saver must do: hand the module named on the command line
// to the shell, and end.
#include <windows.h>

#include <shellapi.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    ShellExecuteA(nullptr, "Open", commandLine, nullptr, nullptr, SW_SHOW);
    return 0;
}
