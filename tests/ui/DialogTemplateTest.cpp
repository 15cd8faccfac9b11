// The dialog's template: as the executable stores it, and as the running dialog shows it with
// its icon.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TestProcess.h"
#include "support/TestResources.h"
#include "support/TestRegistry.h"
#include "support/TestWindows.h"
#include "ui/SettingsDialog.h"

namespace {

const WORD kDialogId = 142;
const LANGID kEnglishUk = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK);

struct ItemTemplate {
    WORD id;
    std::string className;  // "#<atom>" for a predefined class
    std::string text;
    short x, y, cx, cy;
    DWORD style;
};

bool operator==(const ItemTemplate& a, const ItemTemplate& b)
{
    return a.id == b.id && a.className == b.className && a.text == b.text && a.x == b.x && a.y == b.y &&
           a.cx == b.cx && a.cy == b.cy && a.style == b.style;
}

std::ostream& operator<<(std::ostream& out, const ItemTemplate& item)
{
    return out << item.id << " " << item.className << " \"" << item.text << "\" (" << item.x << ", " << item.y
               << ", " << item.cx << ", " << item.cy << ") style 0x" << std::hex << item.style << std::dec;
}

const ItemTemplate kItems[] = {
    { 1034, "#131", "", 8, 8, 162, 114, 0x50A10101 },
    { 2, "#128", "Close", 279, 140, 57, 18, 0x50010000 },
    { 1035, "#130", "Static", 8, 127, 182, 8, 0x50020000 },
    { 1036, "#130", "Selected ScreenSaver Preview", 176, 8, 162, 114, 0x50021000 },
    { 1037, "#128", "&Preview", 8, 140, 57, 18, 0x50010000 },
    { 1038, "#128", "&Configure", 69, 140, 57, 18, 0x50010000 },
};

// Reads a standard dialog template; the reader stops at the end of the resource.
class TemplateReader {
public:
    TemplateReader(const BYTE* data, DWORD size) : m_data(data), m_size(size) {}

    bool Ok() const { return m_ok; }
    WORD Word() { return Read<WORD>(); }
    DWORD Dword() { return Read<DWORD>(); }
    short Short() { return Read<short>(); }
    // A name or ordinal field: "" when absent, "#<n>" for an ordinal, else the text.
    std::string NameOrOrdinal()
    {
        const WORD first = Word();
        if (first == 0)
            return "";
        if (first == 0xFFFF)
            return "#" + std::to_string(Word());
        std::string text(1, static_cast<char>(first));
        while (WORD c = Word())
            text += static_cast<char>(c);
        return text;
    }
    void AlignToDword() { m_offset = (m_offset + 3) & ~3u; }

private:
    template <typename T>
    T Read()
    {
        T value = 0;
        if (m_offset + sizeof(T) > m_size) {
            m_ok = false;
            return value;
        }
        memcpy(&value, m_data + m_offset, sizeof(T));
        m_offset += sizeof(T);
        return value;
    }

    const BYTE* m_data;
    DWORD m_size;
    DWORD m_offset = 0;
    bool m_ok = true;
};

TEST(DialogTemplate, IsStoredInTheExecutableExactlySo)
{
    ResourceImage exe(DozewellPath());
    ASSERT_NE(exe.Get(), nullptr) << DozewellPath();
    const std::string data = exe.Data(RT_DIALOG, MAKEINTRESOURCEA(kDialogId), kEnglishUk);
    ASSERT_FALSE(data.empty()) << "no dialog 142 in English (United Kingdom)";

    TemplateReader reader(reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
    const DWORD style = reader.Dword();
    EXPECT_EQ(style, 0x80C800C0u) << "a standard template (not DLGTEMPLATEEX) with these styles";
    EXPECT_EQ(reader.Dword(), 0u) << "extended style";
    const WORD count = reader.Word();
    EXPECT_EQ(count, 6);
    const short x = reader.Short(), y = reader.Short(), cx = reader.Short(), cy = reader.Short();
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(cx, 347);
    EXPECT_EQ(cy, 167);
    EXPECT_EQ(reader.NameOrOrdinal(), "") << "menu";
    EXPECT_EQ(reader.NameOrOrdinal(), "") << "class";
    EXPECT_EQ(reader.NameOrOrdinal(), "Dozewell : Change Default ScreenSaver");
    EXPECT_EQ(reader.Word(), 8) << "point size";
    EXPECT_EQ(reader.NameOrOrdinal(), "MS Sans Serif");

    std::vector<ItemTemplate> items;
    for (WORD i = 0; i < count && reader.Ok(); ++i) {
        reader.AlignToDword();
        ItemTemplate item;
        item.style = reader.Dword();
        EXPECT_EQ(reader.Dword(), 0u) << "extended style of control " << i;
        item.x = reader.Short();
        item.y = reader.Short();
        item.cx = reader.Short();
        item.cy = reader.Short();
        item.id = reader.Word();
        item.className = reader.NameOrOrdinal();
        item.text = reader.NameOrOrdinal();
        EXPECT_EQ(reader.Word(), 0) << "creation data of control " << i;
        items.push_back(item);
    }
    ASSERT_TRUE(reader.Ok()) << "the template ends early";
    EXPECT_EQ(items, std::vector<ItemTemplate>(std::begin(kItems), std::end(kItems)));
}

using DialogWindow = DialogTest;

struct LiveItem {
    int id;
    const char* className;
    const char* text;
    DWORD keptStyle;  // bits of the template's style that the live control still has
};

// What a window's icons are, read from inside its process by the icon_probe hook.
struct WindowIcons {
    HANDLE big = nullptr;
    HANDLE small = nullptr;
    HANDLE application = nullptr;
};

WindowIcons ReadIcons(HWND window)
{
    WindowIcons icons;
    HMODULE probe = LoadLibraryA(FixturePath("icon_probe.dll").c_str());
    EXPECT_NE(probe, nullptr) << FixturePath("icon_probe.dll");
    const auto hook = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(probe, "IconProbeHook")));
    HHOOK hooked = hook ? SetWindowsHookExA(WH_CALLWNDPROC, hook, probe, GetWindowThreadProcessId(window, nullptr))
                        : nullptr;
    EXPECT_NE(hooked, nullptr) << "cannot hook the dialog's thread";
    if (hooked) {
        SendMessageTimeoutA(window, RegisterWindowMessageA("Dozewell.IconProbe"), 0, 0, SMTO_ABORTIFHUNG, 5000,
                            nullptr);
        UnhookWindowsHookEx(hooked);
        icons.big = GetPropA(window, "Dozewell.BigIcon");
        icons.small = GetPropA(window, "Dozewell.SmallIcon");
        icons.application = GetPropA(window, "Dozewell.AppIcon");
    }
    if (probe)
        FreeLibrary(probe);
    return icons;
}

TEST_F(DialogWindow, ShowsTheTemplateCentredWithTheFocusInTheListAndTheIcon)
{
    ClearDefault();
    SettingsDialog dialog;
    const HWND window = dialog.Window();
    ASSERT_NE(window, nullptr);

    EXPECT_EQ(WindowText(window), "Dozewell : Change Default ScreenSaver");
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr) << "no owner window";
    const DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    const DWORD expected = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    EXPECT_EQ(style & expected, expected) << std::hex << style;
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD), 0u) << std::hex << style;

    // Children in creation (tab and z-) order. Live styles differ from the template's (Wine moves
    // WS_BORDER to an extended style and drops WS_VSCROLL while the lines fit); these bits stay.
    const LiveItem items[] = {
        { 1034, "ListBox", "", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT },
        { 2, "Button", "Close", WS_TABSTOP },
        { 1035, "Static", "Default ScreenSaver : None", WS_GROUP },
        { 1036, "Static", "Selected ScreenSaver Preview", WS_GROUP | SS_SUNKEN },
        { 1037, "Button", "&Preview", WS_TABSTOP },
        { 1038, "Button", "&Configure", WS_TABSTOP },
    };
    RECT client;
    GetClientRect(window, &client);
    const double unitX = client.right / 347.0;
    const double unitY = client.bottom / 167.0;
    HWND child = GetWindow(window, GW_CHILD);
    for (size_t i = 0; i < std::size(items); ++i, child = GetWindow(child, GW_HWNDNEXT)) {
        ASSERT_NE(child, nullptr) << "control " << i << " is missing";
        const LiveItem& item = items[i];
        char className[64] = {};
        GetClassNameA(child, className, sizeof className);
        EXPECT_EQ(GetDlgCtrlID(child), item.id) << "control " << i;
        EXPECT_STRCASEEQ(className, item.className) << "control " << i;
        EXPECT_EQ(WindowText(child), item.text) << "control " << i;
        const DWORD childStyle = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
        EXPECT_EQ(childStyle & item.keptStyle, item.keptStyle) << "control " << i << std::hex << " style " << childStyle;
        if (lstrcmpiA(className, "Button") == 0) {
            EXPECT_EQ(childStyle & BS_TYPEMASK, static_cast<DWORD>(BS_PUSHBUTTON)) << "not a default button: " << i;
        }
        if (item.id == kSaverListId) {
            EXPECT_EQ(childStyle & LBS_SORT, 0u) << "the list keeps the catalogue's order";
        }
        // Where the template places it, in the dialog units of the live window.
        RECT box;
        GetWindowRect(child, &box);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&box), 2);
        const ItemTemplate& placed = kItems[i];
        EXPECT_NEAR(box.left, placed.x * unitX, 2.0) << "control " << i;
        EXPECT_NEAR(box.top, placed.y * unitY, 2.0) << "control " << i;
        EXPECT_NEAR(box.right - box.left, placed.cx * unitX, 2.0) << "control " << i;
        EXPECT_NEAR(box.bottom - box.top, placed.cy * unitY, 2.0) << "control " << i;
    }
    EXPECT_EQ(child, nullptr) << "more than six controls";

    // Position (0, 0) in the template: the dialog is centred on the work area.
    RECT area, box;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(window, &box);
    EXPECT_NEAR((box.left + box.right) / 2.0, (area.left + area.right) / 2.0, 1.0);
    EXPECT_NEAR((box.top + box.bottom) / 2.0, (area.top + area.bottom) / 2.0, 1.0);

    GUITHREADINFO thread = {};
    thread.cbSize = sizeof thread;
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread));
    EXPECT_EQ(thread.hwndFocus, dialog.Item(kSaverListId)) << "the first tab stop has the focus";

    const WindowIcons icons = ReadIcons(window);
    EXPECT_NE(icons.application, nullptr) << "icon 128 of dozewell.exe";
    EXPECT_EQ(icons.big, icons.application);
    EXPECT_EQ(icons.small, icons.application);
}

}  // namespace
