// A screen saver's description: string resource 1 of its module.
#include "manager/SaverManager.h"

#include "system/SystemPath.h"

namespace {

// String resource 1 is cut to this many characters, counted in UTF-16 units as the resource holds them.
const int kDescriptionChars = 259;
// They take up to 3 bytes each in UTF-8, 1 or 2 in the other ANSI code pages; the NUL follows.
const int kDescriptionBytes = kDescriptionChars * 3 + 1;

// Cuts text after its first kDescriptionChars characters, never between the two halves of a pair.
void CutToDescriptionLength(char* text)
{
    wchar_t wide[kDescriptionBytes] = {};
    const int units = MultiByteToWideChar(CP_ACP, 0, text, -1, wide, kDescriptionBytes) - 1;
    if (units <= kDescriptionChars)
        return;
    const int kept = IS_HIGH_SURROGATE(wide[kDescriptionChars - 1]) ? kDescriptionChars - 1 : kDescriptionChars;
    text[WideCharToMultiByte(CP_ACP, 0, wide, kept, nullptr, 0, nullptr, nullptr)] = '\0';
}

}  // namespace

BOOL CSaverManager::GetSaverDescription(const char* modulePath, CString& description)
{
    char buffer[kDescriptionBytes + 1] = {};
    const CString path = ResolveSystemPath(modulePath);
    // Loaded as data so that no code in the module runs: any file named *.scr is read here. Windows
    // before Vista refuses LOAD_LIBRARY_AS_IMAGE_RESOURCE; a plain data file serves there.
    HMODULE module = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module)
        module = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return FALSE;
    ::LoadStringA(module, 1, buffer, kDescriptionBytes);
    FreeLibrary(module);
    CutToDescriptionLength(buffer);
    description.Format("%s", buffer);
    return TRUE;
}
