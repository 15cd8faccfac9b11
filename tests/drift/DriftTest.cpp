// Dozewell Drift: how it reads the switches Windows passes, and run as Windows runs it.
#include <gtest/gtest.h>

#include <string>

#include "drift/SaverCommandLine.h"
#include "manager/SaverManager.h"
#include "support/Harness.h"

namespace {

std::string DriftCommand(const char* arguments, HWND window)
{
    return "\"" + BinDir() + "\\dozewell-drift.scr\" " + arguments + std::to_string(reinterpret_cast<UINT_PTR>(window));
}

TEST(Drift, ReadsTheSwitchesAsWindowsPassesThem)
{
    const struct {
        const char* arguments;
        SaverMode mode;
        UINT_PTR window;
    } cases[] = {
        { "", SaverMode::Configure, 0 },           { "/x", SaverMode::Configure, 0 },
        { "/screen", SaverMode::Configure, 0 },    { "-S", SaverMode::FullScreen, 0 },
        { "  /s 1234", SaverMode::FullScreen, 0 }, { "-P 1234", SaverMode::Preview, 1234 },
        { "/p:1234", SaverMode::Preview, 1234 },   { "/p \t 4294967295", SaverMode::Preview, 4294967295u },
        { "/p 12ab", SaverMode::Preview, 12 },     { "/p -5", SaverMode::Preview, 0 },
        { "/c", SaverMode::Configure, 0 },         { "-C:77", SaverMode::Configure, 77 },
    };
    for (const auto& c : cases) {
        const SaverCommand command = ParseSaverCommandLine(c.arguments);
        EXPECT_EQ(static_cast<int>(command.mode), static_cast<int>(c.mode)) << c.arguments;
        EXPECT_EQ(reinterpret_cast<UINT_PTR>(command.window), c.window) << c.arguments;
    }
}

TEST(Drift, PlaysItsPreviewInAChildThatFillsTheHostAndEndsWithIt)
{
    HWND child = nullptr;
    std::unique_ptr<Process> saver;
    {
        TestWindow host;
        saver.reset(new Process(DriftCommand("/p ", host.handle)));
        child = WaitForWindow(saver->Id(), host.handle);
        ASSERT_NE(child, nullptr);
        SetWindowPos(host.handle, nullptr, 0, 0, 200, 150, SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_TRUE(WaitUntil([&] {
            RECT hostArea = {}, childArea = {};
            return GetClientRect(host.handle, &hostArea) && GetClientRect(child, &childArea) &&
                   EqualRect(&hostArea, &childArea);
        })) << "the preview does not fill its host";
    }
    EXPECT_TRUE(saver->Exited()) << "the preview outlived its host";
}

TEST(Drift, SaysInABoxOwnedByTheGivenWindowThatItHasNoOptions)
{
    TestWindow owner;
    Process saver(DriftCommand("/c:", owner.handle));
    const HWND box = WaitForWindow(saver.Id());
    ASSERT_NE(box, nullptr);
    CString description;
    ASSERT_TRUE(CSaverManager().GetSaverDescription((BinDir() + "\\dozewell-drift.scr").c_str(), description));
    EXPECT_EQ(ReadBox(box).caption, static_cast<const char*>(description));
    EXPECT_EQ(ReadBox(box).owner, owner.handle);
    Press(box, IDOK);
    EXPECT_TRUE(saver.Exited());
}

}  // namespace
