#include "support/TestFiles.h"

#include <windows.h>

#include <stdlib.h>

#include <gtest/gtest.h>

namespace {

std::string DirectoryOf(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string child = path + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    RemoveDirectoryA(path.c_str());
}

}  // namespace

std::string BinDir()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return DirectoryOf(path);
}

std::string FixturePath(const std::string& name)
{
    return BinDir() + "\\fixtures\\" + name;
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

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadTextFile(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "";
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        text.append(buffer, read);
    CloseHandle(file);
    return text;
}

void WriteTextFile(const std::string& path, const std::string& text)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

std::string WaitForFileText(const std::string& path, const std::string& needle, unsigned timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    do {
        const std::string text = ReadTextFile(path);
        if (!text.empty() && text.find(needle) != std::string::npos)
            return text;
        Sleep(50);
    } while (GetTickCount64() < deadline);
    return "";
}

std::vector<FixtureStart> ReadFixtureLog(const std::string& logPath)
{
    std::vector<FixtureStart> starts;
    const std::string text = ReadTextFile(logPath);
    size_t begin = 0;
    for (size_t end = text.find('\n'); end != std::string::npos; begin = end + 1, end = text.find('\n', begin)) {
        const std::string line = text.substr(begin, end - begin);
        const size_t tab = line.find('\t');
        if (tab != std::string::npos)
            starts.push_back({ static_cast<DWORD>(strtoul(line.c_str(), nullptr, 10)), line.substr(tab + 1) });
    }
    return starts;
}

void DeleteWithLog(const std::string& path)
{
    DeleteFileA(path.c_str());
    DeleteFileA((path + ".log").c_str());
}

ScratchDir::ScratchDir()
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    static unsigned counter = 0;
    m_path = std::string(temp) + "dozewell-test-" + std::to_string(GetCurrentProcessId()) + "-" +
             std::to_string(++counter);
    RemoveTree(m_path);
    CreateDirectoryA(m_path.c_str(), nullptr);
}

ScratchDir::~ScratchDir()
{
    RemoveTree(m_path);
}

std::string ScratchDir::AddFixture(const std::string& fixture, const std::string& name) const
{
    const std::string path = m_path + "\\" + name;
    EXPECT_TRUE(CopyFileA(FixturePath(fixture).c_str(), path.c_str(), FALSE)) << fixture << " -> " << path;
    return path;
}

InstalledFile::InstalledFile(const std::string& fixture, const std::string& path) : m_path(path)
{
    DeleteFileA(LogPath().c_str());
    if (FileExists(m_path))
        m_backedUp = MoveFileExA(m_path.c_str(), BackupPath().c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
    EXPECT_TRUE(CopyFileA(FixturePath(fixture).c_str(), m_path.c_str(), FALSE)) << fixture << " -> " << path;
}

InstalledFile::~InstalledFile()
{
    DeleteWithLog(m_path);
    if (m_backedUp)
        MoveFileExA(BackupPath().c_str(), m_path.c_str(), MOVEFILE_REPLACE_EXISTING);
}
