// The default screen saver: the one that Windows will run, as a policy forces it or else as the
// user's desktop settings name it.
#include "manager/SaverManager.h"

#include "system/DesktopSettings.h"
#include "system/RegistryKey.h"
#include "system/SaverPolicy.h"
#include "system/SystemPath.h"

BOOL CSaverManager::IsDefaultSaverSet()
{
    CString path;
    GetDefaultSaverPath(path);
    return SaverModuleExists(path);
}

void CSaverManager::GetDefaultSaverPath(CString& path)
{
    // Windows ignores the user's value while a policy forces a module that is installed.
    path = ReadSaverPolicy().forcedSaver;
    if (!path.IsEmpty())
        return;
    CRegistryKey key;
    if (key.Open(kDesktopRoot, kDesktopKey))
        key.QueryPath(kDefaultSaverValue, path);
}

void CSaverManager::GetDefaultSaverDescription(CString& description)
{
    description.Empty();
    CString path;
    GetDefaultSaverPath(path);
    if (!path.IsEmpty())
        GetSaverDescription(path, description);
}
