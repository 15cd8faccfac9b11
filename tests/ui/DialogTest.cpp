// dozewell.exe :settings as a user meets it, with screen savers of our own where it looks for them.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "support/Harness.h"

namespace {

const int kListId = 1034, kLabelId = 1035, kPreviewAreaId = 1036, kPreviewId = 1037, kConfigureId = 1038;

class Dialog : public ::testing::Test {
protected:
    // Written as UTF-16, as Windows' own settings write it.
    Dialog() { SetText(kDesktopKey, kSaverValue, snow.path); }
    ~Dialog() override
    {
        SetPolicies({});
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        if (run)
            run->Exited();
    }

    void Open()
    {
        run.reset(new Process("\"" + BinDir() + "\\dozewell.exe\" :settings"));
        window = WaitForWindow(run->Id());
        ASSERT_NE(window, nullptr) << "the dialog did not open";
    }
    HWND Item(int id) const { return GetDlgItem(window, id); }
    // Selects the line, or none when there is no such line, as a click does: the list box tells the dialog.
    void Choose(const std::string& line) const
    {
        const std::vector<std::string> lines = Lines(Item(kListId));
        const auto found = std::find(lines.begin(), lines.end(), line);
        Send(Item(kListId), LB_SETCURSEL, found == lines.end() ? -1 : found - lines.begin(), 0);
        Send(window, WM_COMMAND, MAKEWPARAM(kListId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(Item(kListId)));
    }
    // Whether the preview settles as expected: so many previews of the saver started in the preview area, the
    // last the one of our modules that runs, drawing there; with no saver, none started or running.
    bool Previews(const PlacedFile* saver, long count) const
    {
        const std::string command = "\"" + (saver ? saver->reached : "") + "\" /p " +
                                    std::to_string(reinterpret_cast<UINT_PTR>(Item(kPreviewAreaId)));
        std::vector<DWORD> ids;
        return WaitUntil([&] {
                   long previews = 0;
                   ids.clear();
                   for (const PlacedFile* module :
                        { &alpha, &beta, &blank, &gamma, &outside, &snow, &tent, &longest, &deep }) {
                       for (DWORD id : module->Running())
                           ids.push_back(module == saver ? id : 0);
                       for (const auto& start : module->Starts())
                           previews += start.commandLine == command;
                   }
                   return previews == (saver ? count : 0) && ids.size() == (saver ? 1u : 0u) && (!saver || ids[0]);
               }) &&
               (!saver || WaitForWindow(ids[0], Item(kPreviewAreaId)));
    }

    PlacedFile alpha { SystemDir() + "\\dozewell-alpha.scr", "Alpha" },
        beta { SystemDir() + "\\dozewell-beta.scr", "Beta" }, blank { SystemDir() + "\\dozewell-blank.scr" },
        gamma { WindowsDir() + "\\dozewell-gamma.scr", "Aurora" },
        outside { BinDir() + "\\dozewell-outside.scr", "Lines & Bubbles && Co" },
        control { SystemDir() + "\\control.exe" },
        // Names and descriptions beyond code page 1252: two that differ in their last character only; the
        // longest name that Linux takes (255 bytes) with a description of 259 characters; a default of
        // MAX_PATH - 1 characters in folders of their own.
        snow { SystemDir() + "\\dozewell-" + kSnowName + ".scr", kSnowDescription },
        tent { SystemDir() + "\\dozewell-tent-" + kSnowName + ".scr", kTentDescription },
        longest { SystemDir() + "\\" + Repeat(kSnow, 83) + ".scr", Repeat(kSnow, 259).c_str() },
        deep { "C:" + Repeat("\\" + Repeat(kSnow, 80), 3) + "\\" + Repeat(kSnow, 9) + ".scr", "Far" };
    std::unique_ptr<Process> run;
    HWND window = nullptr;
};

TEST_F(Dialog, ShowsTheSaversAndMakesEachChoiceTheDefaultAtOnceAndPreviewsIt)
{
    Open();
    EXPECT_EQ(Box(window), "Dozewell : Change Default ScreenSaver, 2, icon 0");
    std::string controls;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = {}, style[16];
        GetClassNameA(child, className, sizeof className);
        snprintf(style, sizeof style, "%lx",
                 GetWindowLongA(child, GWL_STYLE) & (0xFFFF | WS_TABSTOP | WS_GROUP | WS_VISIBLE));
        controls += std::to_string(GetDlgCtrlID(child)) + " " + className + " " + style + " " + Text(child) + "\n";
    }
    // In their tab order; the list unsorted and telling of each change, the preview area sunken, the label showing
    // an '&' as written. Before the list, and so its name for screen readers, a hidden static.
    EXPECT_EQ(controls, "1039 Static 0 Screen savers\n1034 ListBox 10010101 \n2 Button 10010000 Close\n"
                        "1035 Static 10020080 Default ScreenSaver : " +
                            std::string(kSnowDescription) +
                            "\n1036 Static 10021000 Selected ScreenSaver Preview\n"
                            "1037 Button 10010000 &Preview\n1038 Button 10010000 &Configure\n");
    GUITHREADINFO thread = {};
    thread.cbSize = sizeof thread;
    EXPECT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread) &&
                thread.hwndFocus == Item(kListId))
        << "the focus does not start on the list";
    EXPECT_EQ(Lines(Item(kListId)), std::vector<std::string>({ "Alpha", "Beta", "", kTentDescription, kSnowDescription,
                                                               longest.description, "Aurora" }));
    EXPECT_EQ(Send(Item(kListId), LB_GETCURSEL, 0, 0), 4) << "the default is not selected";
    RECT frame, screen;
    GetWindowRect(window, &frame);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    EXPECT_NEAR(frame.left + frame.right, screen.left + screen.right, 2) << "the dialog is not centred";
    EXPECT_NEAR(frame.top + frame.bottom, screen.top + screen.bottom, 2);
    // One icon, the program's, for both sizes.
    const HANDLE icon = GetPropA(window, "Dozewell.AppIcon");
    EXPECT_TRUE(icon && GetPropA(window, "Dozewell.BigIcon") == icon && GetPropA(window, "Dozewell.SmallIcon") == icon);

    ASSERT_TRUE(Previews(&snow, 1)) << "no preview ran";
    // Each change writes the default, rewrites the label and starts the preview anew, also for the same line.
    const struct {
        const char* line;
        const PlacedFile& saver;
        WORD key;  // 0: chosen with the mouse
    } choices[] = {
        { "Aurora", gamma, 0 },        { "Alpha", alpha, 0 },         { "Alpha", alpha, 0 },
        { "Beta", beta, 0 },           { "Alpha", alpha, VK_UP },     { "Aurora", gamma, VK_END },
        { kTentDescription, tent, 0 }, { kSnowDescription, snow, 0 }, { longest.description.c_str(), longest, 0 }
    };
    std::map<const PlacedFile*, long> previews = { { &snow, 1 } };
    for (const auto& choice : Rows(choices)) {
        choice.key ? Key(window, choice.key) : Choose(choice.line);
        EXPECT_TRUE(WaitUntil([&] { return DefaultSaver() == choice.saver.path; })) << choice.line;
        EXPECT_EQ(Text(Item(kLabelId)), std::string("Default ScreenSaver : ") + choice.line);
        EXPECT_TRUE(Previews(&choice.saver, ++previews[&choice.saver])) << "no new preview of " << choice.line;
    }
    // Quick changes leave one preview, of the last choice; Enter in the list closes, the choice kept.
    for (int i = 0; i < 100; ++i)
        Choose(i % 2 ? "Alpha" : "Beta");
    Choose("Aurora");
    EXPECT_TRUE(Previews(&gamma, ++previews[&gamma]));
    Key(window, VK_RETURN);
    EXPECT_TRUE(run->Exited());
    EXPECT_TRUE(WaitUntil([&] { return gamma.Running().empty(); })) << "the preview outlived the dialog";
    EXPECT_EQ(DefaultSaver(), gamma.path) << "closing undid the choice";
}

TEST_F(Dialog, ButtonsStartTheDefaultOrAskOrOpenTheSettingsAndEscapeOrCloseEndIt)
{
    const std::string settings = "\"" + control.reached + "\"  desk.cpl ,1 5", set = " (set by policy)",
                      locked = " (locked by policy)";
    const PolicyValue gone = { kSaverValue, REG_SZ, "gone.scr" };
    const auto start = [](const PlacedFile& saver) {
        return std::vector<std::string> { "\"" + saver.reached + "\" 5" };
    };
    const struct {
        const PlacedFile* saver;            // the default that Windows runs; none when null
        std::vector<int> clicks;            // buttons, and the answer to the box that one shows
        std::vector<std::string> launched;  // from the default, else control.exe: program (and parameters), show
        std::vector<PolicyValue> policies;
        // The user's value, with environment strings a REG_EXPAND_SZ; what the label adds, where a policy decides.
        std::string user, note;
        const PlacedFile* chosen = nullptr;  // the line chosen once open, else none
    } cases[] = {
        // A default outside both directories: no line selected, yet it is labelled, its "&"s as written, and
        // previewed. Escape ends.
        { &outside, { kPreviewId }, start(outside), {}, outside.path, "" },
        { &deep, { kPreviewId }, start(deep), {}, deep.path, "" },
        { &gamma, { kPreviewId }, start(gamma), {}, "%SystemRoot%\\dozewell-gamma.scr", "" },
        // No default: Preview asks, as the command line does; Configure does not.
        { nullptr, { kPreviewId, IDNO, kConfigureId, kPreviewId, IDYES }, { settings, settings }, {}, "", "" },
        // The administrator's screen saver: selected, labelled, previewed and started, but not to be changed.
        { &alpha, { kPreviewId }, start(alpha), { { kSaverValue, REG_SZ, "dozewell-alpha.scr" } }, beta.path, set },
        { &gamma, { kPreviewId }, start(gamma), { { kSaverValue, REG_EXPAND_SZ, gamma.path } }, beta.path, set },
        // A forced module that is not installed counts for nothing, as Windows ignores it: the user's own is
        // chosen, stored and started, unless another policy decides.
        { &beta, { kPreviewId }, start(alpha), { gone }, beta.path, "", &alpha },
        { nullptr, { kPreviewId }, start(alpha), { gone }, "", "", &alpha },
        { &beta, { kPreviewId }, start(beta), { gone, { kNoSaverPage, REG_DWORD, "1" } }, beta.path, locked },
        { &beta, { kPreviewId, IDOK }, {}, { { kSaverActive, REG_DWORD, "0" } }, beta.path, " (off by policy)" },
        { &beta, { kPreviewId }, start(beta), { { kNoSaverPage, REG_DWORD, "1" } }, beta.path, locked },
    };
    for (const auto& c : Rows(cases)) {
        SetPolicies(c.policies);
        const bool fixed = !c.note.empty();
        c.user.empty() ? DeleteValue(kDesktopKey, kSaverValue)
                       : SetValue(kDesktopKey, kSaverValue, c.user[0] == '%' ? REG_EXPAND_SZ : REG_SZ, c.user + '\0');
        const std::string label = "Default ScreenSaver : " + (c.saver ? c.saver->description : "None") + c.note,
                          settings = SaverSettings();
        Open();
        const std::vector<std::string> lines = Lines(Item(kListId));
        const auto lineOf = [&](const PlacedFile* saver) -> LRESULT {
            const auto line = std::find(lines.begin(), lines.end(), saver ? saver->description : "~");
            return line == lines.end() ? LB_ERR : line - lines.begin();
        };
        const LRESULT selected = lineOf(c.saver);
        EXPECT_EQ(Text(Item(kLabelId)), label);
        EXPECT_EQ(Send(Item(kListId), LB_GETCURSEL, 0, 0), selected);
        EXPECT_EQ(IsWindowEnabled(Item(kListId)), !fixed) << label;
        EXPECT_TRUE(Previews(c.saver, 1)) << label;
        // What a policy set the disabled list keeps from keys and clicks; a change by a message writes nothing and
        // leaves the selection as it was, yet previews and labels anew.
        Choose(fixed ? "Aurora" : c.chosen ? c.chosen->description : "no such line");
        const PlacedFile* saver = c.chosen ? c.chosen : c.saver;
        if (c.chosen)
            EXPECT_EQ(DefaultSaver(), c.chosen->path) << label;
        else
            EXPECT_EQ(SaverSettings(), settings) << label;
        EXPECT_EQ(Send(Item(kListId), LB_GETCURSEL, 0, 0), fixed ? selected : lineOf(c.chosen)) << label;
        EXPECT_EQ(Text(Item(kLabelId)), c.chosen ? "Default ScreenSaver : " + c.chosen->description : label);
        EXPECT_TRUE(Previews(saver, c.chosen ? 1 : 2)) << label;
        for (int click : c.clicks) {
            const bool answer = click == IDYES || click == IDNO || click == IDOK;
            const HWND box = answer ? WaitForWindow(run->Id(), nullptr, window) : window;
            EXPECT_TRUE(!answer ||
                        (box && Box(box) == (click == IDOK ? "Dozewell, 1, icon 32516" : "Dozewell, 6 7, icon 32514")))
                << "no box, or not alone";
            Press(box, click);
            WaitUntil([&] { return !answer || !IsWindow(box); });
        }
        const PlacedFile& launcher = saver ? *saver : control;
        EXPECT_TRUE(WaitUntil(
            [&] { return launcher.Launches(!saver).size() >= c.launched.size() && control.Running().empty(); }));
        EXPECT_EQ(launcher.Launches(!saver), c.launched);
        EXPECT_TRUE(Previews(saver, c.chosen ? 1 : 2)) << "the preview was restarted, though the list did not change";
        c.saver == &outside ? Key(window, VK_ESCAPE) : Press(window, IDCANCEL);
        EXPECT_TRUE(run->Exited()) << "the dialog did not close";
        for (const PlacedFile* file : { &alpha, &beta, &gamma, &outside, &deep, &control })
            DeleteFileA(file->log.c_str());
    }
}

// On 64-bit Windows the x64 and the x86 build (this row runs in both suites, on one prefix) list the real
// system directory, where 64-bit screen savers are, not a 32-bit one found only in SysWOW64, preview and
// start the module chosen, and store it so that a 64-bit program, as Windows' own, starts it too.
TEST_F(Dialog, OffersAndStoresWhatWindowsOwn64BitSideStarts)
{
    const std::string wow64 = WindowsDir() + "\\SysWOW64", builds = "..\\..\\..\\";
    if (GetFileAttributesA(wow64.c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "32-bit Windows";
    PlacedFile wide(SystemDir() + "\\dozewell-wide.scr", "Wide", builds + "x64\\bin\\fixtures\\saver_fixture.scr"),
        narrow(wow64 + "\\dozewell-narrow.scr", "Narrow", builds + "x86\\bin\\fixtures\\saver_fixture.scr");
    Open();
    EXPECT_EQ(Lines(Item(kListId)), std::vector<std::string>({ "Alpha", "Beta", "", kTentDescription, "Wide",
                                                               kSnowDescription, longest.description, "Aurora" }));
    Choose("Wide");
    EXPECT_EQ(DefaultSaver(), wide.path);
    Press(window, kPreviewId);
    EXPECT_TRUE(WaitUntil([&] { return wide.Launches(false).size() == 1; })) << "Preview started another module";
    SetValue(kProfileKey, kNoticeValue, REG_DWORD, std::string("\1\0\0\0", 4));
    Process start("\"" + BinDir() + "\\..\\..\\x64\\bin\\dozewell.exe\"");
    EXPECT_TRUE(WaitUntil([&] { return wide.Launches(false).size() == 2; })) << "not the module chosen";
}

// Laid out at the display's scale (Wine reads LogPixels as each program starts), the preview filling its frame,
// also when the frame changes size, as Windows resizes it for a monitor of another scale. Wine's desktop keeps
// the scale that it started with, and Wine maps a size passed to another process's window with it: the resize
// is shown at that scale only.
TEST_F(Dialog, IsLaidOutAtTheDisplaysScaleWithThePreviewFillingItsFrame)
{
    const RegValue before = ReadValue(kDesktopKey, "LogPixels");
    GetDesktopWindow();  // started, if it is not yet, at the prefix's own scale
    // The template's 347 x 167 dialog units in MS Sans Serif 8: 7 x 13 pixels a 4 x 8 units at 96, 10 x 19 at 144.
    const LONG cases[][3] = { { 96, 607, 271 }, { 144, 868, 397 } };
    for (const auto& c : Rows(cases)) {
        SetValue(kDesktopKey, "LogPixels", REG_DWORD, std::string(reinterpret_cast<const char*>(&c[0]), 4));
        Open();
        RECT client;
        GetClientRect(window, &client);
        EXPECT_EQ(client.right * 1000 + client.bottom, c[1] * 1000 + c[2]) << c[0] << " DPI";
        const HWND frame = Item(kPreviewAreaId);
        const auto filled = [&] {
            RECT area, preview;
            GetClientRect(frame, &area);
            MapWindowPoints(frame, nullptr, reinterpret_cast<POINT*>(&area), 2);
            return GetWindowRect(GetWindow(frame, GW_CHILD), &preview) && EqualRect(&area, &preview);
        };
        EXPECT_TRUE(WaitUntil(filled)) << c[0] << " DPI: the preview does not fill its frame";
        if (c[0] == 96) {
            SetWindowPos(frame, nullptr, 0, 0, c[1] / 3, c[2] / 3, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            EXPECT_TRUE(WaitUntil(filled)) << "the preview did not follow its frame";
        }
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(run->Exited());
    }
    before.exists ? SetValue(kDesktopKey, "LogPixels", before.type, before.data)
                  : DeleteValue(kDesktopKey, "LogPixels");
}

}  // namespace
