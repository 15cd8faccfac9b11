#include "settings/SaverManager.h"

#include "settings/DesktopSettings.h"
#include "settings/RegistryKey.h"

namespace {

// String resource 1 is read into this many bytes: 259 characters and their NUL fit.
const int kDescriptionBufferSize = 260;

}  // namespace

CSaverManager::CSaverManager() : m_procInfo(), m_catalog(10)
{
}

CSaverManager::~CSaverManager()
{
    EndPreview();
}

void CSaverManager::EndPreview()
{
    if (!m_procInfo.hProcess)
        return;
    TerminateProcess(m_procInfo.hProcess, 0);
    CloseHandle(m_procInfo.hProcess);
    if (m_procInfo.hThread)
        CloseHandle(m_procInfo.hThread);
    m_procInfo = PROCESS_INFORMATION();
}

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
    return finder.FindFile(path, 0);
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

BOOL CSaverManager::GetSaverDescription(const char* modulePath, CString& description)
{
    char buffer[kDescriptionBufferSize + 1] = {};
    // Loaded as data so that no code in the module runs: any file named *.scr is read here.
    HMODULE module =
        LoadLibraryExA(modulePath, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module)
        return FALSE;
    ::LoadStringA(module, 1, buffer, kDescriptionBufferSize);
    FreeLibrary(module);
    description.Format("%s", buffer);
    return TRUE;
}
