// Prints how long the catalogue takes to fill against the bare cost of reading the descriptions,
// how long a run of Dozewell takes against an empty program and how long its dialog takes to show, each
// beside another build's (the one given as argument). Run it in a prefix of its own: it installs modules into the
// system directory and sets the default screen saver.
#include <windows.h>

#include <algorithm>
#include <stdio.h>
#include <string>
#include <vector>

#include "framework/CListBox.h"
#include "manager/SaverManager.h"

namespace {

const int kFillRuns = 5;
const int kStartRuns = 21;
const int kModuleCounts[] = { 10, 100, 1000 };
const char kModulePrefix[] = "dozebench-";

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

template <typename Work> double MedianMs(int runs, Work work)
{
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        const double start = Now();
        work();
        samples.push_back(Now() - start);
    }
    return Median(samples);
}

std::string Directory(UINT(WINAPI* query)(LPSTR, UINT))
{
    char path[MAX_PATH] = {};
    query(path, MAX_PATH);
    return path;
}

std::string BinDir()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text = path;
    return text.substr(0, text.find_last_of('\\'));
}

void RemoveModules(const std::string& directory)
{
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((directory + "\\" + kModulePrefix + "*.scr").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do
        DeleteFileA((directory + "\\" + found.cFileName).c_str());
    while (FindNextFileA(find, &found));
    FindClose(find);
}

void InstallModules(const std::string& directory, int count)
{
    RemoveModules(directory);
    const std::string source = BinDir() + "\\bench_module.scr";
    for (int i = 0; i < count; ++i) {
        char name[32];
        snprintf(name, sizeof name, "%s%04d.scr", kModulePrefix, i);
        CopyFileA(source.c_str(), (directory + "\\" + name).c_str(), FALSE);
    }
}

// The floor: find every module in both directories and read its description, nothing more.
int ReadDescriptions(bool asData)
{
    int described = 0;
    for (const std::string& directory : { Directory(GetSystemDirectoryA), Directory(GetWindowsDirectoryA) }) {
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA((directory + "\\*.scr").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE)
            continue;
        do {
            const std::string path = directory + "\\" + found.cFileName;
            HMODULE module = asData ? LoadLibraryExA(path.c_str(), nullptr,
                                                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)
                                    : LoadLibraryA(path.c_str());
            if (!module)
                continue;
            char text[261] = {};
            LoadStringA(module, 1, text, 260);
            FreeLibrary(module);
            ++described;
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    return described;
}

void BenchmarkFill()
{
    HWND window = CreateWindowExA(0, "LISTBOX", "", WS_POPUP | LBS_NOINTEGRALHEIGHT, 0, 0, 200, 200, nullptr, nullptr,
                                  nullptr, nullptr);
    CListBox list;
    list.m_hWnd = window;
    const std::string systemDirectory = Directory(GetSystemDirectoryA);

    printf("Catalogue fill: FillSaverList into a hidden list box (median of %d runs)\n", kFillRuns);
    printf("%6s %10s %12s %10s %10s %11s %12s\n", "N", "fill ms", "us/module", "floor ms", "plain ms", "fill/floor",
           "plain/floor");
    for (int count : kModuleCounts) {
        InstallModules(systemDirectory, count);
        CSaverManager manager;
        const double fill = MedianMs(kFillRuns, [&] { manager.FillSaverList(&list); });
        const LRESULT lines = SendMessageA(window, LB_GETCOUNT, 0, 0);
        const double floor = MedianMs(kFillRuns, [] { ReadDescriptions(true); });
        const double plain = MedianMs(kFillRuns, [] { ReadDescriptions(false); });
        printf("%6d %10.1f %12.1f %10.1f %10.1f %11.2f %12.2f%s\n", count, fill, fill * 1000.0 / count, floor, plain,
               fill / floor, plain / floor, lines >= count ? "" : "  (lines missing!)");
    }
    RemoveModules(systemDirectory);
    DestroyWindow(window);
}

// A visible top-level window of the process, once found.
struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM search)
{
    auto* s = reinterpret_cast<WindowSearch*>(search);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != s->processId || !IsWindowVisible(window))
        return TRUE;
    s->found = window;
    return FALSE;
}

// Milliseconds from the start of the command until it ends or, asked so, until its first window shows (and is
// then closed); -1 when it does not start or shows no window.
double RunOnce(std::string commandLine, bool untilWindow = false)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const double start = Now();
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    WindowSearch search = { process.dwProcessId, nullptr };
    while (untilWindow && !search.found && WaitForSingleObject(process.hProcess, 1) == WAIT_TIMEOUT)
        EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
    if (!untilWindow)
        WaitForSingleObject(process.hProcess, INFINITE);
    const double elapsed = Now() - start;
    PostMessageA(search.found, WM_COMMAND, IDCANCEL, 0);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return untilWindow && !search.found ? -1 : elapsed;
}

// Each command run once, then kStartRuns times in turn, so that all meet the same load: their medians.
std::vector<double> MediansInTurn(const std::vector<std::string>& commandLines, bool untilWindow)
{
    std::vector<std::vector<double>> times(commandLines.size());
    for (const std::string& commandLine : commandLines)
        RunOnce(commandLine, untilWindow);
    for (int i = 0; i < kStartRuns; ++i) {
        for (size_t p = 0; p < commandLines.size(); ++p)
            times[p].push_back(RunOnce(commandLines[p], untilWindow));
    }
    std::vector<double> medians;
    for (const std::vector<double>& samples : times)
        medians.push_back(Median(samples));
    return medians;
}

void SetUserValue(const char* key, const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(handle, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(handle);
}

void BenchmarkStartUp(const char* other)
{
    // A run that shows nothing: the notice already shown, a default that ends at once.
    const DWORD shown = 1;
    SetUserValue("Software\\Quenbrook\\Dozewell\\Settings", "LockAlertDisplayed", REG_DWORD, &shown, sizeof shown);
    const std::string module = BinDir() + "\\bench_module.scr";
    SetUserValue("Control Panel\\Desktop", "SCRNSAVE.EXE", REG_SZ, module.c_str(),
                 static_cast<DWORD>(module.size() + 1));

    struct Program {
        const char* name;
        std::string commandLine;
    };
    std::vector<Program> programs = {
        { "dozewell.exe", "\"" + BinDir() + "\\dozewell.exe\"" },
        { "empty_program.exe", "\"" + BinDir() + "\\empty_program.exe\"" },
        { "launch_floor.exe", "\"" + BinDir() + "\\launch_floor.exe\" " + module },
    };
    if (other)
        programs.push_back({ "other dozewell.exe", "\"" + std::string(other) + "\"" });
    std::vector<std::string> commandLines;
    for (const Program& program : programs)
        commandLines.push_back(program.commandLine);
    const std::vector<double> medians = MediansInTurn(commandLines, false);
    printf("\nStart-up: whole process, run without a switch, in turn (median of %d runs each)\n", kStartRuns);
    printf("%20s %10s %16s\n", "program", "ms", "dozewell/this");
    for (size_t p = 0; p < programs.size(); ++p)
        printf("%20s %10.1f %16.2f\n", programs[p].name, medians[p], medians[0] / medians[p]);
    printf("(launch_floor.exe only hands the same module to the shell: the least such a run can cost)\n");
}

void BenchmarkDialog(const char* other)
{
    // From the start of program :settings until its dialog shows, filled.
    std::vector<std::string> programs = { BinDir() + "\\dozewell.exe" }, commandLines;
    if (other)
        programs.push_back(other);
    for (const std::string& program : programs)
        commandLines.push_back("\"" + program + "\" :settings");
    const std::vector<double> medians = MediansInTurn(commandLines, true);
    printf("\nDialog: from the start of dozewell.exe :settings until its dialog shows (median of %d runs each)\n",
           kStartRuns);
    printf("%10s %16s  program\n", "ms", "this/first");
    for (size_t p = 0; p < programs.size(); ++p)
        printf("%10.1f %16.2f  %s\n", medians[p], medians[p] / medians[0], programs[p].c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    BenchmarkFill();
    BenchmarkStartUp(argc > 1 ? argv[1] : nullptr);
    BenchmarkDialog(argc > 1 ? argv[1] : nullptr);
    return 0;
}
