#include "app/SaverApp.h"

#include "framework/SystemFunction.h"

namespace {

typedef BOOL(WINAPI* LockWorkStationFunction)();

}  // namespace

BOOL CSaverApp::LockComputer()
{
    // Looked up at run time: older systems have no such function.
    const auto lockWorkStation = SystemFunction<LockWorkStationFunction>("user32.dll", "LockWorkStation");
    if (!lockWorkStation)
        return FALSE;
    return lockWorkStation();
}
