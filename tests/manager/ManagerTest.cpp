// The screen-saver manager in the test process, against the real registry, files and processes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/CListBox.h"
#include "framework/CWnd.h"
#include "manager/SaverManager.h"
#include "support/Harness.h"

namespace {

class Manager : public ::testing::Test {
protected:
    Manager()
    {
        window.m_hWnd = host.handle;
        list.m_hWnd = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | LBS_NOTIFY, 0, 0, 200, 200, host.handle, nullptr,
                                      nullptr, nullptr);
    }
    void SetDefault(const std::string& path) { SetText(kDesktopKey, kSaverValue, path); }

    const std::string temp = BinDir();
    TestWindow host;  // for previews, and the parent of the list
    CWnd window;
    CListBox list;
    CSaverManager manager;
};

TEST_F(Manager, CountsADefaultAsSetWhenItNamesAnythingThatExistsAndReadsString1OfAModuleAsData)
{
    PlacedFile saver(temp + "\\alpha.scr", "Alpha");
    // A bare name is the system directory's module, never one where this program or the current folder is.
    PlacedFile bare(SystemDir() + "\\dozewell-bare.scr", "Bare"), planted(temp + "\\dozewell-bare.scr", "Planted"),
        plantedHere("dozewell-bare.scr", "Planted"), onlyHere("dozewell-planted.scr", "Planted");
    // The value as REG_SZ, the path as stored; or no value.
    const struct {
        bool exists;
        BOOL set;
        std::string path;
        const char* description;
    } cases[] = { { true, TRUE, saver.path, "Alpha" },
                  { true, TRUE, "  " + saver.path + " \t", "" },
                  { true, TRUE, temp, "" },
                  { true, TRUE, "dozewell-bare.scr", "Bare" },
                  { true, FALSE, "dozewell-planted.scr", "" },
                  { true, FALSE, temp + "\\missing.scr", "" },
                  { true, FALSE, "", "" },
                  { false, FALSE, "", "" } };
    for (const auto& c : cases) {
        c.exists ? SetDefault(c.path) : DeleteValue(kDesktopKey, kSaverValue);
        EXPECT_EQ(manager.IsDefaultSaverSet(), c.set) << c.path;
        CString path("old"), description("old");
        manager.GetDefaultSaverPath(path);
        EXPECT_EQ(std::string(path), c.path);
        manager.GetDefaultSaverDescription(description);
        EXPECT_EQ(std::string(description), c.description) << c.path;
    }
    // The preview and the full-screen start take a bare name in the system directory too.
    SetDefault("dozewell-bare.scr");
    manager.StartPreview(&window);
    manager.StartDefaultSaver();
    EXPECT_TRUE(WaitUntil([&] { return bare.Starts().size() == 2; })) << "the system directory's module ran not twice";
    EXPECT_TRUE(planted.Starts().empty() && plantedHere.Starts().empty()) << "a planted module ran";

    // A description is string 1 of a module, read as data, of any module and nothing else.
    const std::string longText(300, 'x');
    PlacedFile plain(temp + "\\plain.scr", "100% Pure %s Saver"), longer(temp + "\\long.scr", longText.c_str()),
        library(temp + "\\library.scr", "Library", "dll_fixture.scr");
    // The module and its description; one that cannot be read leaves the text as it was, "old".
    const std::string modules[][2] = { { plain.path, "100% Pure %s Saver" },
                                       { longer.path, longText.substr(0, 259) },
                                       { library.path, "Library" },
                                       // The 32-bit build's: a module of the other architecture is read as data
                                       // all the same.
                                       { BinDir() + "\\..\\..\\x86\\bin\\dozewell-drift.scr", "Dozewell Drift" },
                                       { temp + "\\missing.scr", "old" } };
    for (const auto& c : modules) {
        CString description("old");
        EXPECT_EQ(manager.GetSaverDescription(c[0].c_str(), description), c[1] != "old") << c[0];
        EXPECT_EQ(std::string(description), c[1]) << c[0];
    }
    EXPECT_EQ(GetFileAttributesA((library.path + ".marker").c_str()), INVALID_FILE_ATTRIBUTES)
        << "the module's code ran while it was being described";
    DeleteFileA((library.path + ".marker").c_str());
}

TEST_F(Manager, ListsTheModulesNamedScrOfBothDirectoriesSelectsTheDefaultsWholeLineAndWritesAChoiceAsItsPath)
{
    const std::string system = SystemDir(), windows = WindowsDir(), folder = system + "\\dozewell-folder.scr";
    PlacedFile lines(system + "\\dozewell-lines.scr", "Lines"), bare(system + "\\dozewell-bare.scr"),
        twin(windows + "\\dozewell-lines.scr", "Lines"), lower(windows + "\\dozewell-lower.scr", "lines"),
        deluxe(system + "\\dozewell-deluxe.scr", "Lines Deluxe"), other(system + "\\dozewell-other.scx", "Other"),
        text(system + "\\dozewell-text.scr", nullptr, "text.scr"), locked(system + "\\dozewell-locked.scr", "Locked");
    HANDLE lock = CreateFileA(locked.reached.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileAttributesA(lines.reached.c_str(), FILE_ATTRIBUTE_READONLY);
    CreateDirectoryA(Reach(folder).c_str(), nullptr);
    SendMessageA(list.m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("stale line"));
    manager.FillSaverList(&list);
    CloseHandle(lock);
    SetFileAttributesA(lines.reached.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(Reach(folder).c_str());
    std::vector<std::string> entries = Entries(manager.GetSaverMap()), descriptions,
                             expected = { twin.path + "=Lines", lower.path + "=lines", bare.path + "=",
                                          deluxe.path + "=Lines Deluxe", lines.path + "=Lines" };
    for (const std::string& entry : entries)
        descriptions.push_back(entry.substr(entry.find('=') + 1));
    const std::vector<std::string> shown = Lines(list.m_hWnd);
    EXPECT_EQ(shown, descriptions) << "the list shows the descriptions in the catalogue's order";
    std::sort(expected.begin(), expected.end());
    std::vector<std::string> sorted = entries;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, expected);

    // The default, and the line selected ("": none).
    const std::string cases[][2] = {
        { lines.path, "Lines" }, { lower.path, "lines" }, { deluxe.path, "Lines Deluxe" }, { bare.path, "" }
    };
    for (const auto& c : cases) {
        SendMessageA(list.m_hWnd, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        SetDefault(c[0]);
        manager.SelectDefaultInList(&list);
        const auto first = std::find(shown.begin(), shown.end(), c[1]) - shown.begin();
        EXPECT_EQ(SendMessageA(list.m_hWnd, LB_GETCURSEL, 0, 0), c[1].empty() ? LB_ERR : first) << c[0];
    }
    // Of two equal descriptions, the first in the catalogue is written, as its path, as REG_SZ.
    const auto at = [&](const PlacedFile& file) {
        return std::find(entries.begin(), entries.end(), file.path + "=Lines");
    };
    const std::string firstLines = at(lines) < at(twin) ? lines.path : twin.path;
    EXPECT_TRUE(manager.SetDefaultSaver("Lines"));
    EXPECT_EQ(ReadValue(kDesktopKey, kSaverValue).type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(DefaultSaver(), firstLines);
    EXPECT_FALSE(manager.SetDefaultSaver("LINES"));
    EXPECT_FALSE(manager.SetDefaultSaver("Line"));
    EXPECT_EQ(DefaultSaver(), firstLines);
    CString path("old");
    EXPECT_STREQ(manager.FindSaverPath("Nothing", path), "");

    // A drive root already ends in its backslash.
    PlacedFile atRoot("C:\\dozewell-root.scr", "Root");
    manager.ScanSaverDirectory("C:\\");
    EXPECT_EQ(Entries(manager.GetSaverMap()).back(), "C:\\dozewell-root.scr=Root");
}

// A closed handle names nothing, or by now another process or thread.
bool Released(const PROCESS_INFORMATION& run)
{
    return GetProcessId(run.hProcess) != run.dwProcessId && GetThreadId(run.hThread) != run.dwThreadId;
}

TEST_F(Manager, RunsTheDefaultInTheWindowEndingAndReleasingThePreviousRunOfEveryKind)
{
    // Previews that draw and run, end at once, hang, or cannot start; each replaced, and ended with its manager.
    for (const std::string name : { "my saver.scr", "exits.scr", "hangs.scr", "missing.scr" }) {
        PlacedFile saver(temp + "\\" + name, "Odd"), next(temp + "\\next.scr", "Next");
        if (name == "missing.scr")
            DeleteFileA(saver.path.c_str());
        PROCESS_INFORMATION last = {};
        {
            CSaverManager owner;
            for (const PlacedFile* run : { &saver, &next, &saver }) {
                SetDefault(run->path);
                owner.StartPreview(&window);
                EXPECT_TRUE(!last.hProcess || Released(last)) << name << ": the previous run's handles were kept";
                last = owner.m_procInfo;
                const bool started = run == &next || name != "missing.scr";
                EXPECT_EQ(last.hProcess && last.hThread, started) << name;
                const std::string command =
                    "\"" + run->path + "\" /p " + std::to_string(reinterpret_cast<UINT_PTR>(host.handle));
                EXPECT_TRUE(!started || WaitUntil([&] {
                    return !run->Starts().empty() && run->Starts().back().commandLine == command;
                })) << command;
                EXPECT_TRUE((run != &next && name != "my saver.scr") || WaitForWindow(last.dwProcessId, host.handle))
                    << "the preview drew nothing";
                // TerminateProcess only starts the end of the previous run: its end is waited for.
                const PlacedFile& other = run == &next ? saver : next;
                EXPECT_TRUE(WaitUntil([&] { return other.Running().empty(); })) << name << ": the previous run goes on";
            }
            SetDefault("");
            owner.StartPreview(&window);
            EXPECT_EQ(owner.m_procInfo.hProcess, last.hProcess) << name << ": a preview was replaced by no default";
        }
        EXPECT_TRUE(!last.hProcess || Released(last)) << name << ": its handles outlived the manager";
        EXPECT_TRUE(WaitUntil([&] { return saver.Running().empty() && next.Running().empty(); }))
            << name << " was not ended with its manager";
    }

    // No window: the handle is 0.
    PlacedFile saver(temp + "\\my saver.scr", "Mine");
    SetDefault(saver.path);
    manager.StartPreview(nullptr);
    ASSERT_TRUE(WaitUntil([&] { return saver.Starts().size() == 1; }));
    EXPECT_EQ(saver.Starts().back().commandLine, "\"" + saver.path + "\" /p 0");
}

}  // namespace
