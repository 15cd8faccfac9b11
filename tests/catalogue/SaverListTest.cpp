#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CatalogueEntries.h"
#include "framework/CListBox.h"
#include "manager/SaverManager.h"
#include "support/TestFiles.h"
#include "support/TestRegistry.h"
#include "support/TestWindows.h"

namespace {

// A list box without sort style in a hidden window of the test's own thread.
class HiddenListBox {
public:
    HiddenListBox()
    {
        m_parent = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        list.m_hWnd = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, 200, 200, m_parent,
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    HiddenListBox(const HiddenListBox&) = delete;
    HiddenListBox& operator=(const HiddenListBox&) = delete;
    ~HiddenListBox() { DestroyWindow(m_parent); }

    void SetLines(const std::vector<std::string>& lines)
    {
        SendMessageA(list.m_hWnd, LB_RESETCONTENT, 0, 0);
        for (const std::string& line : lines)
            SendMessageA(list.m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
    void Select(int index) { SendMessageA(list.m_hWnd, LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

    CListBox list;

private:
    HWND m_parent = nullptr;
};

class SaverList : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(box.list.m_hWnd, nullptr); }

    void SetDefault(const std::string& path) { WriteString(HKEY_CURRENT_USER, kDesktopKeyPath, kSaverValueName, path); }
    RegistryValue Default() const { return ReadValue(HKEY_CURRENT_USER, kDesktopKeyPath, kSaverValueName); }

    ValueGuard savedDefault{ HKEY_CURRENT_USER, kDesktopKeyPath, kSaverValueName };
    ScratchDir dir;
    HiddenListBox box;
};

TEST_F(SaverList, FillShowsTheDescriptionsInTheCataloguesOrder)
{
    const InstalledFile system("fixture_lines.scr", SystemDir() + "\\dozewell-list-lines.scr");
    const InstalledFile windows("fixture_lines_deluxe.scr", WindowsDir() + "\\dozewell-list-deluxe.scr");
    const InstalledFile empty("fixture_nostrings.scr", WindowsDir() + "\\dozewell-list-empty.scr");
    box.SetLines({ "stale line" });

    CSaverManager manager;
    manager.FillSaverList(&box.list);

    std::vector<std::string> descriptions;
    for (const Entry& entry : CatalogueEntries(manager.GetSaverMap()))
        descriptions.push_back(entry.second);
    EXPECT_EQ(ListBoxLines(box.list.m_hWnd), descriptions);
    const Entries catalogue = CatalogueEntries(manager.GetSaverMap());
    EXPECT_NE(std::find(catalogue.begin(), catalogue.end(), Entry(system.Path(), "Lines")), catalogue.end());
    EXPECT_NE(std::find(catalogue.begin(), catalogue.end(), Entry(windows.Path(), "Lines Deluxe")), catalogue.end());
    EXPECT_NE(std::find(catalogue.begin(), catalogue.end(), Entry(empty.Path(), "")), catalogue.end());
}

TEST_F(SaverList, SelectsTheFirstLineThatEqualsTheDefaultsDescription)
{
    const std::vector<std::string> lines = { "Lines", "Lines Deluxe", "lines", "Fixture Alpha", "Lines", "" };
    const struct Case {
        const char* fixture;  // the default's module; nullptr: no default configured
        std::vector<std::string> lines;
        int selected;
    } cases[] = {
        { "fixture_lines.scr", lines, 0 },         // from the first line, and not "Lines Deluxe"
        { "fixture_lines_lower.scr", lines, 2 },   // with case
        { "fixture_lines_deluxe.scr", lines, 1 },
        { "fixture_alpha.scr", lines, 3 },
        { "fixture_lines.scr", { "Lines Deluxe", "lines", "Lines", "Lines" }, 2 },
        { "fixture_lines.scr", { "Lines Deluxe", "lines" }, LB_ERR },  // only a beginning, or other case
        { "fixture_beta.scr", lines, LB_ERR },
        { "fixture_nostrings.scr", lines, LB_ERR },  // an empty description selects nothing
        { "not_a_module.scr", lines, LB_ERR },
        { nullptr, lines, LB_ERR },
    };
    for (const Case& c : cases) {
        if (c.fixture)
            SetDefault(dir.AddFixture(c.fixture, "default.scr"));
        else
            DeleteValue(HKEY_CURRENT_USER, kDesktopKeyPath, kSaverValueName);
        box.SetLines(c.lines);
        CSaverManager manager;
        manager.SelectDefaultInList(&box.list);
        EXPECT_EQ(ListBoxSelection(box.list.m_hWnd), c.selected) << (c.fixture ? c.fixture : "no default");
        EXPECT_EQ(ListBoxLines(box.list.m_hWnd), c.lines);
    }
}

TEST_F(SaverList, WithoutAnEqualLineTheSelectionIsLeftAsItWas)
{
    SetDefault(dir.AddFixture("fixture_beta.scr", "default.scr"));
    box.SetLines({ "Lines", "Fixture Alpha" });
    box.Select(1);
    CSaverManager manager;
    manager.SelectDefaultInList(&box.list);
    EXPECT_EQ(ListBoxSelection(box.list.m_hWnd), 1);
}

TEST_F(SaverList, SetDefaultWritesThePathOfTheFirstEntryWithThatDescription)
{
    const std::string alpha = dir.AddFixture("fixture_alpha.scr", "alpha.scr");
    dir.AddFixture("fixture_lines.scr", "lines one.scr");
    dir.AddFixture("fixture_lines.scr", "lines two.scr");
    dir.AddFixture("fixture_nostrings.scr", "empty one.scr");
    dir.AddFixture("fixture_nostrings.scr", "empty two.scr");
    CSaverManager manager;
    manager.ScanSaverDirectory(dir.Path().c_str());
    const Entries catalogue = CatalogueEntries(manager.GetSaverMap());
    ASSERT_EQ(catalogue.size(), 5u);
    const auto firstWith = [&catalogue](const std::string& description) {
        for (const Entry& entry : catalogue) {
            if (entry.second == description)
                return entry.first;
        }
        return std::string();
    };

    for (const char* description : { "Fixture Alpha", "Lines", "" }) {
        SetDefault("C:\\before.scr");
        EXPECT_NE(manager.SetDefaultSaver(description), FALSE) << description;
        const RegistryValue value = Default();
        EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ)) << description;
        EXPECT_EQ(value.data, firstWith(description) + '\0') << description;
    }
    EXPECT_EQ(CatalogueEntries(manager.GetSaverMap()), catalogue);
    EXPECT_EQ(firstWith("Fixture Alpha"), alpha);
}

TEST_F(SaverList, SetDefaultOfAnUnknownDescriptionLeavesTheRegistryAsItWas)
{
    dir.AddFixture("fixture_lines.scr", "lines.scr");
    CSaverManager scanned;
    scanned.ScanSaverDirectory(dir.Path().c_str());
    CSaverManager empty;

    SetDefault("C:\\before.scr");
    for (const char* description : { "lines", "Lines ", "Line", "Fixture Gamma", "" })
        EXPECT_EQ(scanned.SetDefaultSaver(description), FALSE) << description;
    EXPECT_EQ(empty.SetDefaultSaver("Lines"), FALSE);
    EXPECT_EQ(Default().data, std::string("C:\\before.scr") + '\0');

    DeleteValue(HKEY_CURRENT_USER, kDesktopKeyPath, kSaverValueName);
    EXPECT_EQ(scanned.SetDefaultSaver("Fixture Gamma"), FALSE);
    EXPECT_FALSE(Default().exists);
}

}  // namespace
