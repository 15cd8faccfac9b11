#include "system/SystemPath.h"

#include "framework/CFileFind.h"
#include "framework/SystemFunction.h"

#include <ctype.h>
#include <mbstring.h>
#include <string.h>

namespace {

const UINT kDirectorySize = kMaxPathBytes;

typedef BOOL(WINAPI* IsWow64ProcessFunction)(HANDLE, PBOOL);

BOOL RunsUnderWow64()
{
    // Looked up at run time: systems without it have no WoW64 either.
    const auto isWow64Process = SystemFunction<IsWow64ProcessFunction>("kernel32.dll", "IsWow64Process");
    BOOL wow64 = FALSE;
    return isWow64Process && isWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

// "C:\...", "C:..." and "\..." (UNC paths too) name their place themselves.
BOOL IsRelative(const char* path)
{
    return path[0] != '\\' && path[0] != '/' && !(path[0] != '\0' && path[1] == ':');
}

// Whether path lies in directory: the directory's text without regard to case, then a backslash.
BOOL IsWithin(const char* path, const char* directory)
{
    const size_t length = strlen(directory);
    return _mbsnbicmp(reinterpret_cast<const unsigned char*>(path), reinterpret_cast<const unsigned char*>(directory),
                      length) == 0 &&
           path[length] == '\\';
}

}  // namespace

CString ResolveSystemPath(const char* path)
{
    const char* text = path;
    while (isspace(static_cast<unsigned char>(*text)))
        ++text;
    char system[kDirectorySize] = {};
    const UINT length = GetSystemDirectoryA(system, kDirectorySize);
    if (*text == '\0' || length == 0 || length >= kDirectorySize)
        return path;
    const BOOL relative = IsRelative(text);
    const BOOL wow64 = RunsUnderWow64();
    if (!relative && !(wow64 && IsWithin(text, system)))
        return path;

    // What follows the system directory.
    CString rest;
    if (relative)
        rest.Format("\\%s", text);
    else
        rest = text + length;
    // Sysnative sits beside the system directory, in the Windows directory.
    const char* name = strrchr(system, '\\');
    CString resolved;
    if (wow64 && name)
        resolved.Format("%.*s\\Sysnative%s", static_cast<int>(name - system), system, static_cast<const char*>(rest));
    else
        resolved.Format("%s%s", system, static_cast<const char*>(rest));
    return resolved;
}

BOOL SaverModuleExists(CString path)
{
    path.TrimLeft();
    path.TrimRight();
    if (path.IsEmpty())
        return FALSE;
    CFileFind finder;
    return finder.FindFile(ResolveSystemPath(path), 0);
}
