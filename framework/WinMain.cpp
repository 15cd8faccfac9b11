// The program's entry point; linked into the executable itself, not the library.
#include "framework/CWinApp.h"
#include "framework/DllSearch.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    RestrictDllSearch();
    return AfxWinMain(instance);
}
