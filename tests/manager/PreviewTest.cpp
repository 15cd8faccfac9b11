#include <string>

#include "framework/CWnd.h"
#include "manager/ManagerTest.h"

namespace {

class Preview : public Manager {
protected:
    Preview() { window.m_hWnd = host.handle; }

    TestWindow host;
    CWnd window;
};

TEST_F(Preview, RunsTheDefaultInTheWindowAfterEndingAndReleasingThePreviousRun)
{
    PlacedFile saver(temp + "\\my saver.scr", "Mine");
    SetDefault(saver.path);
    const std::string command = "\"" + saver.path + "\" /p " + std::to_string(reinterpret_cast<UINT_PTR>(host.handle));
    for (int run = 0; run < 4; ++run) {
        const PROCESS_INFORMATION previous = manager.m_procInfo;
        manager.StartPreview(&window);
        ASSERT_NE(WaitForWindow(manager.m_procInfo.dwProcessId, host.handle), nullptr) << "the preview drew nothing";
        EXPECT_EQ(saver.Starts().back().commandLine, command);
        EXPECT_EQ(saver.Running(), std::vector<DWORD>({ manager.m_procInfo.dwProcessId }));
        // A closed handle names nothing, or by now another process or thread.
        if (run > 0) {
            EXPECT_NE(GetProcessId(previous.hProcess), previous.dwProcessId) << "the process handle was kept";
            EXPECT_NE(GetThreadId(previous.hThread), previous.dwThreadId) << "the thread handle was kept";
        }
    }

    // No default: the running preview stays. No window: the handle is 0.
    const DWORD running = manager.m_procInfo.dwProcessId;
    SetDefault("");
    manager.StartPreview(&window);
    EXPECT_EQ(manager.m_procInfo.dwProcessId, running);
    EXPECT_EQ(saver.Running(), std::vector<DWORD>({ running }));
    SetDefault(saver.path);
    manager.StartPreview(nullptr);
    ASSERT_TRUE(WaitUntil([&] { return saver.Starts().size() == 5; }));
    EXPECT_EQ(saver.Starts().back().commandLine, "\"" + saver.path + "\" /p 0");
}

TEST_F(Preview, EndsEveryKindOfPreviewWhenReplacedAndWhenTheManagerGoes)
{
    for (const char* name : { "exits.scr", "hangs.scr", "missing.scr" }) {
        PlacedFile saver(temp + "\\" + name, "Odd"), next(temp + "\\next.scr", "Next");
        if (std::string(name) == "missing.scr")
            DeleteFileA(saver.path.c_str());
        {
            CSaverManager owner;
            SetDefault(saver.path);
            owner.StartPreview(&window);
            EXPECT_EQ(owner.m_procInfo.hThread == nullptr, std::string(name) == "missing.scr") << name;
            SetDefault(next.path);
            owner.StartPreview(&window);
            EXPECT_TRUE(saver.Running().empty()) << name << " was not ended when replaced";
            SetDefault(saver.path);
            owner.StartPreview(&window);
        }
        EXPECT_TRUE(saver.Running().empty()) << name << " was not ended with its manager";
        EXPECT_TRUE(next.Running().empty()) << name;
    }
}

}  // namespace
