// Runs Dozewell Drift for scripts/bench.sh, which measures its processor time from outside (Wine
// reports no processor times of other processes): first as a preview in a window the size of the
// settings dialog's preview, then full screen, each for the given number of seconds.
//   drift_host.exe <seconds>
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

const int kPreviewWidth = 152;
const int kPreviewHeight = 112;

// Runs the saver next to this program with these arguments and its windows answering for a while.
void RunSaver(const char* arguments, DWORD seconds)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    *strrchr(path, '\\') = '\0';
    char commandLine[2 * MAX_PATH];
    _snprintf(commandLine, sizeof commandLine, "\"%s\\dozewell-drift.scr\" %s", path, arguments);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        printf("cannot start %s\n", commandLine);
        return;
    }
    const ULONGLONG end = GetTickCount64() + seconds * 1000;
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
    TerminateProcess(process.hProcess, 0);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
}

}  // namespace

int main(int argc, char** argv)
{
    const DWORD seconds = argc > 1 ? strtoul(argv[1], nullptr, 10) : 10;
    RECT area = { 0, 0, kPreviewWidth, kPreviewHeight };
    AdjustWindowRectEx(&area, WS_OVERLAPPEDWINDOW, FALSE, 0);
    HWND host = CreateWindowExA(0, "STATIC", "Preview host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0,
                                area.right - area.left, area.bottom - area.top, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    char preview[32];
    _snprintf(preview, sizeof preview, "/p %llu", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(host)));
    RunSaver(preview, seconds);
    DestroyWindow(host);
    RunSaver("/s", seconds);
    return 0;
}
