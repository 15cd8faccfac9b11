#include "manager/SaverManager.h"

#include <shellapi.h>

#include "manager/ManagerIds.h"
#include "system/OsVersion.h"
#include "system/SaverPolicy.h"
#include "system/SystemPath.h"

namespace {

const UINT kSystemDirectorySize = kMaxPathBytes;
// Passed exactly so, leading blanks and all.
const char kVistaSettingsParameters[] = " desk.cpl,screensaver,@screensaver";
const char kSettingsParameters[] = " desk.cpl ,1";

}  // namespace

void CSaverManager::StartDefaultSaver()
{
    if (ReadSaverPolicy().saversOff) {
        AfxMessageBox(IDS_SAVERS_OFF, MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (IsDefaultSaverSet()) {
        CString path;
        GetDefaultSaverPath(path);
        ShellExecuteA(nullptr, "Open", ResolveSystemPath(path), nullptr, nullptr, SW_SHOW);
        return;
    }
    if (AfxMessageBox(IDS_NO_DEFAULT_PROMPT, MB_YESNO | MB_ICONQUESTION) == IDYES)
        OpenSaverSettings();
}

void CSaverManager::OpenSaverSettings()
{
    char systemDirectory[kSystemDirectorySize] = {};
    const UINT length = GetSystemDirectoryA(systemDirectory, kSystemDirectorySize);
    // No directory, or one that did not fit: there is no program to start.
    if (length == 0 || length >= kSystemDirectorySize)
        return;
    CString program;
    program.Format("%s\\control.exe", systemDirectory);
    const char* parameters = IsOsClassVista() == 1 ? kVistaSettingsParameters : kSettingsParameters;
    ShellExecuteA(nullptr, "Open", ResolveSystemPath(program), parameters, nullptr, SW_SHOW);
}
