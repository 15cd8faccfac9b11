#include "framework/DllSearch.h"

#include "framework/SystemFunction.h"

namespace {

typedef BOOL(WINAPI* SetDefaultDllDirectoriesFunction)(DWORD);
typedef BOOL(WINAPI* SetDllDirectoryFunction)(LPCSTR);

}  // namespace

void RestrictDllSearch()
{
    // Looked up at run time: the first is new in Windows 7 (with update KB2533623), the second in XP SP1.
    const auto setDefaultDllDirectories =
        SystemFunction<SetDefaultDllDirectoriesFunction>("kernel32.dll", "SetDefaultDllDirectories");
    if (setDefaultDllDirectories && setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32))
        return;
    // Older systems can only take the current folder out of the search; the program's own stays first.
    const auto setDllDirectory = SystemFunction<SetDllDirectoryFunction>("kernel32.dll", "SetDllDirectoryA");
    if (setDllDirectory)
        setDllDirectory("");
}
