#include "support/Files.h"

#include <shellapi.h>
#include <stdlib.h>

#include "support/Processes.h"

namespace {

std::string NameOf(const std::string& path)
{
    return path.substr(path.find_last_of('\\') + 1);
}

// String 1 is the second of the sixteen counted UTF-16 strings of string block 1.
void SetDescription(const std::string& path, const char* description)
{
    std::wstring text(strlen(description) + 1, L'\0');
    text.resize(MultiByteToWideChar(CP_UTF8, 0, description, -1, &text[0], static_cast<int>(text.size())) - 1);
    std::wstring block(1, L'\0');
    block += static_cast<wchar_t>(text.size()) + text + std::wstring(14, L'\0');
    HANDLE update = BeginUpdateResourceA(path.c_str(), FALSE);
    UpdateResourceA(update, RT_STRING, MAKEINTRESOURCEA(1), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), &block[0],
                    static_cast<DWORD>(block.size() * sizeof(wchar_t)));
    EndUpdateResourceA(update, FALSE);
}

}  // namespace

std::string BinDir()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string self = path;
    return self.substr(0, self.find_last_of('\\'));
}

std::string SystemDir()
{
    char path[MAX_PATH] = {};
    GetSystemDirectoryA(path, MAX_PATH);
    return path;
}

std::string WindowsDir()
{
    char path[MAX_PATH] = {};
    GetWindowsDirectoryA(path, MAX_PATH);
    return path;
}

std::string FileText(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "";
    std::string text(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, &text[0], static_cast<DWORD>(text.size()), &read, nullptr);
    CloseHandle(file);
    text.resize(read);
    return text;
}

PlacedFile::PlacedFile(std::string path_, const char* description, const std::string& fixture) : path(path_)
{
    CopyFileA((BinDir() + "\\fixtures\\" + fixture).c_str(), path.c_str(), FALSE);
    if (description)
        SetDescription(path, description);
}

PlacedFile::~PlacedFile()
{
    for (DWORD id : Running())
        EndProcess(id);
    DeleteFileA(path.c_str());
    DeleteFileA((path + ".log").c_str());
}

std::vector<PlacedFile::Start> PlacedFile::Starts() const
{
    std::vector<Start> starts;
    const std::string log = FileText(path + ".log");
    for (size_t at = 0, end; (end = log.find('\n', at)) != std::string::npos; at = end + 1) {
        char* rest = nullptr;
        const DWORD process = strtoul(log.c_str() + at, &rest, 10);
        const int show = static_cast<int>(strtol(rest, &rest, 10));
        starts.push_back({ process, show, log.substr(rest + 1 - log.c_str(), end - (rest + 1 - log.c_str())) });
    }
    return starts;
}

bool PlacedFile::WaitForStarts(size_t count) const
{
    return WaitUntil([&] { return Starts().size() >= count; });
}

std::vector<DWORD> PlacedFile::Running() const
{
    return ProcessesNamed(NameOf(path));
}

namespace {

std::string NewScratchPath()
{
    static int made = 0;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return temp + std::string("dozewell-") + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++made);
}

}  // namespace

ScratchDir::ScratchDir() : path(NewScratchPath())
{
    CreateDirectoryA(path.c_str(), nullptr);
}

ScratchDir::~ScratchDir()
{
    std::string from = path + '\0';
    SHFILEOPSTRUCTA remove = {};
    remove.wFunc = FO_DELETE;
    remove.pFrom = from.c_str();
    remove.fFlags = FOF_NO_UI;
    SHFileOperationA(&remove);
}
