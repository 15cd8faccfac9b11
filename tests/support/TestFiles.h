// Files for the tests: where things are, scratch folders, fixtures installed for one test.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Windows paths, without a trailing backslash.
std::string BinDir();
std::string FixturePath(const std::string& name);
std::string SystemDir();
std::string WindowsDir();

bool FileExists(const std::string& path);
// The whole file, or "" when it cannot be read.
std::string ReadTextFile(const std::string& path);
void WriteTextFile(const std::string& path, const std::string& text);
// Waits until the file holds text containing needle (any text when needle is empty); returns the
// text, or "" on timeout.
std::string WaitForFileText(const std::string& path, const std::string& needle = "",
                            unsigned timeoutMs = 10000);
// One start of a fixture, as its log records it.
struct FixtureStart {
    DWORD processId;
    std::string commandLine;
};
// The starts in a fixture's log, oldest first; none when there is no log.
std::vector<FixtureStart> ReadFixtureLog(const std::string& logPath);
// Deletes a file and the log that a fixture may have written beside it.
void DeleteWithLog(const std::string& path);

// A folder of its own under the temp folder, removed with everything in it.
class ScratchDir {
public:
    ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    ~ScratchDir();
    const std::string& Path() const { return m_path; }
    // Copies a fixture in under a name of our choice; returns its full path.
    std::string AddFixture(const std::string& fixture, const std::string& name) const;

private:
    std::string m_path;
};

// A fixture copied to a path for the life of the object (its log goes with it); a file that was
// there before is put back afterwards.
class InstalledFile {
public:
    InstalledFile(const std::string& fixture, const std::string& path);
    InstalledFile(const InstalledFile&) = delete;
    InstalledFile& operator=(const InstalledFile&) = delete;
    ~InstalledFile();
    const std::string& Path() const { return m_path; }
    std::string LogPath() const { return m_path + ".log"; }

private:
    std::string BackupPath() const { return m_path + ".dozewell-backup"; }

    std::string m_path;
    bool m_backedUp = false;
};
