// A screen-saver module: "/s" full screen, "/p <window>" a preview inside that window, "/c" or
// nothing a box saying there is nothing to set.
#include <windows.h>

#include "drift/SaverCommandLine.h"
#include "drift/SaverResources.h"
#include "drift/SaverWindow.h"
#include "framework/DllSearch.h"
#include "framework/ResourceMessageBox.h"

namespace {

const int kCannotStart = 1;

void ShowNoSettings(HINSTANCE instance, HWND owner)
{
    // A handle that is no window (any more) would make the box fail: show it on its own instead.
    ResourceMessageBox(instance, IsWindow(owner) ? owner : nullptr, IDS_NO_SETTINGS, IDS_DESCRIPTION,
                       MB_OK | MB_ICONINFORMATION);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int)
{
    RestrictDllSearch();
    const SaverCommand command = ParseSaverCommandLine(arguments);
    if (command.mode == SaverMode::Configure) {
        ShowNoSettings(instance, command.window);
        return 0;
    }
    CSaverWindow window(instance);
    const BOOL created =
        command.mode == SaverMode::FullScreen ? window.CreateFullScreen() : window.CreatePreview(command.window);
    if (!created)
        return kCannotStart;
    return window.Run();
}
