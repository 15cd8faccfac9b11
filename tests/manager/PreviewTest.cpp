#include <string>

#include "framework/CWnd.h"
#include "manager/ManagerTest.h"
#include "support/Processes.h"
#include "support/Windows.h"

namespace {

class Preview : public Manager {
protected:
    Preview() { window.m_hWnd = host.Handle(); }
    std::string CommandFor(const PlacedFile& saver, HWND handle) const
    {
        return "\"" + saver.path + "\" /p " + std::to_string(reinterpret_cast<UINT_PTR>(handle));
    }

    HostWindow host;
    CWnd window;
};

TEST_F(Preview, RunsTheDefaultInTheWindowAndEndsThePreviousRunFirst)
{
    PlacedFile saver(dir.path + "\\my saver.scr", "Mine");
    SetDefault(saver.path);
    manager.StartPreview(&window);
    ASSERT_NE(WaitForChild(host.Handle(), manager.m_procInfo.dwProcessId), nullptr) << "the preview drew nothing";
    const int handles = HandleCount(GetCurrentProcessId());
    for (int restart = 1; restart <= 5; ++restart) {
        const DWORD previous = manager.m_procInfo.dwProcessId;
        manager.StartPreview(&window);
        EXPECT_TRUE(WaitForProcessEnd(previous, 0)) << "the previous preview still runs";
        ASSERT_NE(WaitForChild(host.Handle(), manager.m_procInfo.dwProcessId), nullptr);
    }
    EXPECT_EQ(HandleCount(GetCurrentProcessId()), handles) << "handles of ended previews were kept";
    for (const auto& start : saver.Starts())
        EXPECT_EQ(start.commandLine, CommandFor(saver, host.Handle()));

    // No default: the running preview stays. No window: the handle is 0.
    const DWORD running = manager.m_procInfo.dwProcessId;
    SetDefault("");
    manager.StartPreview(&window);
    EXPECT_EQ(manager.m_procInfo.dwProcessId, running);
    EXPECT_EQ(saver.Running(), std::vector<DWORD>({ running }));
    SetDefault(saver.path);
    manager.StartPreview(nullptr);
    ASSERT_TRUE(saver.WaitForStarts(7));
    EXPECT_EQ(saver.Starts().back().commandLine, CommandFor(saver, nullptr));
}

TEST_F(Preview, EndsEveryKindOfPreviewWhenReplacedAndWhenTheManagerGoes)
{
    for (const char* name : { "exits.scr", "hangs.scr", "rogue.scr", "missing.scr" }) {
        PlacedFile saver(dir.path + "\\" + name, "Odd");
        PlacedFile next(dir.path + "\\next.scr", "Next");
        if (std::string(name) == "missing.scr")
            DeleteFileA(saver.path.c_str());
        DWORD first = 0;
        {
            CSaverManager owner;
            SetDefault(saver.path);
            owner.StartPreview(&window);
            first = owner.m_procInfo.dwProcessId;
            EXPECT_EQ(first != 0, GetFileAttributesA(saver.path.c_str()) != INVALID_FILE_ATTRIBUTES) << name;
            SetDefault(next.path);
            owner.StartPreview(&window);
            EXPECT_TRUE(WaitForProcessEnd(first, 0)) << name << " was not ended when replaced";
            SetDefault(saver.path);
            owner.StartPreview(&window);
            first = owner.m_procInfo.dwProcessId;
            EXPECT_TRUE(saver.Running().size() <= 1) << name;
        }
        EXPECT_TRUE(WaitForProcessEnd(first, 0)) << name << " was not ended with its manager";
        EXPECT_TRUE(next.Running().empty()) << name;
    }
}

}  // namespace
