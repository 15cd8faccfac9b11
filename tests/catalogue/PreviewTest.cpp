#include <gtest/gtest.h>

#include <string.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/CWnd.h"
#include "manager/SaverManager.h"
#include "support/TestFiles.h"
#include "support/TestProcess.h"
#include "support/TestRegistry.h"
#include "support/TestWindows.h"

namespace {

// The longest default path that the registry read gives: 256 bytes with the NUL.
const size_t kLongestDefaultPath = 255;

std::string Decimal(HWND window)
{
    return std::to_string(static_cast<unsigned>(reinterpret_cast<UINT_PTR>(window)));
}

bool IsEmptyRecord(const PROCESS_INFORMATION& info)
{
    return !info.hProcess && !info.hThread && !info.dwProcessId && !info.dwThreadId;
}

// The starts logged so far, once there are at least count of them (or on timeout).
std::vector<FixtureStart> WaitForStarts(const std::string& module, size_t count)
{
    std::vector<FixtureStart> starts;
    WaitUntil([&] {
        starts = ReadFixtureLog(module + ".log");
        return starts.size() >= count;
    });
    return starts;
}

class Preview : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(host.Handle(), nullptr);
        window.m_hWnd = host.Handle();
        alpha = dir.AddFixture("fixture_alpha.scr", "alpha.scr");
        beta = dir.AddFixture("fixture_beta.scr", "beta.scr");
    }
    // The managers have ended their previews; a failed test may have left one running.
    void TearDown() override
    {
        for (const auto& watch : watches) {
            if (!watch->WaitForExit(5000))
                watch->End();
        }
    }

    void SetDefault(const std::string& path) { WriteString(HKEY_CURRENT_USER, kDesktopKeyPath, kSaverValueName, path); }
    // Starts the preview and watches its process, opened while the manager holds its handle so that
    // the id cannot name another process yet.
    const ProcessWatch& StartWatched(CSaverManager& manager, CWnd* host)
    {
        manager.StartPreview(host);
        EXPECT_NE(manager.m_procInfo.hProcess, nullptr);
        watches.push_back(std::make_unique<ProcessWatch>(manager.m_procInfo.dwProcessId));
        return *watches.back();
    }
    // The module's start number n (from 1) is the manager's preview, started for that window.
    void ExpectPreviewStart(const std::string& module, size_t n, const CSaverManager& manager, HWND handle)
    {
        const std::vector<FixtureStart> starts = WaitForStarts(module, n);
        ASSERT_EQ(starts.size(), n) << module;
        EXPECT_EQ(starts[n - 1].processId, manager.m_procInfo.dwProcessId);
        EXPECT_EQ(starts[n - 1].commandLine, "\"" + module + "\" /p " + Decimal(handle));
    }

    ValueGuard savedDefault{ HKEY_CURRENT_USER, kDesktopKeyPath, kSaverValueName };
    ScratchDir dir;
    HostWindow host;
    CWnd window;
    std::string alpha;
    std::string beta;
    std::vector<std::unique_ptr<ProcessWatch>> watches;
};

TEST_F(Preview, RunsTheDefaultWithSlashPAndDrawsInTheGivenWindow)
{
    SetDefault(alpha);
    CSaverManager manager;
    StartWatched(manager, &window);
    ExpectPreviewStart(alpha, 1, manager, host.Handle());
    EXPECT_NE(host.WaitForChildOf(manager.m_procInfo.dwProcessId), nullptr);
    EXPECT_EQ(WaitForSingleObject(manager.m_procInfo.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

TEST_F(Preview, EachStartEndsThePreviousProcessAndClosesItsHandles)
{
    SetDefault(alpha);
    CSaverManager manager;
    const ProcessWatch& first = StartWatched(manager, &window);
    const PROCESS_INFORMATION old = manager.m_procInfo;
    ASSERT_NO_FATAL_FAILURE(ExpectPreviewStart(alpha, 1, manager, host.Handle()));

    SetDefault(beta);
    const ProcessWatch& second = StartWatched(manager, &window);
    EXPECT_TRUE(first.WaitForExit());
    EXPECT_NE(manager.m_procInfo.dwProcessId, old.dwProcessId);
    // A closed handle no longer names the old thread or process, even when its value was reused.
    EXPECT_TRUE(old.hThread == manager.m_procInfo.hThread || GetThreadId(old.hThread) != old.dwThreadId);
    EXPECT_TRUE(old.hProcess == manager.m_procInfo.hProcess || GetProcessId(old.hProcess) != old.dwProcessId);
    ASSERT_NO_FATAL_FAILURE(ExpectPreviewStart(beta, 1, manager, host.Handle()));

    // The same default again still starts anew.
    StartWatched(manager, &window);
    EXPECT_TRUE(second.WaitForExit());
    ExpectPreviewStart(beta, 2, manager, host.Handle());
    EXPECT_EQ(WaitForStarts(alpha, 1).size(), 1u);
}

TEST_F(Preview, AnEmptyDefaultLeavesTheRunningPreviewAlone)
{
    SetDefault(alpha);
    CSaverManager manager;
    const ProcessWatch& running = StartWatched(manager, &window);
    const PROCESS_INFORMATION before = manager.m_procInfo;

    for (const bool valueExists : { false, true }) {
        if (valueExists)
            SetDefault("");
        else
            DeleteValue(HKEY_CURRENT_USER, kDesktopKeyPath, kSaverValueName);
        manager.StartPreview(&window);
        EXPECT_EQ(memcmp(&manager.m_procInfo, &before, sizeof before), 0) << valueExists;
        EXPECT_FALSE(running.WaitForExit(300)) << valueExists;
    }
    EXPECT_EQ(WaitForStarts(alpha, 1).size(), 1u);
}

TEST_F(Preview, DestroyingTheManagerEndsItsPreviewAndClosesItsHandles)
{
    SetDefault(alpha);
    PROCESS_INFORMATION held = {};
    const ProcessWatch* running = nullptr;
    {
        CSaverManager manager;
        running = &StartWatched(manager, &window);
        held = manager.m_procInfo;
    }
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(held.hProcess, &flags));
    EXPECT_FALSE(GetHandleInformation(held.hThread, &flags));
    EXPECT_TRUE(running->WaitForExit());
}

TEST_F(Preview, AFailedStartEndsThePreviousPreviewAndLeavesTheRecordEmpty)
{
    const std::string folder = dir.Path() + "\\folder.scr";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string unstartable[] = { dir.Path() + "\\missing.scr", dir.AddFixture("not_a_module.scr", "text.scr"),
                                        folder };
    CSaverManager manager;
    for (const std::string& path : unstartable) {
        SetDefault(alpha);
        const ProcessWatch& running = StartWatched(manager, &window);
        SetDefault(path);
        manager.StartPreview(&window);
        EXPECT_TRUE(running.WaitForExit()) << path;
        EXPECT_TRUE(IsEmptyRecord(manager.m_procInfo)) << path;
    }
}

TEST_F(Preview, APathWithBlanksRunsThatModuleAndNoOther)
{
    ASSERT_TRUE(CreateDirectoryA((dir.Path() + "\\Saver Apps").c_str(), nullptr));
    const std::string path = dir.AddFixture("fixture_alpha.scr", "Saver Apps\\alpha saver.scr");
    // What the first blank-separated piece of an unquoted command line would run.
    const std::string decoy = dir.AddFixture("fixture_beta.scr", "Saver.exe");
    SetDefault(path);
    CSaverManager manager;
    StartWatched(manager, &window);
    ExpectPreviewStart(path, 1, manager, host.Handle());
    EXPECT_FALSE(FileExists(decoy + ".log"));
}

TEST_F(Preview, TheLongestDefaultPathPreviewsWithItsWholeCommandLine)
{
    const std::string level(40, 'd');
    std::string folder = dir.Path();
    while (folder.size() + 1 + level.size() + 1 + 12 <= kLongestDefaultPath) {
        folder += "\\" + level;
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    }
    const std::string path = folder + "\\" + std::string(kLongestDefaultPath - folder.size() - 5, 'n') + ".scr";
    ASSERT_EQ(path.size(), kLongestDefaultPath);
    ASSERT_TRUE(CopyFileA(FixturePath("fixture_alpha.scr").c_str(), path.c_str(), FALSE)) << path;
    SetDefault(path);

    CSaverManager manager;
    CString configured;
    manager.GetDefaultSaverPath(configured);
    ASSERT_EQ(std::string(configured), path);
    StartWatched(manager, &window);
    // Quotes, " /p " and the handle take the command line past 259 characters.
    ExpectPreviewStart(path, 1, manager, host.Handle());
}

TEST_F(Preview, WithoutAWindowTheHandleIsZero)
{
    SetDefault(alpha);
    CWnd unattached;
    CSaverManager manager;
    StartWatched(manager, nullptr);
    ASSERT_NO_FATAL_FAILURE(ExpectPreviewStart(alpha, 1, manager, nullptr));
    StartWatched(manager, &unattached);
    ExpectPreviewStart(alpha, 2, manager, nullptr);
}

}  // namespace
