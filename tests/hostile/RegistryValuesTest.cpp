#include "app/RunFixture.h"

namespace {

using HostileRegistry = DozewellRun;

std::string Dword(DWORD value)
{
    return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

// Runs without a switch must end in the question, whatever the default's value holds, as long as
// it does not name an existing file.
TEST_F(HostileRegistry, AnyDefaultThatNamesNoFileEndsInTheQuestion)
{
    NoticeShown();
    const struct {
        const char* what;
        DWORD type;
        std::string data;
    } cases[] = {
        { "a number whose first byte is zero", REG_DWORD, Dword(0x41424300) },
        { "a number whose first byte is not zero", REG_DWORD, Dword(0x00004241) },
        { "300 bytes of binary", REG_BINARY, std::string(300, 'x') },
        { "an expandable string", REG_EXPAND_SZ, std::string("%SystemRoot%\\missing.scr\0", 25) },
        { "a string of 255 bytes", REG_SZ, std::string(254, 'a') + '\0' },
        { "a string of 256 bytes", REG_SZ, std::string(255, 'a') + '\0' },
        { "a string of 257 bytes", REG_SZ, std::string(256, 'a') + '\0' },
        { "256 bytes without a NUL", REG_BINARY, std::string(256, 'b') },
        { "a multi-string naming nothing", REG_MULTI_SZ, std::string("C:\\nothing.scr\0\0", 16) },
        { "an empty binary", REG_BINARY, "" },
    };
    for (const auto& c : cases) {
        WriteValue(HKEY_CURRENT_USER, kDesktopKeyPath, kSaverValueName, c.type, c.data);
        ChildProcess run = StartDozewell("");
        const MessageBoxView box = ExpectBox(run);
        EXPECT_EQ(box.text, kQuestion) << c.what;
        PressButton(box.window, IDNO);
        EXPECT_TRUE(run.WaitForExit()) << c.what;
        // Nothing was rewritten.
        const RegistryValue after = ReadValue(HKEY_CURRENT_USER, kDesktopKeyPath, kSaverValueName);
        EXPECT_EQ(after.type, c.type) << c.what;
        EXPECT_EQ(after.data, c.data) << c.what;
    }
}

TEST_F(HostileRegistry, AMissingDesktopKeyEndsInTheQuestion)
{
    const std::string backup = "Software\\Dozewell Tests\\Desktop backup";
    RegDeleteTreeA(HKEY_CURRENT_USER, backup.c_str());
    HKEY saved = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, backup.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &saved, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegCopyTreeA(HKEY_CURRENT_USER, kDesktopKeyPath, saved), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, kDesktopKeyPath), ERROR_SUCCESS);
    RegDeleteKeyA(HKEY_CURRENT_USER, kDesktopKeyPath);
    ASSERT_FALSE(KeyExists(HKEY_CURRENT_USER, kDesktopKeyPath));

    NoticeShown();
    ChildProcess run = StartDozewell("");
    const MessageBoxView box = ExpectBox(run);
    EXPECT_EQ(box.text, kQuestion);
    PressButton(box.window, IDNO);
    EXPECT_TRUE(run.WaitForExit());
    // Wine itself may make the key again as a program starts; Dozewell writes nothing there.
    EXPECT_FALSE(ReadValue(HKEY_CURRENT_USER, kDesktopKeyPath, kSaverValueName).exists);

    HKEY desktop = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &desktop,
                              nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegCopyTreeA(saved, nullptr, desktop), ERROR_SUCCESS);
    RegCloseKey(desktop);
    RegCloseKey(saved);
    RegDeleteTreeA(HKEY_CURRENT_USER, backup.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, backup.c_str());
}

// A flag that is not a readable number counts as not shown: the notice shows once more and the
// flag becomes the number 1.
TEST_F(HostileRegistry, AnUnreadableNoticeFlagShowsTheNoticeAndBecomesOne)
{
    SetDefault(saver);
    const struct {
        const char* what;
        DWORD type;
        std::string data;
    } cases[] = {
        { "a string", REG_SZ, std::string("1\0", 2) },
        { "two bytes of binary", REG_BINARY, std::string("\1\0", 2) },
        { "eight bytes of binary", REG_BINARY, std::string("\1\0\0\0\0\0\0\0", 8) },
        { "zero", REG_DWORD, Dword(0) },
    };
    for (const auto& c : cases) {
        WriteValue(HKEY_CURRENT_USER, kProfileKeyPath, kNoticeValueName, c.type, c.data);
        ChildProcess run = StartDozewell("");
        const MessageBoxView box = ExpectBox(run);
        EXPECT_EQ(box.text.rfind(kNoticeStart, 0), 0u) << c.what;
        PressButton(box.window, IDOK);
        EXPECT_TRUE(run.WaitForExit()) << c.what;
        const RegistryValue flag = Notice();
        EXPECT_EQ(flag.type, static_cast<DWORD>(REG_DWORD)) << c.what;
        EXPECT_EQ(flag.data, Dword(1)) << c.what;
    }
}

}  // namespace
