// Runs of the real dozewell.exe in the test prefix: the registry values it reads saved and put back,
// a logging screen saver as the default, and a stand-in control.exe.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/TestFiles.h"
#include "support/TestProcess.h"
#include "support/TestRegistry.h"
#include "support/TestWindows.h"

const char kTitle[] = "Dozewell";
const char kLockFailed[] = "Failed to Lock Workstation.";
const char kQuestion[] =
    "It seems Default ScreenSaver is not set in ScreenSaver Settings.\nWould you like to Open ScreenSaver Settings?";
const char kNoticeStart[] =
    "This is a One Time Alert by the Utility.\n"
    "Computer would not be Locked (even if selected in ScreenSaver Settings) when Screen Saver is Dismissed.\n";
const char kWineVersionKey[] = "Software\\Wine\\AppDefaults\\dozewell.exe";

class DozewellRun : public ::testing::Test {
protected:
    DozewellRun()
        : control("control.exe", SystemDir() + "\\control.exe"),
          saver(dir.AddFixture("fixture_alpha.scr", "alpha.scr"))
    {
    }

    void SetDefault(const std::string& path) { WriteString(HKEY_CURRENT_USER, kDesktopKeyPath, kSaverValueName, path); }
    void NoDefault() { DeleteValue(HKEY_CURRENT_USER, kDesktopKeyPath, kSaverValueName); }
    void NoticeShown(DWORD value = 1) { WriteDword(HKEY_CURRENT_USER, kProfileKeyPath, kNoticeValueName, value); }
    void FirstRun() { DeleteValue(HKEY_CURRENT_USER, kProfileKeyPath, kNoticeValueName); }
    RegistryValue Notice() const { return ReadValue(HKEY_CURRENT_USER, kProfileKeyPath, kNoticeValueName); }
    std::string SaverLog() const { return ReadTextFile(saver + ".log"); }
    std::string ControlLog() const { return ReadTextFile(control.LogPath()); }

    // The message box that the run shows, read; fails the test when none shows.
    MessageBoxView ExpectBox(const ChildProcess& run)
    {
        HWND box = WaitForProcessWindow(run.Id());
        EXPECT_NE(box, nullptr) << "no message box";
        return box ? ReadMessageBox(box) : MessageBoxView();
    }

    ValueGuard savedDefault{ HKEY_CURRENT_USER, kDesktopKeyPath, kSaverValueName };
    ValueGuard savedNotice{ HKEY_CURRENT_USER, kProfileKeyPath, kNoticeValueName };
    ValueGuard savedVersion{ HKEY_CURRENT_USER, kWineVersionKey, "Version" };
    ScratchDir dir;
    InstalledFile control;
    std::string saver;
};
