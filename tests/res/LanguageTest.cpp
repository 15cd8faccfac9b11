// Dozewell and Dozewell Drift in each display language: every language's resources against English's, the
// programs run in each locale, and every text measured in its control.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "support/Harness.h"

namespace {

const UINT kDialogId = 142, kTitleId = 0xE000, kReadingOrderId = 0xE00F, kNoticeId = 2, kQuestionId = 3, kLabelId = 5,
           kNoDefaultId = 6, kNoteIds[] = { 7, 8, 9 }, kListNameId = 10, kNoSettingsId = 2, kLockFailedId = 1;
const int kLabel = 1035, kFrame = 1036, kPreview = 1037, kConfigure = 1038, kListName = 1039;
const LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
// RT_STRING and RT_DIALOG, as the Unicode calls take them.
const WORD kStringType = 6, kDialogType = 5;

// A locale that Wine starts in, and the language whose resources the programs must then show.
const std::map<std::string, LANGID> kRows = {
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
// Wine's fonts draw these languages' scripts (Latin, Cyrillic, Arabic, Hebrew), not CJK: their texts can be measured
// here.
const LANGID kMeasured[] = { kEnglish, 0x0007, 0x000C, 0x000A, 0x0010, 0x0416,
                             0x0013,   0x0015, 0x0019, 0x001F, 0x0001, 0x000D };

// A dialog template (DLGTEMPLATE, as the resource compilers write DIALOG) as Windows reads it.
struct Control {
    WORD id;
    std::wstring type, text;
    DWORD exStyle;
};
struct Template {
    std::vector<BYTE> bytes;
    size_t pointSize = 0;  // where the font's point size stands in bytes
    DWORD exStyle = 0;
    std::wstring caption, face;
    std::vector<Control> controls;
};

// A name or an ordinal, an ordinal as "#<number>".
std::wstring NameOrOrdinal(const WORD*& at)
{
    const std::wstring name = *at == 0xFFFF ? L"#" + std::to_wstring(at[1]) : reinterpret_cast<const wchar_t*>(at);
    at += *at == 0xFFFF ? 2 : name.size() + 1;
    return name;
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

// A module's resources, read as data in each language that it holds them in.
class Resources {
public:
    explicit Resources(const std::string& path)
        : m_module(LoadLibraryExA((BinDir() + "\\" + path).c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE))
    {
    }
    ~Resources() { FreeLibrary(m_module); }
    Resources(const Resources&) = delete;
    Resources& operator=(const Resources&) = delete;

    // The ids (string blocks, dialogs) of the type.
    std::vector<LPCWSTR> Names(WORD type) const
    {
        std::vector<LPCWSTR> names;
        EnumResourceNamesW(m_module, MAKEINTRESOURCEW(type), AddName, reinterpret_cast<LONG_PTR>(&names));
        return names;
    }
    // Every language of every resource of the type.
    std::set<LANGID> Languages(WORD type) const
    {
        std::set<LANGID> languages;
        for (LPCWSTR name : Names(type))
            EnumResourceLanguagesW(m_module, MAKEINTRESOURCEW(type), name, AddLanguage,
                                   reinterpret_cast<LONG_PTR>(&languages));
        return languages;
    }
    std::vector<BYTE> Bytes(WORD type, LPCWSTR name, LANGID language) const
    {
        const HRSRC found = FindResourceExW(m_module, MAKEINTRESOURCEW(type), name, language);
        const auto* data = found ? static_cast<const BYTE*>(LockResource(LoadResource(m_module, found))) : nullptr;
        return data ? std::vector<BYTE>(data, data + SizeofResource(m_module, found)) : std::vector<BYTE>();
    }
    // The language's strings by id, the empty ones left out: a block holds sixteen counted strings.
    std::map<UINT, std::wstring> Strings(LANGID language) const
    {
        std::map<UINT, std::wstring> strings;
        for (LPCWSTR block : Names(kStringType)) {
            const std::vector<BYTE> bytes = Bytes(kStringType, block, language);
            const auto* at = reinterpret_cast<const WORD*>(bytes.data());
            const UINT first = (static_cast<UINT>(reinterpret_cast<UINT_PTR>(block)) - 1) * 16;
            for (UINT id = first; !bytes.empty() && id < first + 16; at += 1 + *at, ++id)
                if (*at)
                    strings[id] = std::wstring(reinterpret_cast<const wchar_t*>(at + 1), *at);
        }
        return strings;
    }
    std::wstring String(UINT id, LANGID language) const { return Strings(language)[id]; }
    Template Dialog(LANGID language) const
    {
        Template dialog;
        dialog.bytes = Bytes(kDialogType, MAKEINTRESOURCEW(kDialogId), language);
        if (dialog.bytes.empty())
            return dialog;
        const auto* header = reinterpret_cast<const DLGTEMPLATE*>(dialog.bytes.data());
        dialog.exStyle = header->dwExtendedStyle;
        const WORD* at = reinterpret_cast<const WORD*>(header + 1);
        NameOrOrdinal(at);  // the menu
        NameOrOrdinal(at);  // the class
        dialog.caption = NameOrOrdinal(at);
        dialog.pointSize = reinterpret_cast<const BYTE*>(at++) - dialog.bytes.data();
        dialog.face = NameOrOrdinal(at);
        for (WORD i = 0; i < header->cdit; ++i) {
            // Each item starts on a DWORD boundary.
            const auto* item =
                reinterpret_cast<const DLGITEMTEMPLATE*>((reinterpret_cast<UINT_PTR>(at) + 3) & ~UINT_PTR(3));
            at = reinterpret_cast<const WORD*>(item + 1);
            const std::wstring type = NameOrOrdinal(at), text = NameOrOrdinal(at);
            dialog.controls.push_back({ item->id, type, text, item->dwExtendedStyle });
            at += 1 + *at / sizeof(WORD);  // the creation data
        }
        return dialog;
    }
    bool RightToLeft(LANGID language) const { return String(kReadingOrderId, language) == L"RTL"; }

private:
    HMODULE m_module;
};

// What every language's text has as English's has it: its placeholders, lines and access keys.
std::wstring Shape(const std::wstring& text)
{
    std::wstring shape;
    std::copy_if(text.begin(), text.end(), std::back_inserter(shape),
                 [](wchar_t c) { return c == L'%' || c == L'\n' || c == L'&'; });
    return shape;
}
std::map<UINT, std::wstring> Shapes(const Resources& resources, LANGID language)
{
    std::map<UINT, std::wstring> shapes;
    for (const auto& string : resources.Strings(language))
        shapes[string.first] = Shape(string.second);
    return shapes;
}
// The controls by id, class and text's shape, in order.
std::vector<std::wstring> Controls(const Template& dialog)
{
    std::vector<std::wstring> controls;
    for (const Control& control : dialog.controls)
        controls.push_back(std::to_wstring(control.id) + L" " + control.type + L" " + Shape(control.text));
    return controls;
}

// Every language holds English's strings and dialog controls and nothing else, so that a string added to English
// alone fails; Preview and Configure have keys of their own, and a right-to-left dialog mirrors all but the preview.
TEST(Languages, EveryLanguageHoldsEnglishsStringsAndDialogControlsAndNothingElse)
{
    std::set<LANGID> languages;
    for (const auto& row : kRows)
        languages.insert(row.second);
    for (const char* program : { "dozewell.exe", "dozewell-drift.scr" }) {
        const Resources resources(program);
        EXPECT_EQ(resources.Languages(kStringType), languages) << program;
        for (LANGID language : languages) {
            EXPECT_EQ(Shapes(resources, language), Shapes(resources, kEnglish)) << program << ", " << language;
        }
    }
    // The names stay as they are: Drift's description (string 1), and the title of Dozewell's boxes.
    const Resources resources("dozewell.exe"), drift("dozewell-drift.scr");
    for (LANGID language : languages) {
        EXPECT_EQ(drift.String(1, language), L"Dozewell Drift");
        EXPECT_EQ(resources.String(kTitleId, language), L"Dozewell");
    }
    EXPECT_EQ(resources.Languages(kDialogType), languages);
    const Template english = resources.Dialog(kEnglish);
    EXPECT_EQ(english.face, L"MS Sans Serif");
    for (LANGID language : languages) {
        SCOPED_TRACE("language " + std::to_string(language));
        const Template dialog = resources.Dialog(language);
        EXPECT_EQ(Controls(dialog), Controls(english));
        std::wstring keys;
        for (const Control& control : dialog.controls) {
            if (control.id == kPreview || control.id == kConfigure)
                keys += static_cast<wchar_t>(std::towupper(control.text[control.text.find(L'&') + 1]));
            if (control.id == kFrame && language != kEnglish) {
                EXPECT_TRUE(control.exStyle & WS_EX_NOINHERITLAYOUT) << "the preview would be mirrored";
            }
        }
        EXPECT_TRUE(keys.size() == 2 && keys[0] != keys[1]) << "Preview and Configure share an access key";
        EXPECT_EQ((dialog.exStyle & WS_EX_LAYOUTRTL) != 0, resources.RightToLeft(language));
        EXPECT_EQ(dialog.face, language == kEnglish ? L"MS Sans Serif" : L"MS Shell Dlg");
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
    const Resources dozewell("dozewell.exe"), drift("dozewell-drift.scr");
    const Template dialog = dozewell.Dialog(language);
    // English exactly as it always was; a translation never English.
    EXPECT_EQ(language == kEnglish, Utf8(dialog.caption) == "Dozewell : Change Default ScreenSaver");

    PlacedFile saver { SystemDir() + "\\dozewell-language.scr", "Lang" };
    SetText(kDesktopKey, kSaverValue, saver.path);
    {
        Process run("\"" + BinDir() + "\\dozewell.exe\" :settings");
        const HWND window = WaitForWindow(run.Id());
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(Text(window), Utf8(dialog.caption));
        for (const Control& control : dialog.controls) {
            if (control.id != kLabel) {
                EXPECT_EQ(Text(GetDlgItem(window, control.id)), Utf8(control.text)) << control.id;
            }
        }
        wchar_t label[1024] = {};
        wsprintfW(label, dozewell.String(kLabelId, language).c_str(), L"Lang", L"");
        EXPECT_EQ(Text(GetDlgItem(window, kLabel)), Utf8(label));
        EXPECT_EQ(Text(GetDlgItem(window, kListName)), Utf8(dozewell.String(kListNameId, language)));
        EXPECT_EQ((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0, dozewell.RightToLeft(language));
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
        EXPECT_EQ(Answer(run, IDOK), Utf8(dozewell.String(kNoticeId, language)));
        EXPECT_EQ(Answer(run, IDNO), Utf8(dozewell.String(kQuestionId, language)));
        EXPECT_TRUE(run.Exited());
    }
    Process run("\"" + BinDir() + "\\dozewell-drift.scr\" /c");
    EXPECT_EQ(Answer(run, IDOK), Utf8(drift.String(kNoSettingsId, language)));
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
    EXPECT_EQ(Answer(run, IDOK), Utf8(Resources("dozewell.exe").String(kLockFailedId, 0x0019)));
    EXPECT_TRUE(run.Exited());
}

// Width and height of text in the font, in one line, or broken into lines within width.
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

// Every text fits its control in the live dialog, at 96 DPI and as at 144: the template's font at 1.5 times its
// points lays the dialog out here exactly as Windows does at 144 DPI, which sizes the font by points times dots an
// inch. The label with "None" and its longest note; the caption in the caption's font beside its buttons.
TEST(Languages, EveryTextFitsItsControlAt96And144Dpi)
{
    const Resources resources("dozewell.exe");
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    for (LANGID language : kMeasured) {
        Template dialog = resources.Dialog(language);
        ASSERT_FALSE(dialog.bytes.empty());
        WORD& points = *reinterpret_cast<WORD*>(&dialog.bytes[dialog.pointSize]);
        const WORD templatePoints = points;
        for (int dpi : { 96, 144 }) {
            SCOPED_TRACE("language " + std::to_string(language) + ", " + std::to_string(dpi) + " DPI");
            points = static_cast<WORD>(MulDiv(templatePoints, dpi, 96));
            const HWND window = CreateDialogIndirectParamW(
                nullptr, reinterpret_cast<const DLGTEMPLATE*>(dialog.bytes.data()), nullptr, IgnoreMessage, 0);
            ASSERT_NE(window, nullptr);
            const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
            std::wstring note;
            for (UINT id : kNoteIds)
                if (Measure(window, font, resources.String(id, language)).cx > Measure(window, font, note).cx)
                    note = resources.String(id, language);
            wchar_t label[1024] = {};
            wsprintfW(label, resources.String(kLabelId, language).c_str(),
                      resources.String(kNoDefaultId, language).c_str(), note.c_str());
            for (const Control& control : dialog.controls) {
                RECT area;
                GetClientRect(GetDlgItem(window, control.id), &area);
                // A button keeps room for its edges and its focus rectangle; the frame breaks its text into lines.
                const LONG room = control.type == L"#128" ? area.right - 4 * GetSystemMetrics(SM_CXEDGE) : area.right;
                const std::wstring text = control.id == kLabel ? label : control.text;
                const SIZE size = Measure(window, font, text, control.id == kFrame ? room : 0);
                EXPECT_TRUE(size.cx <= room && size.cy <= area.bottom) << Utf8(text);
            }
            LOGFONTW captionFont = metrics.lfCaptionFont;
            captionFont.lfHeight = MulDiv(captionFont.lfHeight, dpi, 96);
            const HFONT caption = CreateFontIndirectW(&captionFont);
            RECT frame;
            GetWindowRect(window, &frame);
            EXPECT_LE(Measure(window, caption, dialog.caption).cx,
                      frame.right - frame.left - 3 * MulDiv(GetSystemMetrics(SM_CXSIZE), dpi, 96))
                << Utf8(dialog.caption);
            DeleteObject(caption);
            DestroyWindow(window);
        }
    }
}

}  // namespace
