#include "ui/SettingsDialog.h"

#include <gtest/gtest.h>

#include <set>

#include "support/TestWindows.h"

namespace {

const char kModulePattern[] = "\\*.scr";

std::set<std::string> ScrFilesIn(const std::string& directory)
{
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((directory + kModulePattern).c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do
        names.insert(directory + "\\" + found.cFileName);
    while (FindNextFileA(find, &found));
    FindClose(find);
    return names;
}

}  // namespace

const std::vector<SaverModule>& InstalledSavers::Modules()
{
    static const std::vector<SaverModule> modules = {
        { "fixture_alpha.scr", "dzdlg_alpha.scr", false, true, "Fixture Alpha" },
        { "fixture_nostrings.scr", "dzdlg_blank.scr", false, true, "" },
        { "not_a_module.scr", "dzdlg_text.scr", false, false, "" },
        { "fixture_beta.scr", "dzdlg_beta.scr", true, true, "Fixture Beta" },
        { "fixture_percent.scr", "dzdlg_percent.scr", true, true, "100% Pure %s %d Saver" },
    };
    return modules;
}

InstalledSavers::InstalledSavers()
{
    std::set<std::string> ours;
    for (const SaverModule& module : Modules()) {
        m_files.push_back(std::make_unique<InstalledFile>(module.fixture, PathOf(module)));
        ours.insert(PathOf(module));
    }
    std::set<std::string> present = ScrFilesIn(SystemDir());
    const std::set<std::string> inWindowsDir = ScrFilesIn(WindowsDir());
    present.insert(inWindowsDir.begin(), inWindowsDir.end());
    for (const std::string& path : present) {
        if (!ours.count(path))
            ADD_FAILURE() << "left behind by another test: " << path;
    }
}

InstalledSavers::~InstalledSavers()
{
    EndRunning();
}

std::string InstalledSavers::PathOf(const SaverModule& module) const
{
    return (module.inWindowsDir ? WindowsDir() : SystemDir()) + "\\" + module.fileName;
}

const SaverModule& InstalledSavers::ByDescription(const std::string& description) const
{
    for (const SaverModule& module : Modules()) {
        if (module.loads && description == module.description)
            return module;
    }
    ADD_FAILURE() << "no module is described as \"" << description << "\"";
    return Modules().front();
}

int InstalledSavers::RunningCount() const
{
    int count = 0;
    for (const SaverModule& module : Modules())
        count += static_cast<int>(ProcessesNamed(module.fileName).size());
    return count;
}

std::vector<FixtureStart> InstalledSavers::Starts(const SaverModule& module) const
{
    return ReadFixtureLog(PathOf(module) + ".log");
}

size_t InstalledSavers::TotalStarts() const
{
    size_t count = 0;
    for (const SaverModule& module : Modules())
        count += Starts(module).size();
    return count;
}

void InstalledSavers::EndRunning() const
{
    // A running module cannot be deleted. Only our dialogs start processes of these names.
    for (const SaverModule& module : Modules()) {
        for (DWORD processId : ProcessesNamed(module.fileName))
            ProcessWatch(processId).End();
    }
}

SettingsDialog::SettingsDialog() : m_process(StartDozewell(":settings"))
{
    EXPECT_TRUE(m_process.Started()) << DozewellPath();
    if (m_process.Started())
        m_window = WaitForProcessWindow(m_process.Id());
    EXPECT_NE(m_window, nullptr) << "the dialog did not open";
}

SettingsDialog::~SettingsDialog()
{
    if (m_window && m_process.Running()) {
        PostMessageA(m_window, WM_COMMAND, IDCANCEL, 0);
        m_process.WaitForExit(5000);
    }
}

std::vector<std::string> SettingsDialog::Lines() const
{
    return ListBoxLines(Item(kSaverListId));
}

void SettingsDialog::Choose(const std::string& description) const
{
    const std::vector<std::string> lines = Lines();
    for (size_t index = 0; index < lines.size(); ++index) {
        if (lines[index] == description) {
            HWND list = Item(kSaverListId);
            SendMessageA(list, LB_SETCURSEL, index, 0);
            SendMessageA(m_window, WM_COMMAND, MAKEWPARAM(kSaverListId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
            return;
        }
    }
    ADD_FAILURE() << "no line \"" << description << "\"";
}

int SettingsDialog::Selection() const
{
    return ListBoxSelection(Item(kSaverListId));
}

std::string SettingsDialog::Label() const
{
    return WindowText(Item(kDefaultLabelId));
}

std::string SettingsDialog::LabelFor(const std::string& description)
{
    return "Default ScreenSaver : " + (description.empty() ? std::string("None") : description);
}

std::string DialogTest::DefaultValue() const
{
    const RegistryValue value = ReadValue(HKEY_CURRENT_USER, kDesktopKeyPath, kSaverValueName);
    return value.exists ? std::string(value.data.c_str()) : std::string();
}

const SaverModule& DialogTest::ModuleOfLine(const SettingsDialog& dialog, int index) const
{
    const std::vector<std::string> lines = dialog.Lines();
    EXPECT_LT(static_cast<size_t>(index), lines.size());
    return savers.ByDescription(static_cast<size_t>(index) < lines.size() ? lines[index] : "");
}
