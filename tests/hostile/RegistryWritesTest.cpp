#include "app/RunFixture.h"
#include "ui/SettingsDialog.h"

#include <map>
#include <vector>

namespace {

// Every value under a key, by "key path\value name", as type and data.
using Snapshot = std::map<std::string, std::string>;

void Capture(HKEY key, const std::string& path, Snapshot& snapshot)
{
    char name[16384];
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = sizeof name;
        DWORD type = 0;
        DWORD size = 0;
        if (RegEnumValueA(key, index, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            break;
        std::string data(size, '\0');
        nameLength = sizeof name;
        RegEnumValueA(key, index, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size);
        snapshot[path + "\\" + name] = std::to_string(type) + ":" + data.substr(0, size);
    }
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = sizeof name;
        if (RegEnumKeyExA(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        HKEY child = nullptr;
        if (RegOpenKeyExA(key, name, 0, KEY_READ, &child) == ERROR_SUCCESS) {
            Capture(child, path + "\\" + name, snapshot);
            RegCloseKey(child);
        }
    }
}

Snapshot CaptureUser()
{
    Snapshot snapshot;
    Capture(HKEY_CURRENT_USER, "HKCU", snapshot);
    return snapshot;
}

// Values that Wine itself keeps up to date as programs run.
bool WineOwn(const std::string& name)
{
    const char* prefixes[] = {
        "HKCU\\Software\\Wine\\",
        "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\",
        "HKCU\\Software\\Dozewell Tests\\",
    };
    for (const char* prefix : prefixes) {
        if (name.rfind(prefix, 0) == 0)
            return true;
    }
    return false;
}

std::vector<std::string> Changes(const Snapshot& before, const Snapshot& after)
{
    std::vector<std::string> changed;
    for (const auto& entry : after) {
        const auto old = before.find(entry.first);
        if ((old == before.end() || old->second != entry.second) && !WineOwn(entry.first))
            changed.push_back(entry.first);
    }
    for (const auto& entry : before) {
        if (!after.count(entry.first) && !WineOwn(entry.first))
            changed.push_back(entry.first + " (deleted)");
    }
    return changed;
}

using RegistryWrites = DozewellRun;

TEST_F(RegistryWrites, OnlyTheNoticeFlagAndTheDefaultAreEverWritten)
{
    InstalledFile listed("fixture_beta.scr", SystemDir() + "\\dzwrites_beta.scr");
    SetDefault(saver);
    FirstRun();
    const Snapshot before = CaptureUser();

    // The default road on a first run, then with no default: the question, answered Yes.
    {
        ChildProcess run = StartDozewell("");
        PressButton(ExpectBox(run).window, IDOK);
        EXPECT_TRUE(run.WaitForExit());
    }
    NoDefault();
    {
        ChildProcess run = StartDozewell("");
        PressButton(ExpectBox(run).window, IDYES);
        EXPECT_TRUE(run.WaitForExit());
        EXPECT_NE(WaitForFileText(control.LogPath()), "");
    }
    {
        ChildProcess run = StartDozewell(":lock");
        PressButton(ExpectBox(run).window, IDOK);
        EXPECT_TRUE(run.WaitForExit());
    }
    // The dialog: a new default chosen, both buttons pressed, closed.
    {
        SettingsDialog dialog;
        ASSERT_NE(dialog.Window(), nullptr);
        dialog.Choose("Fixture Beta");
        PressButton(dialog.Window(), kConfigureButtonId);
        EXPECT_NE(WaitForFileText(control.LogPath(), "", 10000), "");
        PressButton(dialog.Window(), kPreviewButtonId);
        EXPECT_TRUE(WaitUntil([&] {
            for (const FixtureStart& start : ReadFixtureLog(listed.LogPath())) {
                if (start.commandLine.find("/p ") == std::string::npos)
                    return true;
            }
            return false;
        })) << "the chosen default did not start full screen";
        PressButton(dialog.Window(), IDCANCEL);
        EXPECT_TRUE(dialog.WaitForExit());
    }
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kDesktopKeyPath, kSaverValueName).data,
              listed.Path() + std::string(1, '\0'));

    std::vector<std::string> changed = Changes(before, CaptureUser());
    std::sort(changed.begin(), changed.end());
    const std::vector<std::string> expected = {
        std::string("HKCU\\") + kDesktopKeyPath + "\\" + kSaverValueName,
        std::string("HKCU\\") + kProfileKeyPath + "\\" + kNoticeValueName,
    };
    EXPECT_EQ(changed, expected);
}

}  // namespace
