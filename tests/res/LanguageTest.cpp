// Dozewell and Dozewell Drift in each display language: the resources of every language against English's, and
// the programs run in each locale, showing that language's texts or English's.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <set>
#include <string>
#include <vector>

#include "support/Harness.h"

namespace {

const UINT kDialogId = 142, kTitleId = 0xE000, kReadingOrderId = 0xE00F, kNoticeId = 2, kQuestionId = 3, kLabelId = 5,
           kListNameId = 10, kNoSettingsId = 2;
const int kListName = 1039, kLabel = 1035, kFrame = 1036, kPreview = 1037, kConfigure = 1038;
const LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
// RT_STRING and RT_DIALOG, as the Unicode calls take them.
const WORD kStringType = 6, kDialogType = 5;

// A locale as Wine is started in, and the language whose resources the programs must then show.
struct Row {
    const char* locale;
    LANGID language;
};
const Row kRows[] = {
    { "de_DE", 0x0007 },
    { "fr_FR", 0x000C },
    { "es_ES", 0x000A },
    { "it_IT", 0x0010 },
    { "pt_BR", 0x0416 },
    { "nl_NL", 0x0013 },
    { "pl_PL", 0x0015 },
    { "ru_RU", 0x0019 },
    { "tr_TR", 0x001F },
    { "ja_JP", 0x0011 },
    { "ko_KR", 0x0012 },
    { "zh_CN", 0x0804 },
    { "zh_TW", 0x0404 },
    { "ar_SA", 0x0001 },
    { "he_IL", 0x000D },
    // Where no translation fits, English; another country of a translated language, that translation.
    { "en_US", kEnglish },
    { "en_GB", kEnglish },
    { "fi_FI", kEnglish },
    { "sv_SE", kEnglish },
    { "de_AT", 0x0007 },
    { "de_CH", 0x0007 },
    { "es_MX", 0x000A },
    { "fr_CA", 0x000C },
};

std::string Utf8(const std::wstring& text)
{
    std::string bytes(text.size() * 4 + 1, '\0');
    bytes.resize(
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &bytes[0], static_cast<int>(bytes.size()), nullptr, nullptr) -
        1);
    return bytes;
}

// A dialog template (DLGTEMPLATE, as the resource compilers write DIALOG) as Windows reads it.
struct Control {
    WORD id;
    std::wstring type, text;
    DWORD exStyle;
    short width;
};
struct Template {
    // The template as the module holds it, and where in it the point size of its font stands.
    std::vector<BYTE> bytes;
    size_t pointSize = 0;
    DWORD exStyle = 0;
    std::wstring caption, face;
    short width = 0;
    std::vector<Control> controls;
};

// Reads a name-or-ordinal: an ordinal as "#<number>".
std::wstring NameOrOrdinal(const WORD*& at)
{
    if (*at == 0xFFFF) {
        const std::wstring ordinal = L"#" + std::to_wstring(at[1]);
        at += 2;
        return ordinal;
    }
    const std::wstring name(reinterpret_cast<const wchar_t*>(at));
    at += name.size() + 1;
    return name;
}

// A module's resources, read as data in each language that it holds them in.
class Resources {
public:
    explicit Resources(const std::string& path)
        : m_module(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE))
    {
    }
    ~Resources() { FreeLibrary(m_module); }
    Resources(const Resources&) = delete;
    Resources& operator=(const Resources&) = delete;

    // Every language of every resource of the type.
    std::set<LANGID> Languages(WORD type) const
    {
        std::set<LANGID> languages;
        EnumResourceNamesW(
            m_module, MAKEINTRESOURCEW(type),
            [](HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR found) {
                return EnumResourceLanguagesW(
                    module, type, name,
                    [](HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found) {
                        reinterpret_cast<std::set<LANGID>*>(found)->insert(language);
                        return TRUE;
                    },
                    found);
            },
            reinterpret_cast<LONG_PTR>(&languages));
        return languages;
    }
    // The strings of the language by id, the empty ones left out.
    std::vector<std::pair<UINT, std::wstring>> Strings(LANGID language) const
    {
        std::vector<UINT> blocks;
        EnumResourceNamesW(
            m_module, MAKEINTRESOURCEW(kStringType),
            [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
                reinterpret_cast<std::vector<UINT>*>(found)->push_back(
                    static_cast<UINT>(reinterpret_cast<UINT_PTR>(name)));
                return TRUE;
            },
            reinterpret_cast<LONG_PTR>(&blocks));
        std::vector<std::pair<UINT, std::wstring>> strings;
        for (UINT block : blocks) {
            const WORD* at = static_cast<const WORD*>(Data(kStringType, block, language));
            for (UINT id = (block - 1) * 16; at && id < block * 16; at += 1 + *at, ++id)
                if (*at)
                    strings.emplace_back(id, std::wstring(reinterpret_cast<const wchar_t*>(at + 1), *at));
        }
        return strings;
    }
    std::wstring String(UINT id, LANGID language) const
    {
        for (const auto& string : Strings(language))
            if (string.first == id)
                return string.second;
        return L"";
    }
    Template Dialog(UINT id, LANGID language) const
    {
        Template dialog;
        const auto* header = static_cast<const DLGTEMPLATE*>(Data(kDialogType, id, language));
        if (!header)
            return dialog;
        const HRSRC found = FindResourceExW(m_module, MAKEINTRESOURCEW(kDialogType), MAKEINTRESOURCEW(id), language);
        const auto* bytes = reinterpret_cast<const BYTE*>(header);
        dialog.bytes.assign(bytes, bytes + SizeofResource(m_module, found));
        dialog.exStyle = header->dwExtendedStyle;
        dialog.width = header->cx;
        const WORD* at = reinterpret_cast<const WORD*>(header + 1);
        NameOrOrdinal(at);  // the menu
        NameOrOrdinal(at);  // the class
        dialog.caption = NameOrOrdinal(at);
        if (header->style & DS_SETFONT) {
            dialog.pointSize = reinterpret_cast<const BYTE*>(at++) - bytes;
            dialog.face = NameOrOrdinal(at);
        }
        for (WORD i = 0; i < header->cdit; ++i) {
            at = reinterpret_cast<const WORD*>((reinterpret_cast<UINT_PTR>(at) + 3) & ~UINT_PTR(3));
            const auto* item = reinterpret_cast<const DLGITEMTEMPLATE*>(at);
            at = reinterpret_cast<const WORD*>(item + 1);
            Control control { item->id, NameOrOrdinal(at), NameOrOrdinal(at), item->dwExtendedStyle, item->cx };
            at += 1 + *at / sizeof(WORD);  // the creation data
            dialog.controls.push_back(control);
        }
        return dialog;
    }
    const void* Data(WORD type, UINT id, LANGID language) const
    {
        const HRSRC found = FindResourceExW(m_module, MAKEINTRESOURCEW(type), MAKEINTRESOURCEW(id), language);
        return found ? LockResource(LoadResource(m_module, found)) : nullptr;
    }
    HMODULE Module() const { return m_module; }

private:
    HMODULE m_module;
};

std::string Dozewell()
{
    return BinDir() + "\\dozewell.exe";
}
std::string Drift()
{
    return BinDir() + "\\dozewell-drift.scr";
}

bool RightToLeft(const Resources& resources, LANGID language)
{
    return resources.String(kReadingOrderId, language) == L"RTL";
}

// What is common to every language's texts: its placeholders, lines and access keys, as English has them.
std::wstring Shape(const std::wstring& text)
{
    std::wstring shape;
    std::copy_if(text.begin(), text.end(), std::back_inserter(shape),
                 [](wchar_t c) { return c == L'%' || c == L'\n' || c == L'&'; });
    return shape;
}

// A language that lacks a string or a control that English has, or has one more, or lays its dialog out
// otherwise, fails; so do access keys that Preview and Configure share, and a mirrored preview frame.
TEST(Languages, EveryLanguageHoldsEnglishsStringsAndDialogControlsAndNothingElse)
{
    std::set<LANGID> languages;
    for (const Row& row : kRows)
        languages.insert(row.language);
    for (const std::string& path : { Dozewell(), Drift() }) {
        SCOPED_TRACE(path);
        const Resources resources(path);
        ASSERT_NE(resources.Module(), nullptr);
        EXPECT_EQ(resources.Languages(kStringType), languages);
        const auto english = resources.Strings(kEnglish);
        ASSERT_FALSE(english.empty());
        for (LANGID language : languages) {
            SCOPED_TRACE("language " + std::to_string(language));
            const auto strings = resources.Strings(language);
            ASSERT_EQ(strings.size(), english.size());
            for (size_t i = 0; i < strings.size(); ++i) {
                EXPECT_EQ(strings[i].first, english[i].first);
                EXPECT_EQ(Shape(strings[i].second), Shape(english[i].second)) << "string " << strings[i].first;
            }
            EXPECT_EQ(resources.String(kTitleId, language), resources.String(kTitleId, kEnglish));
        }
    }
    const Resources resources(Dozewell());
    EXPECT_EQ(resources.Languages(kDialogType), languages);
    const Template english = resources.Dialog(kDialogId, kEnglish);
    EXPECT_EQ(english.face, L"MS Sans Serif");
    for (LANGID language : languages) {
        SCOPED_TRACE("language " + std::to_string(language));
        const Template dialog = resources.Dialog(kDialogId, language);
        ASSERT_EQ(dialog.controls.size(), english.controls.size());
        std::wstring keys;
        for (size_t i = 0; i < dialog.controls.size(); ++i) {
            const Control& control = dialog.controls[i];
            EXPECT_EQ(control.id, english.controls[i].id);
            EXPECT_EQ(control.type, english.controls[i].type);
            EXPECT_EQ(Shape(control.text), Shape(english.controls[i].text));
            if (control.id == kPreview || control.id == kConfigure)
                keys += static_cast<wchar_t>(towupper(control.text[control.text.find(L'&') + 1]));
            if (control.id == kFrame && language != kEnglish) {
                EXPECT_TRUE(control.exStyle & WS_EX_NOINHERITLAYOUT) << "the preview would be mirrored";
            }
        }
        EXPECT_TRUE(keys.size() == 2 && keys[0] != keys[1]) << "Preview and Configure share an access key";
        EXPECT_EQ((dialog.exStyle & WS_EX_LAYOUTRTL) != 0, RightToLeft(resources, language));
        if (language != kEnglish) {
            EXPECT_EQ(dialog.face, L"MS Shell Dlg");
        }
    }
}

// The text of the box that the program shows next, which is then answered. (Wine lays a box out by its own
// locale, right to left in Arabic and Hebrew, whatever MB_RTLREADING and MB_RIGHT ask: only Windows shows those.)
std::string Answer(const Process& run, int button)
{
    const HWND box = WaitForWindow(run.Id());
    if (!box)
        return "no box";
    const std::string text = Text(GetDlgItem(box, 0xFFFF));
    Press(box, button);
    WaitUntil([&] { return !IsWindow(box); });
    return text;
}

// The programs run in the locale of this run, which ctest starts once for each row's locale (LC_ALL): Wine
// takes the display language from the locale that a process starts in, and its children inherit it, while
// an environment variable set here would reach only their Windows environment. The dialog, the notice, the
// question and Drift's box in the language that the row names, read against that language's resources and
// against English's.
TEST(Languages, InTheLocaleOfTheRunTheProgramsShowItsLanguageOrElseEnglish)
{
    char locale[64] = {};
    if (!GetEnvironmentVariableA("LC_ALL", locale, sizeof locale))
        GTEST_SKIP() << "run once for each locale, by ctest";
    const auto row = std::find_if(std::begin(kRows), std::end(kRows),
                                  [&](const Row& r) { return std::string(r.locale) + ".UTF-8" == locale; });
    ASSERT_NE(row, std::end(kRows)) << "no row for " << locale;
    const Resources dozewell(Dozewell()), drift(Drift());
    const Template dialog = dozewell.Dialog(kDialogId, row->language);
    ASSERT_FALSE(dialog.controls.empty());
    // English exactly as it always was; a translation never English.
    EXPECT_EQ(row->language == kEnglish, Utf8(dialog.caption) == "Dozewell : Change Default ScreenSaver");

    PlacedFile saver { SystemDir() + "\\dozewell-language.scr", "Lang" };
    SetText(kDesktopKey, kSaverValue, saver.path);
    {
        Process run("\"" + Dozewell() + "\" :settings");
        const HWND window = WaitForWindow(run.Id());
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(Text(window), Utf8(dialog.caption));
        for (const Control& control : dialog.controls) {
            if (control.id != kLabel) {
                EXPECT_EQ(Text(GetDlgItem(window, control.id)), Utf8(control.text)) << control.id;
            }
        }
        wchar_t label[1024] = {};
        wsprintfW(label, dozewell.String(kLabelId, row->language).c_str(), L"Lang", L"");
        EXPECT_EQ(Text(GetDlgItem(window, kLabel)), Utf8(label));
        EXPECT_EQ(Text(GetDlgItem(window, kListName)), Utf8(dozewell.String(kListNameId, row->language)));
        EXPECT_EQ((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0, RightToLeft(dozewell, row->language));
        // The preview is another program's drawing, never mirrored.
        ASSERT_TRUE(WaitUntil([&] { return saver.Running().size() == 1; }));
        const HWND preview = WaitForWindow(saver.Running()[0], GetDlgItem(window, kFrame));
        ASSERT_NE(preview, nullptr);
        EXPECT_FALSE(GetWindowLongA(preview, GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
        Press(window, IDCANCEL);
        EXPECT_TRUE(run.Exited());
    }

    DeleteValue(kDesktopKey, kSaverValue);
    DeleteValue(kProfileKey, kNoticeValue);
    {
        Process run("\"" + Dozewell() + "\"");
        EXPECT_EQ(Answer(run, IDOK), Utf8(dozewell.String(kNoticeId, row->language)));
        EXPECT_EQ(Answer(run, IDNO), Utf8(dozewell.String(kQuestionId, row->language)));
        EXPECT_TRUE(run.Exited());
    }
    Process run("\"" + Drift() + "\" /c");
    EXPECT_EQ(Answer(run, IDOK), Utf8(drift.String(kNoSettingsId, row->language)));
    EXPECT_TRUE(run.Exited());
}

// Wine's fonts draw these scripts, not CJK: the languages whose texts can be measured here.
const LANGID kMeasured[] = { kEnglish, 0x0007, 0x000C, 0x000A, 0x0010, 0x0416, 0x0013, 0x0015, 0x0019, 0x001F };
const UINT kNoDefaultId = 6, kNoteIds[] = { 7, 8, 9 };

// Width and height of text in the window's font, in one line or broken into lines within width.
SIZE Measure(HWND window, HFONT font, const std::wstring& text, LONG width)
{
    const HDC dc = GetDC(window);
    const HGDIOBJ previous = SelectObject(dc, font);
    RECT area = { 0, 0, width, 0 };
    DrawTextW(dc, text.c_str(), -1, &area, DT_CALCRECT | (width ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return { area.right, area.bottom };
}

// Every text of every language that can be measured here fits its control, in the live dialog at 96 and at
// 144 DPI: the template's font at 1.5 times its points lays the dialog out at 96 DPI exactly as Windows does
// at 144 (the dialog manager sizes the font by points times dots an inch). The label with "None" and its
// longest note; the caption in the caption's font beside the system menu and the close box.
TEST(Languages, EveryTextFitsItsControlAt96And144Dpi)
{
    const Resources resources(Dozewell());
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    for (LANGID language : kMeasured) {
        Template dialog = resources.Dialog(kDialogId, language);
        ASSERT_NE(dialog.pointSize, 0u);
        const WORD points = *reinterpret_cast<WORD*>(&dialog.bytes[dialog.pointSize]);
        for (int dpi : { 96, 144 }) {
            SCOPED_TRACE("language " + std::to_string(language) + ", " + std::to_string(dpi) + " DPI");
            *reinterpret_cast<WORD*>(&dialog.bytes[dialog.pointSize]) = static_cast<WORD>(MulDiv(points, dpi, 96));
            const HWND window = CreateDialogIndirectParamW(
                nullptr, reinterpret_cast<const DLGTEMPLATE*>(dialog.bytes.data()), nullptr,
                [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
            ASSERT_NE(window, nullptr);
            const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
            for (const Control& control : dialog.controls) {
                const HWND item = GetDlgItem(window, control.id);
                RECT area;
                GetClientRect(item, &area);
                std::wstring text = control.text;
                if (control.id == kLabel) {
                    std::wstring note;
                    for (UINT id : kNoteIds)
                        note = std::max(note, resources.String(id, language),
                                        [&](const std::wstring& a, const std::wstring& b) {
                                            return Measure(item, font, a, 0).cx < Measure(item, font, b, 0).cx;
                                        });
                    wchar_t label[1024] = {};
                    wsprintfW(label, resources.String(kLabelId, language).c_str(),
                              resources.String(kNoDefaultId, language).c_str(), note.c_str());
                    text = label;
                }
                // A button keeps room for its edges and its focus rectangle; the frame breaks its text into lines.
                const LONG room = control.type == L"#128" ? area.right - 4 * GetSystemMetrics(SM_CXEDGE) : area.right;
                const SIZE size = Measure(item, font, text, control.id == kFrame ? room : 0);
                EXPECT_LE(size.cx, room) << Utf8(text);
                EXPECT_LE(size.cy, area.bottom) << Utf8(text);
            }
            LOGFONTW captionFont = metrics.lfCaptionFont;
            captionFont.lfHeight = MulDiv(captionFont.lfHeight, dpi, 96);
            const HFONT caption = CreateFontIndirectW(&captionFont);
            RECT frame;
            GetWindowRect(window, &frame);
            EXPECT_LE(Measure(window, caption, dialog.caption, 0).cx,
                      frame.right - frame.left - 3 * MulDiv(GetSystemMetrics(SM_CXSIZE), dpi, 96))
                << Utf8(dialog.caption);
            DeleteObject(caption);
            DestroyWindow(window);
        }
    }
}

}  // namespace
