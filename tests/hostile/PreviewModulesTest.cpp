#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TestFiles.h"
#include "support/TestProcess.h"
#include "support/TestRegistry.h"
#include "support/TestWindows.h"
#include "ui/SettingsDialog.h"

namespace {

// The dialog still answers messages within this time.
const UINT kResponsiveMs = 2000;

bool Responsive(HWND window)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kResponsiveMs, &result) != 0;
}

std::string FileName(const std::string& path)
{
    return path.substr(path.find_last_of('\\') + 1);
}

// Previews that end at once, crash, open a window of their own or hang: the dialog stays
// responsive, ends each one when it is replaced and when it closes, and no crash box appears.
TEST(HostilePreviews, AreEndedWhenReplacedAndWhenTheDialogCloses)
{
    const struct {
        const char* fixture;
        const char* description;
        bool keepsRunning;
    } cases[] = {
        { "fixture_preview_exits.scr", "Preview Exits", false },
        { "fixture_preview_crashes.scr", "Preview Crashes", false },
        { "fixture_preview_own_window.scr", "Preview Own Window", true },
        { "fixture_preview_hangs.scr", "Preview Hangs", true },
    };
    ValueGuard savedDefault(HKEY_CURRENT_USER, kDesktopKeyPath, kSaverValueName);
    InstalledFile good("fixture_alpha.scr", SystemDir() + "\\dzhostile_good.scr");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        InstalledFile bad(c.fixture, SystemDir() + "\\dzhostile_bad.scr");
        const std::string badName = FileName(bad.Path());
        WriteString(HKEY_CURRENT_USER, kDesktopKeyPath, kSaverValueName, bad.Path());
        {
            SettingsDialog dialog;
            ASSERT_NE(dialog.Window(), nullptr);
            ASSERT_NE(WaitForFileText(bad.LogPath(), "/p "), "") << "the preview did not start";
            Sleep(300);
            EXPECT_TRUE(Responsive(dialog.Window()));
            if (c.keepsRunning) {
                EXPECT_EQ(ProcessesNamed(badName).size(), 1u);
            }

            dialog.Choose("Fixture Alpha");
            EXPECT_TRUE(WaitUntil([&] { return ProcessesNamed(badName).empty(); })) << "not ended when replaced";
            EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kDesktopKeyPath, kSaverValueName).data,
                      good.Path() + std::string(1, '\0'));

            dialog.Choose(c.description);
            EXPECT_TRUE(WaitUntil([&] { return ReadFixtureLog(bad.LogPath()).size() == 2; }));
            EXPECT_TRUE(Responsive(dialog.Window()));
            PressButton(dialog.Window(), IDCANCEL);
            EXPECT_TRUE(dialog.WaitForExit());
        }
        EXPECT_TRUE(WaitUntil([&] { return ProcessesNamed(badName).empty(); })) << "outlived the dialog";
        EXPECT_TRUE(ProcessesNamed(FileName(good.Path())).empty());
        // Wine's crash handler writes its report and ends; a crash box would keep it running.
        EXPECT_TRUE(WaitUntil([] { return ProcessesNamed("winedbg.exe").empty(); })) << "a crash box is showing";
    }
}

// Copies of one module under many names in the system directory, removed afterwards.
class ManyModules {
public:
    ManyModules(const std::string& fixture, int count)
    {
        for (int i = 0; i < count; ++i) {
            char name[32];
            snprintf(name, sizeof name, "\\dzmany_%04d.scr", i);
            m_paths.push_back(SystemDir() + name);
            CopyFileA(FixturePath(fixture).c_str(), m_paths.back().c_str(), FALSE);
        }
    }
    ManyModules(const ManyModules&) = delete;
    ManyModules& operator=(const ManyModules&) = delete;
    ~ManyModules()
    {
        for (const std::string& path : m_paths)
            DeleteFileA(path.c_str());
    }

private:
    std::vector<std::string> m_paths;
};

TEST(HostileSaverFiles, FiveThousandModulesInOneDirectoryStillOpenTheDialog)
{
    const int count = 5000;
    ValueGuard savedDefault(HKEY_CURRENT_USER, kDesktopKeyPath, kSaverValueName);
    DeleteValue(HKEY_CURRENT_USER, kDesktopKeyPath, kSaverValueName);
    ManyModules modules("fixture_nostrings.scr", count);

    const ULONGLONG start = GetTickCount64();
    SettingsDialog dialog;
    ASSERT_NE(dialog.Window(), nullptr);
    const ULONGLONG opened = GetTickCount64() - start;
    EXPECT_GE(static_cast<int>(SendMessageA(dialog.Item(kSaverListId), LB_GETCOUNT, 0, 0)), count);
    EXPECT_TRUE(Responsive(dialog.Window()));
    std::printf("the dialog opened over %d modules in %llu ms\n", count, opened);
    RecordProperty("open_ms", static_cast<int>(opened));
}

}  // namespace
