#include "app/CommonControls.h"

#include <commctrl.h>

namespace {

typedef BOOL(WINAPI* InitCommonControlsExFunction)(const INITCOMMONCONTROLSEX*);

}  // namespace

// Loaded at run time, and only where a window needs them: loading them takes longer than the
// whole of a run that starts the screen saver.
CommonControls::CommonControls() : m_module(LoadLibraryA("comctl32.dll"))
{
    if (!m_module)
        return;
    const auto initCommonControlsEx = reinterpret_cast<InitCommonControlsExFunction>(
        reinterpret_cast<void*>(GetProcAddress(m_module, "InitCommonControlsEx")));
    if (!initCommonControlsEx)
        return;
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_WIN95_CLASSES;
    initCommonControlsEx(&controls);
}

CommonControls::~CommonControls()
{
    if (m_module)
        FreeLibrary(m_module);
}
