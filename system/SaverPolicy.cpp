#include "system/SaverPolicy.h"

#include "system/DesktopSettings.h"
#include "system/RegistryKey.h"
#include "system/SystemPath.h"

namespace {

const char kDesktopPolicyKey[] = "Software\\Policies\\Microsoft\\Windows\\Control Panel\\Desktop";
const char kSaverActiveValue[] = "ScreenSaveActive";
const char kSystemPolicyKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
const char kNoSaverPageValue[] = "NoDispScrSavPage";

}  // namespace

SaverPolicy ReadSaverPolicy()
{
    SaverPolicy policy;
    // Policy keys are writable by administrators alone: a standard user may open them only to read.
    CRegistryKey desktop;
    if (desktop.Open(HKEY_CURRENT_USER, kDesktopPolicyKey, KEY_READ)) {
        // Windows ignores a forced module that is not installed, and so a blank one.
        desktop.QueryPath(kDefaultSaverValue, policy.forcedSaver);
        if (!SaverModuleExists(policy.forcedSaver))
            policy.forcedSaver.Empty();
        // Set as the text "0" or the number 0; "1", other kinds and other texts leave screen savers on.
        CString text;
        DWORD type = REG_NONE;
        DWORD active = 1;
        policy.saversOff = (desktop.QueryString(kSaverActiveValue, text, &type) && type == REG_SZ && text == "0") ||
                           (desktop.QueryNumber(kSaverActiveValue, active) && active == 0);
    }
    CRegistryKey system;
    DWORD forbidden = 0;
    policy.changeForbidden = system.Open(HKEY_CURRENT_USER, kSystemPolicyKey, KEY_READ) &&
                             system.QueryNumber(kNoSaverPageValue, forbidden) && forbidden != 0;
    return policy;
}
