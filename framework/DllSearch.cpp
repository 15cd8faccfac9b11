#include "framework/DllSearch.h"

#include <windows.h>

namespace {

typedef BOOL(WINAPI* SetDefaultDllDirectoriesFunction)(DWORD);
typedef BOOL(WINAPI* SetDllDirectoryFunction)(LPCSTR);

FARPROC Kernel32Function(const char* name)
{
    // Looked up at run time: the first is new in Windows 7 (with update KB2533623), the second in XP SP1.
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    return kernel32 ? GetProcAddress(kernel32, name) : nullptr;
}

}  // namespace

void RestrictDllSearch()
{
    const auto setDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        reinterpret_cast<void*>(Kernel32Function("SetDefaultDllDirectories")));
    if (setDefaultDllDirectories && setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32))
        return;
    // Older systems can only take the current folder out of the search; the program's own stays first.
    const auto setDllDirectory =
        reinterpret_cast<SetDllDirectoryFunction>(reinterpret_cast<void*>(Kernel32Function("SetDllDirectoryA")));
    if (setDllDirectory)
        setDllDirectory("");
}
