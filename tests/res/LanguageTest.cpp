// Dozewell and Dozewell Drift in each display language: every language's resources against English's, the
// programs run in each locale, and every text measured in its control.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "support/Harness.h"

namespace {

const UINT kDialogId = 142, kReadingOrderId = 0xE00F, kNoticeId = 2, kQuestionId = 3, kLabelId = 5, kNoDefaultId = 6,
           kNoteIds[] = { 7, 8, 9 }, kListNameId = 10, kNoSettingsId = 2, kLockFailedId = 1;
const int kLabel = 1035, kFrame = 1036, kPreview = 1037, kConfigure = 1038, kListName = 1039;
const LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
// RT_STRING and RT_DIALOG, as the Unicode calls take them.
const LPCWSTR kStrings = MAKEINTRESOURCEW(6), kDialogs = MAKEINTRESOURCEW(5);

// A locale that Wine starts in, and the language whose resources the programs must then show: where no translation
// fits, English; another country of a translated language, that translation.
const std::map<std::string, LANGID> kRows = {
    { "de_DE", 0x0007 },   { "fr_FR", 0x000C },   { "es_ES", 0x000A },   { "it_IT", 0x0010 },   { "pt_BR", 0x0416 },
    { "nl_NL", 0x0013 },   { "pl_PL", 0x0015 },   { "ru_RU", 0x0019 },   { "tr_TR", 0x001F },   { "ja_JP", 0x0011 },
    { "ko_KR", 0x0012 },   { "zh_CN", 0x0804 },   { "zh_TW", 0x0404 },   { "ar_SA", 0x0001 },   { "he_IL", 0x000D },
    { "en_US", kEnglish }, { "en_GB", kEnglish }, { "fi_FI", kEnglish }, { "sv_SE", kEnglish }, { "de_AT", 0x0007 },
    { "de_CH", 0x0007 },   { "es_MX", 0x000A },   { "fr_CA", 0x000C }
};
// Wine's fonts here draw no CJK: those languages' texts cannot be measured.
const std::set<LANGID> kUnmeasured = { 0x0011, 0x0012, 0x0804, 0x0404 };

using Module = std::unique_ptr<HINSTANCE__, BOOL(WINAPI*)(HMODULE)>;
using Window = std::unique_ptr<HWND__, BOOL(WINAPI*)(HWND)>;

Module Resources(const char* program)
{
    const std::string path = BinDir() + "\\" + program;
    return { LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE),
             FreeLibrary };
}
BOOL CALLBACK AddName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names)
{
    reinterpret_cast<std::vector<LPCWSTR>*>(names)->push_back(name);
    return TRUE;
}
BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR languages)
{
    reinterpret_cast<std::set<LANGID>*>(languages)->insert(language);
    return TRUE;
}
INT_PTR CALLBACK IgnoreMessage(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

std::vector<LPCWSTR> Names(HMODULE module, LPCWSTR type)
{
    std::vector<LPCWSTR> names;
    EnumResourceNamesW(module, type, AddName, reinterpret_cast<LONG_PTR>(&names));
    return names;
}
// The languages that the module holds a resource of the type in.
std::set<LANGID> Languages(HMODULE module, LPCWSTR type)
{
    std::set<LANGID> languages;
    for (LPCWSTR name : Names(module, type))
        EnumResourceLanguagesW(module, type, name, AddLanguage, reinterpret_cast<LONG_PTR>(&languages));
    return languages;
}
// The language's strings by id, the empty ones left out, as LoadStringW reads them: a block holds sixteen counted
// strings.
std::map<UINT, std::wstring> Strings(HMODULE module, LANGID language)
{
    std::map<UINT, std::wstring> strings;
    for (LPCWSTR block : Names(module, kStrings)) {
        const HRSRC found = FindResourceExW(module, kStrings, block, language);
        const auto* at = found ? static_cast<const WORD*>(LockResource(LoadResource(module, found))) : nullptr;
        const UINT first = (static_cast<UINT>(reinterpret_cast<UINT_PTR>(block)) - 1) * 16;
        for (UINT id = first; at && id < first + 16; at += 1 + *at, ++id)
            if (*at)
                strings[id] = std::wstring(reinterpret_cast<const wchar_t*>(at + 1), *at);
    }
    return strings;
}
std::wstring String(HMODULE module, UINT id, LANGID language)
{
    return Strings(module, language)[id];
}

// The language's dialog, made hidden from its template, its font at dpi as Windows sizes it there (points times
// dots an inch); null where the language has none.
Window Dialog(HMODULE module, LANGID language, int dpi = 96)
{
    const HRSRC found = FindResourceExW(module, kDialogs, MAKEINTRESOURCEW(kDialogId), language);
    const auto* data = found ? static_cast<const BYTE*>(LockResource(LoadResource(module, found))) : nullptr;
    std::vector<BYTE> bytes(data, data + (found ? SizeofResource(module, found) : 0));
    if (bytes.empty())
        return { nullptr, DestroyWindow };
    // The point size follows the caption: the template names neither menu nor class.
    const auto* caption = reinterpret_cast<const wchar_t*>(&bytes[sizeof(DLGTEMPLATE) + 2 * sizeof(WORD)]);
    auto* points = reinterpret_cast<WORD*>(const_cast<wchar_t*>(caption + wcslen(caption) + 1));
    *points = static_cast<WORD>(MulDiv(*points, dpi, 96));
    return { CreateDialogIndirectParamW(nullptr, reinterpret_cast<const DLGTEMPLATE*>(bytes.data()), nullptr,
                                        IgnoreMessage, 0),
             DestroyWindow };
}

// A dialog's controls in order, as it holds them.
struct Control {
    int id;
    std::wstring type, text;
};
std::vector<Control> Controls(HWND dialog)
{
    std::vector<Control> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t type[64] = {}, text[1024] = {};
        GetClassNameW(child, type, ARRAYSIZE(type));
        GetWindowTextW(child, text, ARRAYSIZE(text));
        controls.push_back({ GetDlgCtrlID(child), type, text });
    }
    return controls;
}

// What every language's text has as English's has it: its placeholders, lines and access keys.
std::wstring Shape(std::wstring text)
{
    text.erase(std::remove_if(text.begin(), text.end(), [](wchar_t c) { return !wcschr(L"%\n&", c); }), text.end());
    return text;
}
std::vector<std::wstring> Shapes(HMODULE module, LANGID language)
{
    std::vector<std::wstring> shapes;
    for (const auto& string : Strings(module, language))
        shapes.push_back(std::to_wstring(string.first) + L" " + Shape(string.second));
    for (const Control& control : Controls(Dialog(module, language).get()))
        shapes.push_back(std::to_wstring(control.id) + L" " + control.type + L" " + Shape(control.text));
    return shapes;
}

// Every language holds English's strings and dialog controls and nothing else, so that a string added to English
// alone fails; the names stay; Preview and Configure have keys of their own.
TEST(Languages, EveryLanguageHoldsEnglishsStringsAndDialogControlsAndNothingElse)
{
    std::set<LANGID> languages;
    for (const auto& row : kRows)
        languages.insert(row.second);
    const Module dozewell = Resources("dozewell.exe"), drift = Resources("dozewell-drift.scr");
    EXPECT_EQ(Languages(dozewell.get(), kStrings), languages);
    EXPECT_EQ(Languages(dozewell.get(), kDialogs), languages);
    EXPECT_EQ(Languages(drift.get(), kStrings), languages);
    for (LANGID language : languages) {
        SCOPED_TRACE("language " + std::to_string(language));
        EXPECT_EQ(Shapes(dozewell.get(), language), Shapes(dozewell.get(), kEnglish));
        EXPECT_EQ(Shapes(drift.get(), language), Shapes(drift.get(), kEnglish));
        EXPECT_EQ(String(drift.get(), 1, language), L"Dozewell Drift");
        EXPECT_EQ(String(dozewell.get(), 0xE000, language), L"Dozewell");
        const Window dialog = Dialog(dozewell.get(), language);
        LOGFONTW font = {};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog.get(), WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_EQ(std::wstring(font.lfFaceName), language == kEnglish ? L"MS Sans Serif" : L"MS Shell Dlg");
        std::wstring keys;
        for (const Control& control : Controls(dialog.get()))
            if (control.id == kPreview || control.id == kConfigure)
                keys += static_cast<wchar_t>(std::towupper(control.text[control.text.find(L'&') + 1]));
        EXPECT_TRUE(keys.size() == 2 && keys[0] != keys[1]) << "Preview and Configure share an access key";
    }
}

// The text of the box that the program shows next, which is then answered. (Wine lays a box out by its own
// locale, right to left in Arabic and Hebrew, whatever MB_RTLREADING and MB_RIGHT ask: only Windows shows those.)
std::string Answer(const Process& run, int button)
{
    const HWND box = WaitForWindow(run.Id());
    const std::string text = box ? Text(GetDlgItem(box, 0xFFFF)) : "no box";
    Press(box, button);
    WaitUntil([&] { return !IsWindow(box); });
    return text;
}

// Run by ctest once in each row's locale (LC_ALL): Wine takes the display language from the locale that a process
// starts in, and its children inherit it; a variable set in this process would reach only their Windows
// environment. The dialog, the notice, the question and Drift's box show the row's language, read against that
// language's resources and against English's; a right-to-left dialog holds an unmirrored preview.
TEST(Languages, InTheLocaleOfTheRunTheProgramsShowItsLanguageOrElseEnglish)
{
    char locale[64] = {};
    if (!GetEnvironmentVariableA("LC_ALL", locale, sizeof locale))
        GTEST_SKIP() << "run once for each locale, by ctest";
    const std::string name = std::string(locale).substr(0, std::string(locale).find('.'));
    ASSERT_EQ(kRows.count(name), 1u) << "no row for " << locale;
    const LANGID language = kRows.at(name);
    const Module dozewell = Resources("dozewell.exe"), drift = Resources("dozewell-drift.scr");
    const Window dialog = Dialog(dozewell.get(), language);
    // A text shown as the language has it, and English only where English is the language.
    const auto expectShown = [&](const std::string& shown, HMODULE module, UINT id) {
        EXPECT_EQ(shown, Utf8(String(module, id, language))) << id;
        EXPECT_EQ(language == kEnglish, shown == Utf8(String(module, id, kEnglish))) << id;
    };

    PlacedFile saver { SystemDir() + "\\dozewell-language.scr", "Lang" };
    SetText(kDesktopKey, kSaverValue, saver.path);
    {
        Process run("\"" + BinDir() + "\\dozewell.exe\" :settings");
        const HWND window = WaitForWindow(run.Id());
        ASSERT_NE(window, nullptr);
        // English exactly as it always was; a translation never English.
        EXPECT_EQ(Text(window), Text(dialog.get()));
        EXPECT_EQ(language == kEnglish, Text(window) == "Dozewell : Change Default ScreenSaver");
        for (const Control& control : Controls(dialog.get())) {
            if (control.id != kLabel) {
                EXPECT_EQ(Text(GetDlgItem(window, control.id)), Utf8(control.text)) << control.id;
            }
        }
        wchar_t label[1024] = {};
        wsprintfW(label, String(dozewell.get(), kLabelId, language).c_str(), L"Lang", L"");
        EXPECT_EQ(Text(GetDlgItem(window, kLabel)), Utf8(label));
        expectShown(Text(GetDlgItem(window, kListName)), dozewell.get(), kListNameId);
        EXPECT_EQ((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0,
                  String(dozewell.get(), kReadingOrderId, language) == L"RTL");
        ASSERT_TRUE(WaitUntil([&] { return saver.Running().size() == 1; }));
        const HWND preview = WaitForWindow(saver.Running()[0], GetDlgItem(window, kFrame));
        EXPECT_TRUE(preview && !(GetWindowLongA(preview, GWL_EXSTYLE) & WS_EX_LAYOUTRTL)) << "a mirrored preview";
        Press(window, IDCANCEL);
        EXPECT_TRUE(run.Exited());
    }
    DeleteValue(kDesktopKey, kSaverValue);
    DeleteValue(kProfileKey, kNoticeValue);
    {
        Process run("\"" + BinDir() + "\\dozewell.exe\"");
        expectShown(Answer(run, IDOK), dozewell.get(), kNoticeId);
        expectShown(Answer(run, IDNO), dozewell.get(), kQuestionId);
        EXPECT_TRUE(run.Exited());
    }
    Process run("\"" + BinDir() + "\\dozewell-drift.scr\" /c");
    expectShown(Answer(run, IDOK), drift.get(), kNoSettingsId);
    EXPECT_TRUE(run.Exited());
}

// Run by ctest with Russian for display and a Western code page (LC_MESSAGES, LC_CTYPE), as Windows before 10 1903
// runs Dozewell, ignoring its request for UTF-8: a copy without that request still shows the translation whole.
TEST(Languages, BeyondTheAnsiCodePageTheTranslationShowsWhole)
{
    if (!GetEnvironmentVariableA("LC_MESSAGES", nullptr, 0))
        GTEST_SKIP() << "run by ctest, in its locales";
    ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8)) << "this suite's own code page";
    // Its manifest replaced by one without the request.
    const PlacedFile copy(BinDir() + "\\dozewell-code-page.exe", nullptr, "..\\dozewell.exe");
    const HANDLE update = BeginUpdateResourceA(copy.path.c_str(), FALSE);
    const char manifest[] = "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\"/>";
    UpdateResourceA(update, RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID, kEnglish, const_cast<char*>(manifest),
                    sizeof manifest - 1);
    ASSERT_TRUE(EndUpdateResourceA(update, FALSE));
    Process run("\"" + copy.path + "\" :lock");
    EXPECT_EQ(Answer(run, IDOK), Utf8(String(Resources("dozewell.exe").get(), kLockFailedId, 0x0019)));
    EXPECT_TRUE(run.Exited());
}

// Width of text in the font, in one line, or its height broken into lines within width.
SIZE Measure(HWND window, HFONT font, const std::wstring& text, LONG width = 0)
{
    const HDC dc = GetDC(window);
    const HGDIOBJ previous = SelectObject(dc, font);
    RECT area = { 0, 0, width, 0 };
    DrawTextW(dc, text.c_str(), -1, &area, DT_CALCRECT | (width ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return { area.right, area.bottom };
}

// Every text fits its control in the dialog, at 96 DPI and as at 144: the template's font at 1.5 times its points
// lays the dialog out here exactly as Windows does at 144 DPI. The label with "None" and its longest note; the caption
// in the caption's font beside its buttons.
TEST(Languages, EveryTextFitsItsControlAt96And144Dpi)
{
    const Module resources = Resources("dozewell.exe");
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    for (LANGID language : Languages(resources.get(), kDialogs)) {
        if (kUnmeasured.count(language))
            continue;
        for (int dpi : { 96, 144 }) {
            SCOPED_TRACE("language " + std::to_string(language) + ", " + std::to_string(dpi) + " DPI");
            const Window dialog = Dialog(resources.get(), language, dpi);
            const HWND window = dialog.get();
            ASSERT_NE(window, nullptr);
            const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
            std::wstring note;
            for (UINT id : kNoteIds)
                if (Measure(window, font, String(resources.get(), id, language)).cx > Measure(window, font, note).cx)
                    note = String(resources.get(), id, language);
            wchar_t label[1024] = {};
            wsprintfW(label, String(resources.get(), kLabelId, language).c_str(),
                      String(resources.get(), kNoDefaultId, language).c_str(), note.c_str());
            for (const Control& control : Controls(window)) {
                RECT area;
                GetClientRect(GetDlgItem(window, control.id), &area);
                // A button keeps room for its edges and its focus rectangle; the frame breaks its text into lines.
                const bool button = CompareStringOrdinal(control.type.c_str(), -1, L"Button", -1, TRUE) == CSTR_EQUAL;
                const LONG room = button ? area.right - 4 * GetSystemMetrics(SM_CXEDGE) : area.right;
                const std::wstring text = control.id == kLabel ? label : control.text;
                const SIZE size = Measure(window, font, text, control.id == kFrame ? room : 0);
                EXPECT_TRUE(size.cx <= room && size.cy <= area.bottom) << Utf8(text);
            }
            LOGFONTW captionFont = metrics.lfCaptionFont;
            captionFont.lfHeight = MulDiv(captionFont.lfHeight, dpi, 96);
            const HFONT caption = CreateFontIndirectW(&captionFont);
            wchar_t title[256] = {};
            GetWindowTextW(window, title, ARRAYSIZE(title));
            RECT frame;
            GetWindowRect(window, &frame);
            EXPECT_LE(Measure(window, caption, title).cx,
                      frame.right - frame.left - 3 * MulDiv(GetSystemMetrics(SM_CXSIZE), dpi, 96))
                << Utf8(title);
            DeleteObject(caption);
        }
    }
}

}  // namespace
