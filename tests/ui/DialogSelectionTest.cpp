// The list, the label and the preview of the dialog: what it opens with, and what each change of
// the selection does, by keyboard and by mouse.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/TestInput.h"
#include "support/TestProcess.h"
#include "support/TestWindows.h"
#include "ui/SettingsDialog.h"

namespace {

const char kPreviewAreaText[] = "Selected ScreenSaver Preview";
const char kPreviewWindowClass[] = "FixturePreview";
// Odd, so that the last change leaves the other line selected: it shows that every key arrived.
const int kQuickChanges = 501;
// Wine's own bookkeeping may hold a few handles more at one moment than at another.
const int kHandleSlack = 2;

using DialogList = DialogTest;

std::string HandleText(HWND window)
{
    return std::to_string(static_cast<unsigned>(reinterpret_cast<UINT_PTR>(window)));
}

// The list holds the description of every module that loads, the system directory's first.
void ExpectCatalogue(const InstalledSavers& savers, const std::vector<std::string>& lines)
{
    std::vector<std::string> expected;
    for (const SaverModule& module : InstalledSavers::Modules()) {
        if (module.loads)
            expected.push_back(module.description);
    }
    std::vector<std::string> sorted = lines;
    std::sort(sorted.begin(), sorted.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(sorted, expected);
    bool windowsDirSeen = false;
    for (const std::string& line : lines) {
        const bool inWindowsDir = savers.ByDescription(line).inWindowsDir;
        EXPECT_FALSE(windowsDirSeen && !inWindowsDir) << "\"" << line << "\" after the Windows directory's lines";
        windowsDirSeen = windowsDirSeen || inWindowsDir;
    }
}

// The preview started after `before` starts in all: the module, run with /p and the handle of the
// preview area, with its window inside that area. Returns its process id (0 when it failed).
DWORD ExpectPreviewOf(const SettingsDialog& dialog, const InstalledSavers& savers, const SaverModule& module,
                      size_t before)
{
    EXPECT_TRUE(WaitUntil([&] { return savers.TotalStarts() > before; })) << "no preview started";
    EXPECT_EQ(savers.TotalStarts(), before + 1) << "one start, no more";
    const std::vector<FixtureStart> starts = savers.Starts(module);
    if (starts.empty()) {
        ADD_FAILURE() << module.fileName << " was not started";
        return 0;
    }
    const HWND area = dialog.Item(kPreviewAreaId);
    // The path quoted, so that one with blanks names the module and nothing before it.
    EXPECT_EQ(starts.back().commandLine, "\"" + savers.PathOf(module) + "\" /p " + HandleText(area));
    const DWORD processId = starts.back().processId;
    const bool inArea = WaitUntil([&] {
        HWND child = FindWindowExA(area, nullptr, kPreviewWindowClass, nullptr);
        DWORD owner = 0;
        GetWindowThreadProcessId(child, &owner);
        return child && owner == processId;
    });
    EXPECT_TRUE(inArea) << "the preview's window is not inside the preview area";
    return processId;
}

void ExpectNoPreview(const SettingsDialog& dialog, const InstalledSavers& savers, size_t before)
{
    Sleep(500);
    EXPECT_EQ(savers.TotalStarts(), before) << "a preview was started";
    const HWND area = dialog.Item(kPreviewAreaId);
    EXPECT_EQ(GetWindow(area, GW_CHILD), nullptr);
    EXPECT_EQ(WindowText(area), kPreviewAreaText);
}

TEST_F(DialogList, OpensWithTheSaversTheDefaultSelectedItsPreviewAndItsLabel)
{
    for (const char* description : { "Fixture Alpha", "Fixture Beta", "100% Pure %s %d Saver" }) {
        SCOPED_TRACE(description);
        const SaverModule& module = savers.ByDescription(description);
        SetDefault(module);
        const size_t before = savers.TotalStarts();
        SettingsDialog dialog;
        ASSERT_NE(dialog.Window(), nullptr);
        const std::vector<std::string> lines = dialog.Lines();
        ExpectCatalogue(savers, lines);
        const int selection = dialog.Selection();
        ASSERT_GE(selection, 0) << "nothing selected";
        EXPECT_EQ(lines[selection], description);
        EXPECT_EQ(dialog.Label(), SettingsDialog::LabelFor(description));
        ExpectPreviewOf(dialog, savers, module, before);
    }
}

struct NoDescriptionCase {
    const char* name;
    const char* fileName;  // the module to configure; nullptr: no value; "": an empty one
    bool previewStarts;
};

TEST_F(DialogList, ShowsNoneWhenTheDefaultHasNoDescription)
{
    const NoDescriptionCase cases[] = {
        { "no default", nullptr, false },
        { "an empty default", "", false },
        { "a default that does not exist", "dzdlg_missing.scr", false },
        { "a module without description", "dzdlg_blank.scr", true },
    };
    for (const NoDescriptionCase& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.fileName)
            ClearDefault();
        else
            SetDefault(*c.fileName ? SystemDir() + "\\" + c.fileName : "");
        const size_t before = savers.TotalStarts();
        SettingsDialog dialog;
        ASSERT_NE(dialog.Window(), nullptr);
        ExpectCatalogue(savers, dialog.Lines());
        EXPECT_EQ(dialog.Label(), "Default ScreenSaver : None");
        // Not even the empty line of the module without description.
        EXPECT_EQ(dialog.Selection(), LB_ERR);
        if (c.previewStarts)
            ExpectPreviewOf(dialog, savers, savers.ByDescription(""), before);
        else
            ExpectNoPreview(dialog, savers, before);
    }
}

TEST_F(DialogList, EveryArrowKeyStepWritesTheDefaultRestartsThePreviewAndRewritesTheLabel)
{
    const SaverModule& alpha = savers.ByDescription("Fixture Alpha");
    SetDefault(alpha);
    SettingsDialog dialog;
    ASSERT_NE(dialog.Window(), nullptr);
    DWORD preview = ExpectPreviewOf(dialog, savers, alpha, 0);
    const int count = static_cast<int>(dialog.Lines().size());
    int index = dialog.Selection();
    ASSERT_GE(index, 0);

    // Down to the last line, then up to the first: every line is chosen by a key at least once.
    std::vector<WORD> keys(count - 1 - index, VK_DOWN);
    keys.insert(keys.end(), count - 1, VK_UP);
    BringToFront(dialog.Window());
    for (WORD key : keys) {
        index += key == VK_DOWN ? 1 : -1;
        SCOPED_TRACE("to line " + std::to_string(index));
        ProcessWatch oldPreview(preview);
        const size_t before = savers.TotalStarts();
        PressKey(key);
        ASSERT_TRUE(WaitUntil([&] { return dialog.Selection() == index; })) << "the key did not move the selection";
        const SaverModule& module = ModuleOfLine(dialog, index);
        EXPECT_TRUE(WaitUntil([&] { return DefaultValue() == savers.PathOf(module); })) << DefaultValue();
        preview = ExpectPreviewOf(dialog, savers, module, before);
        EXPECT_TRUE(oldPreview.WaitForExit(5000)) << "the previous preview still runs";
        EXPECT_TRUE(WaitUntil([&] { return dialog.Label() == SettingsDialog::LabelFor(module.description); }))
            << dialog.Label();
    }
    EXPECT_EQ(savers.RunningCount(), 1);
}

TEST_F(DialogList, AClickOnALineMakesItTheDefault)
{
    ClearDefault();
    SettingsDialog dialog;
    ASSERT_NE(dialog.Window(), nullptr);
    const std::vector<std::string> lines = dialog.Lines();
    const int index = static_cast<int>(std::find(lines.begin(), lines.end(), "Fixture Beta") - lines.begin());
    ASSERT_LT(index, static_cast<int>(lines.size()));

    const HWND list = dialog.Item(kSaverListId);
    const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    const int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    POINT point = { 10, (index - top) * height + height / 2 };
    ClientToScreen(list, &point);
    BringToFront(dialog.Window());
    ClickAt(point);

    const SaverModule& beta = savers.ByDescription("Fixture Beta");
    EXPECT_TRUE(WaitUntil([&] { return DefaultValue() == savers.PathOf(beta); })) << DefaultValue();
    EXPECT_EQ(dialog.Selection(), index);
    ExpectPreviewOf(dialog, savers, beta, 0);
    EXPECT_EQ(dialog.Label(), SettingsDialog::LabelFor("Fixture Beta"));
}

TEST_F(DialogList, ManyQuickChangesLeaveOnePreviewAndNoMoreHandles)
{
    const SaverModule& alpha = savers.ByDescription("Fixture Alpha");
    SetDefault(alpha);
    SettingsDialog dialog;
    ASSERT_NE(dialog.Window(), nullptr);
    ExpectPreviewOf(dialog, savers, alpha, 0);
    const int handlesBefore = OpenHandleCount(dialog.ProcessId());

    // Real keys, between two lines, as fast as they can be given. Most previews are ended before
    // they have even logged their start; the one left must be the last line's.
    const int first = dialog.Selection();
    const int other = first + 1 < static_cast<int>(dialog.Lines().size()) ? first + 1 : first - 1;
    const WORD toOther = other > first ? VK_DOWN : VK_UP;
    const WORD back = other > first ? VK_UP : VK_DOWN;
    BringToFront(dialog.Window());
    for (int i = 0; i < kQuickChanges; ++i)
        PressKey(i % 2 == 0 ? toOther : back);

    const SaverModule& last = ModuleOfLine(dialog, other);
    ASSERT_TRUE(WaitUntil(
        [&] {
            return dialog.Selection() == other && DefaultValue() == savers.PathOf(last) &&
                   dialog.Label() == SettingsDialog::LabelFor(last.description);
        },
        60000))
        << "selection " << dialog.Selection() << ", default " << DefaultValue();
    EXPECT_TRUE(WaitUntil([&] {
        const std::vector<FixtureStart> starts = savers.Starts(last);
        const std::vector<DWORD> running = ProcessesNamed(last.fileName);
        return savers.RunningCount() == 1 && running.size() == 1 && !starts.empty() &&
               starts.back().processId == running[0];
    })) << savers.RunningCount() << " previews run";
    Sleep(500);
    EXPECT_EQ(savers.RunningCount(), 1);

    const int handlesAfter = OpenHandleCount(dialog.ProcessId());
    PressButton(dialog.Window(), IDCANCEL);
    EXPECT_TRUE(dialog.WaitForExit());
    EXPECT_TRUE(WaitUntil([&] { return savers.RunningCount() == 0; })) << "a preview outlived the dialog";
    if (handlesBefore < 0 || handlesAfter < 0)
        GTEST_SKIP() << "this system does not give its handle table";
    EXPECT_LE(handlesAfter, handlesBefore + kHandleSlack) << "before: " << handlesBefore;
}

}  // namespace
