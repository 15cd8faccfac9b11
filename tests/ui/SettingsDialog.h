// Dozewell's change-default dialog as a user meets it: dozewell.exe :settings started for one test,
// with screen savers of our own installed where the dialog looks for them.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/TestFiles.h"
#include "support/TestProcess.h"
#include "support/TestRegistry.h"

// Control ids of the dialog.
const int kSaverListId = 1034;
const int kDefaultLabelId = 1035;
const int kPreviewAreaId = 1036;
const int kPreviewButtonId = 1037;
const int kConfigureButtonId = 1038;

// One module that the tests install into the system or the Windows directory.
struct SaverModule {
    const char* fixture;
    const char* fileName;
    bool inWindowsDir;
    bool loads;
    const char* description;  // string resource 1; empty when the module has none
};

// The modules of the dialog tests, in place for the life of the object. Nothing else may lie in
// those directories as *.scr: the dialog lists whatever is there.
class InstalledSavers {
public:
    InstalledSavers();
    InstalledSavers(const InstalledSavers&) = delete;
    InstalledSavers& operator=(const InstalledSavers&) = delete;
    // Ends any module process still running, then removes the modules and their logs.
    ~InstalledSavers();

    static const std::vector<SaverModule>& Modules();
    std::string PathOf(const SaverModule& module) const;
    // The module with that description; fails the test when there is none.
    const SaverModule& ByDescription(const std::string& description) const;
    // How many processes of our modules run now.
    int RunningCount() const;
    // Every start of the module, oldest first.
    std::vector<FixtureStart> Starts(const SaverModule& module) const;
    // All starts of all modules.
    size_t TotalStarts() const;

private:
    void EndRunning() const;
    std::vector<std::unique_ptr<InstalledFile>> m_files;
};

// dozewell.exe :settings, started by the constructor, which waits for its dialog.
class SettingsDialog {
public:
    SettingsDialog();
    SettingsDialog(const SettingsDialog&) = delete;
    SettingsDialog& operator=(const SettingsDialog&) = delete;
    // Closes the dialog if it is still open; ends the process if that does not help.
    ~SettingsDialog();

    HWND Window() const { return m_window; }
    HWND Item(int id) const { return GetDlgItem(m_window, id); }
    DWORD ProcessId() const { return m_process.Id(); }
    bool WaitForExit(DWORD timeoutMs = 10000) const { return m_process.WaitForExit(timeoutMs); }

    std::vector<std::string> Lines() const;
    // Selects the first line with this text and tells the dialog, as a click would.
    void Choose(const std::string& description) const;
    int Selection() const;
    std::string Label() const;
    // The label as the dialog writes it for this description ("None" for an empty one).
    static std::string LabelFor(const std::string& description);

private:
    ChildProcess m_process;
    HWND m_window = nullptr;
};

// A test of the dialog: our modules installed, the default screen saver put back afterwards.
class DialogTest : public ::testing::Test {
protected:
    void SetDefault(const std::string& path) { WriteString(HKEY_CURRENT_USER, kDesktopKeyPath, kSaverValueName, path); }
    void SetDefault(const SaverModule& module) { SetDefault(savers.PathOf(module)); }
    void ClearDefault() { DeleteValue(HKEY_CURRENT_USER, kDesktopKeyPath, kSaverValueName); }
    // The value SCRNSAVE.EXE as text; "" when it is missing.
    std::string DefaultValue() const;
    // The module whose line the list shows at that index.
    const SaverModule& ModuleOfLine(const SettingsDialog& dialog, int index) const;

    ValueGuard saverValue{ HKEY_CURRENT_USER, kDesktopKeyPath, kSaverValueName };
    InstalledSavers savers;
};
