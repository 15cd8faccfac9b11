#include <map>
#include <string>
#include <vector>

#include "framework/CListBox.h"
#include "manager/ManagerTest.h"

namespace {

// The catalogue as (path, description) pairs, in the map's order.
std::vector<std::pair<std::string, std::string>> Entries(CSaverManager& manager)
{
    std::vector<std::pair<std::string, std::string>> entries;
    CString path, description;
    for (POSITION pos = manager.GetSaverMap().GetStartPosition(); pos;) {
        manager.GetSaverMap().GetNextAssoc(pos, path, description);
        entries.emplace_back(std::string(path), std::string(description));
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
    std::vector<std::string> ListLines() const { return Lines(list.m_hWnd); }

    CListBox list;
};

TEST_F(Catalogue, HoldsTheLoadableScrFilesOfTheSystemAndWindowsDirectories)
{
    const std::string system = SystemDir(), windows = WindowsDir();
    PlacedFile alpha(system + "\\dozewell-alpha.scr", "Alpha");
    PlacedFile bare(system + "\\dozewell-bare.scr");
    PlacedFile twin(windows + "\\dozewell-alpha.scr", "Alpha");
    PlacedFile beta(windows + "\\dozewell-beta.scr", "Beta");
    PlacedFile otherName(system + "\\dozewell-other.exe", "Not A Saver");
    PlacedFile empty(system + "\\dozewell-empty.scr"), half(system + "\\dozewell-half.scr");
    PlacedFile locked(system + "\\dozewell-locked.scr", "Locked");
    TruncateFile(empty.path, 0);
    TruncateFile(half.path, 2000);
    HANDLE lock = CreateFileA(locked.path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const std::string folder = system + "\\dozewell-folder.scr";
    CreateDirectoryA(folder.c_str(), nullptr);

    SendMessageA(list.m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("stale line"));
    manager.FillSaverList(&list);
    CloseHandle(lock);
    RemoveDirectoryA(folder.c_str());

    const std::map<std::string, std::string> expected = {
        { alpha.path, "Alpha" }, { bare.path, "" }, { twin.path, "Alpha" }, { beta.path, "Beta" }
    };
    const auto entries = Entries(manager);
    const std::map<std::string, std::string> found(entries.begin(), entries.end());
    EXPECT_EQ(found, expected);
    std::vector<std::string> descriptions;
    for (const auto& entry : entries)
        descriptions.push_back(entry.second);
    EXPECT_EQ(ListLines(), descriptions) << "the list shows the descriptions in the catalogue's order";

    // A drive root already ends in its backslash.
    PlacedFile atRoot("C:\\dozewell-root.scr", "Root");
    manager.ScanSaverDirectory("C:\\");
    const std::pair<std::string, std::string> root("C:\\dozewell-root.scr", "Root");
    EXPECT_EQ(Entries(manager).back(), root);
}

TEST_F(Catalogue, SelectsTheDefaultsWholeLineAndWritesAChoiceAsItsPath)
{
    PlacedFile deluxe(SystemDir() + "\\dozewell-deluxe.scr", "Lines Deluxe");
    PlacedFile lower(SystemDir() + "\\dozewell-lower.scr", "lines");
    PlacedFile lines(SystemDir() + "\\dozewell-lines.scr", "Lines");
    PlacedFile twin(WindowsDir() + "\\dozewell-lines.scr", "Lines");
    PlacedFile bare(SystemDir() + "\\dozewell-bare.scr");
    manager.FillSaverList(&list);
    const std::vector<std::string> shown = ListLines();
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
    std::string firstLines;
    for (const auto& entry : Entries(manager)) {
        if (firstLines.empty() && entry.second == "Lines")
            firstLines = entry.first;
    }
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
