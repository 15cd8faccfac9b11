// Where things are, and screen-saver modules placed for one test.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Windows paths, without a trailing backslash.
std::string BinDir();
std::string SystemDir();
std::string WindowsDir();
std::string FileText(const std::string& path);

// A copy of a fixture (by default the logging screen saver) at path, with its string 1 set when a
// description is given; removed with its log, and any process run from it ended, when the object goes.
class PlacedFile {
public:
    explicit PlacedFile(std::string path, const char* description = nullptr,
                        const std::string& fixture = "saver_fixture.scr");
    PlacedFile(const PlacedFile&) = delete;
    PlacedFile& operator=(const PlacedFile&) = delete;
    ~PlacedFile();
    // How the module was started, oldest first: the process, its show command (-1 when none was given) and its
    // command line.
    struct Start {
        DWORD process;
        int show;
        std::string commandLine;
    };
    std::vector<Start> Starts() const;
    // Waits until the module has been started count times; false on timeout.
    bool WaitForStarts(size_t count) const;
    // The ids of the processes run from this file that still run.
    std::vector<DWORD> Running() const;

    const std::string path;
};

// A folder of its own, removed with what is in it.
class ScratchDir {
public:
    ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    ~ScratchDir();

    const std::string path;
};
