// The user's default screen saver, as the system's desktop settings name it.
#include "manager/SaverManager.h"

#include "system/DesktopSettings.h"
#include "system/RegistryKey.h"
#include "system/SystemPath.h"

BOOL CSaverManager::IsDefaultSaverSet()
{
    CRegistryKey key;
    if (!key.Open(kDesktopRoot, kDesktopKey))
        return FALSE;
    CString path;
    key.QueryString(kDefaultSaverValue, path);
    path.TrimLeft();
    path.TrimRight();
    if (path.IsEmpty())
        return FALSE;
    CFileFind finder;
    return finder.FindFile(ResolveSystemPath(path), 0);
}

void CSaverManager::GetDefaultSaverPath(CString& path)
{
    path.Empty();
    CRegistryKey key;
    if (key.Open(kDesktopRoot, kDesktopKey))
        key.QueryString(kDefaultSaverValue, path);
}

void CSaverManager::GetDefaultSaverDescription(CString& description)
{
    description.Empty();
    CString path;
    GetDefaultSaverPath(path);
    if (!path.IsEmpty())
        GetSaverDescription(path, description);
}
