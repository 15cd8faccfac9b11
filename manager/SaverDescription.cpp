// A screen saver's description: string resource 1 of its module.
#include "manager/SaverManager.h"

#include "system/SystemPath.h"

namespace {

// String resource 1 is read into this many bytes: 259 characters and their NUL fit.
const int kDescriptionBufferSize = 260;

}  // namespace

BOOL CSaverManager::GetSaverDescription(const char* modulePath, CString& description)
{
    char buffer[kDescriptionBufferSize + 1] = {};
    const CString path = ResolveSystemPath(modulePath);
    // Loaded as data so that no code in the module runs: any file named *.scr is read here. Windows
    // before Vista refuses LOAD_LIBRARY_AS_IMAGE_RESOURCE; a plain data file serves there.
    HMODULE module = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module)
        module = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return FALSE;
    ::LoadStringA(module, 1, buffer, kDescriptionBufferSize);
    FreeLibrary(module);
    description.Format("%s", buffer);
    return TRUE;
}
