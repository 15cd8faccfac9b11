#include <algorithm>
#include <string>
#include <vector>

#include "framework/CListBox.h"
#include "manager/ManagerTest.h"

namespace {

// The catalogue as "path=description", in the map's order.
std::vector<std::string> Entries(CSaverManager& manager)
{
    std::vector<std::string> entries;
    CString path, description;
    for (POSITION pos = manager.GetSaverMap().GetStartPosition(); pos;) {
        manager.GetSaverMap().GetNextAssoc(pos, path, description);
        entries.push_back(std::string(path) + "=" + std::string(description));
    }
    return entries;
}

class Catalogue : public Manager {
protected:
    Catalogue()
    {
        list.m_hWnd = CreateWindowExA(0, "LISTBOX", "", LBS_NOTIFY, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    }
    ~Catalogue() override { DestroyWindow(list.m_hWnd); }

    CListBox list;
};

TEST_F(Catalogue, HoldsTheModulesNamedScrOfTheSystemAndWindowsDirectories)
{
    const std::string system = SystemDir(), windows = WindowsDir(), folder = system + "\\dozewell-folder.scr";
    PlacedFile alpha(system + "\\dozewell-alpha.scr", "Alpha"), bare(system + "\\dozewell-bare.scr"),
        twin(windows + "\\dozewell-alpha.scr", "Alpha"), beta(windows + "\\dozewell-beta.scr", "Beta"),
        exe(system + "\\dozewell-other.exe", "Other"), text(system + "\\dozewell-text.scr", nullptr, "text.scr"),
        locked(system + "\\dozewell-locked.scr", "Locked");
    HANDLE lock = CreateFileA(locked.path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    SendMessageA(list.m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("stale line"));
    manager.FillSaverList(&list);
    CloseHandle(lock);
    RemoveDirectoryA(folder.c_str());
    std::vector<std::string> entries = Entries(manager), descriptions;
    for (const std::string& entry : entries)
        descriptions.push_back(entry.substr(entry.find('=') + 1));
    EXPECT_EQ(Lines(list.m_hWnd), descriptions) << "the list shows the descriptions in the catalogue's order";
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, std::vector<std::string>(
                           { twin.path + "=Alpha", beta.path + "=Beta", alpha.path + "=Alpha", bare.path + "=" }));

    // A drive root already ends in its backslash.
    PlacedFile atRoot("C:\\dozewell-root.scr", "Root");
    manager.ScanSaverDirectory("C:\\");
    EXPECT_EQ(Entries(manager).back(), "C:\\dozewell-root.scr=Root");
}

TEST_F(Catalogue, SelectsTheDefaultsWholeLineAndWritesAChoiceAsItsPath)
{
    const std::string system = SystemDir();
    PlacedFile deluxe(system + "\\dozewell-deluxe.scr", "Lines Deluxe"),
        lower(system + "\\dozewell-lower.scr", "lines"), lines(system + "\\dozewell-lines.scr", "Lines"),
        twin(WindowsDir() + "\\dozewell-lines.scr", "Lines"), bare(system + "\\dozewell-bare.scr");
    manager.FillSaverList(&list);
    const std::vector<std::string> shown = Lines(list.m_hWnd);
    const struct {
        std::string defaultPath;
        std::string selected;  // "": no line
    } cases[] = {
        { lines.path, "Lines" }, { lower.path, "lines" }, { deluxe.path, "Lines Deluxe" }, { bare.path, "" }
    };
    for (const auto& c : cases) {
        SendMessageA(list.m_hWnd, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        SetDefault(c.defaultPath);
        manager.SelectDefaultInList(&list);
        const LRESULT index = SendMessageA(list.m_hWnd, LB_GETCURSEL, 0, 0);
        EXPECT_EQ(index < 0 ? "" : shown[index], c.selected) << c.defaultPath;
    }

    // Of two equal descriptions, the first in the catalogue is written, as its path, as REG_SZ.
    const auto entries = Entries(manager);
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
}

}  // namespace
