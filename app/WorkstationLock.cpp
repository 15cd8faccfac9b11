#include "app/SaverApp.h"

namespace {

typedef BOOL(WINAPI* LockWorkStationFunction)();

}  // namespace

BOOL CSaverApp::LockComputer()
{
    // Looked up at run time: older systems have no such function.
    HMODULE user32 = GetModuleHandleA("user32.dll");
    if (!user32)
        return FALSE;
    const auto lockWorkStation =
        reinterpret_cast<LockWorkStationFunction>(reinterpret_cast<void*>(GetProcAddress(user32, "LockWorkStation")));
    if (!lockWorkStation)
        return FALSE;
    return lockWorkStation();
}
