#include <gtest/gtest.h>

#include <string.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/CWnd.h"
#include "settings/SaverManager.h"
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

// One start of a fixture module, as its log has it.
struct Start {
    DWORD processId;
    std::string commandLine;
};

// The starts logged so far, once there are at least count of them (or on timeout).
std::vector<Start> WaitForStarts(const std::string& module, size_t count)
{
    std::vector<Start> starts;
    const ULONGLONG deadline = GetTickCount64() + 10000;
    do {
        starts.clear();
        const std::string log = ReadTextFile(module + ".log");
        for (size_t from = 0, end; (end = log.find('\n', from)) != std::string::npos; from = end + 1) {
            const std::string line = log.substr(from, end - from);
            const size_t tab = line.find('\t');
            starts.push_back({ static_cast<DWORD>(std::stoul(line.substr(0, tab))), line.substr(tab + 1) });
        }
        if (starts.size() >= count)
            break;
        Sleep(50);
    } while (GetTickCount64() < deadline);
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
    // Opened while the manager still holds the process handle, so the id cannot belong to another process yet.
    const ProcessWatch& Watch(const CSaverManager& manager)
    {
        watches.push_back(std::make_unique<ProcessWatch>(manager.m_procInfo.dwProcessId));
        return *watches.back();
    }
    std::string PreviewCommandLine(const std::string& path, HWND handle) const
    {
        return "\"" + path + "\" /p " + Decimal(handle);
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
    manager.StartPreview(&window);
    ASSERT_NE(manager.m_procInfo.hProcess, nullptr);
    Watch(manager);

    const std::vector<Start> starts = WaitForStarts(alpha, 1);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].processId, manager.m_procInfo.dwProcessId);
    EXPECT_EQ(starts[0].commandLine, PreviewCommandLine(alpha, host.Handle()));
    EXPECT_NE(host.WaitForChildOf(manager.m_procInfo.dwProcessId), nullptr);
    EXPECT_EQ(WaitForSingleObject(manager.m_procInfo.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

TEST_F(Preview, EachStartEndsThePreviousProcessAndClosesItsHandles)
{
    SetDefault(alpha);
    CSaverManager manager;
    manager.StartPreview(&window);
    ASSERT_NE(manager.m_procInfo.hProcess, nullptr);
    const ProcessWatch& first = Watch(manager);
    const PROCESS_INFORMATION old = manager.m_procInfo;
    ASSERT_EQ(WaitForStarts(alpha, 1).size(), 1u);

    SetDefault(beta);
    manager.StartPreview(&window);
    EXPECT_TRUE(first.WaitForExit());
    ASSERT_NE(manager.m_procInfo.hProcess, nullptr);
    EXPECT_NE(manager.m_procInfo.dwProcessId, old.dwProcessId);
    // A closed handle no longer names the old thread or process, even when its value was reused.
    EXPECT_TRUE(old.hThread == manager.m_procInfo.hThread || GetThreadId(old.hThread) != old.dwThreadId);
    EXPECT_TRUE(old.hProcess == manager.m_procInfo.hProcess || GetProcessId(old.hProcess) != old.dwProcessId);

    // The same default again still starts anew (once the running one has logged its start).
    const ProcessWatch& second = Watch(manager);
    ASSERT_EQ(WaitForStarts(beta, 1).size(), 1u);
    manager.StartPreview(&window);
    EXPECT_TRUE(second.WaitForExit());
    Watch(manager);
    const std::vector<Start> starts = WaitForStarts(beta, 2);
    ASSERT_EQ(starts.size(), 2u);
    EXPECT_NE(starts[0].processId, starts[1].processId);
    EXPECT_EQ(starts[1].processId, manager.m_procInfo.dwProcessId);
    EXPECT_EQ(starts[1].commandLine, PreviewCommandLine(beta, host.Handle()));
    EXPECT_EQ(WaitForStarts(alpha, 1).size(), 1u);
}

TEST_F(Preview, AnEmptyDefaultLeavesTheRunningPreviewAlone)
{
    SetDefault(alpha);
    CSaverManager manager;
    manager.StartPreview(&window);
    ASSERT_NE(manager.m_procInfo.hProcess, nullptr);
    const ProcessWatch& running = Watch(manager);
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
        manager.StartPreview(&window);
        ASSERT_NE(manager.m_procInfo.hProcess, nullptr);
        running = &Watch(manager);
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
    const std::string unstartable[] = {
        dir.Path() + "\\missing.scr",
        dir.AddFixture("not_a_module.scr", "text.scr"),
        folder,
    };
    CSaverManager manager;
    for (const std::string& path : unstartable) {
        SetDefault(alpha);
        manager.StartPreview(&window);
        ASSERT_NE(manager.m_procInfo.hProcess, nullptr);
        const ProcessWatch& running = Watch(manager);

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
    manager.StartPreview(&window);
    ASSERT_NE(manager.m_procInfo.hProcess, nullptr);
    Watch(manager);

    const std::vector<Start> starts = WaitForStarts(path, 1);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].processId, manager.m_procInfo.dwProcessId);
    EXPECT_EQ(starts[0].commandLine, PreviewCommandLine(path, host.Handle()));
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
    const std::string commandLine = PreviewCommandLine(path, host.Handle());
    ASSERT_GT(commandLine.size(), 259u);

    CSaverManager manager;
    CString configured;
    manager.GetDefaultSaverPath(configured);
    ASSERT_EQ(std::string(configured), path);
    manager.StartPreview(&window);
    ASSERT_NE(manager.m_procInfo.hProcess, nullptr);
    Watch(manager);
    const std::vector<Start> starts = WaitForStarts(path, 1);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].commandLine, commandLine);
}

TEST_F(Preview, WithoutAWindowTheHandleIsZero)
{
    SetDefault(alpha);
    CWnd unattached;
    CWnd* const windows[] = { nullptr, &unattached };
    CSaverManager manager;
    for (size_t i = 0; i < 2; ++i) {
        manager.StartPreview(windows[i]);
        ASSERT_NE(manager.m_procInfo.hProcess, nullptr);
        Watch(manager);
        const std::vector<Start> starts = WaitForStarts(alpha, i + 1);
        ASSERT_EQ(starts.size(), i + 1);
        EXPECT_EQ(starts[i].commandLine, PreviewCommandLine(alpha, nullptr));
    }
}

}  // namespace
