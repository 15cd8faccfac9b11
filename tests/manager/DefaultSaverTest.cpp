#include <string>

#include "manager/ManagerTest.h"

namespace {

TEST_F(Manager, CountsADefaultAsSetWhenItNamesAnythingThatExists)
{
    PlacedFile saver(temp + "\\alpha.scr", "Alpha");
    const std::string missing = temp + "\\missing.scr";
    const struct {
        DWORD type;  // REG_NONE: no value
        std::string data;
        BOOL set;
        std::string path;
        const char* description;  // null: not looked at
    } cases[] = { { REG_SZ, saver.path + '\0', TRUE, saver.path, "Alpha" },
                  { REG_SZ, " \t" + saver.path + "  " + '\0', TRUE, " \t" + saver.path + "  ", nullptr },
                  { REG_SZ, temp + '\0', TRUE, temp, "" },
                  { REG_SZ, missing + '\0', FALSE, missing, "" },
                  { REG_SZ, std::string("   \0", 4), FALSE, "   ", "" },
                  { REG_SZ, std::string(1, '\0'), FALSE, "", "" },
                  { REG_NONE, "", FALSE, "", "" },
                  { REG_DWORD, std::string("\x41\0\0\0", 4), FALSE, "A", "" },
                  { REG_BINARY, std::string(300, 'x'), FALSE, "", "" } };
    for (const auto& c : cases) {
        if (c.type == REG_NONE)
            DeleteValue(kDesktopKey, kSaverValue);
        else
            SetValue(kDesktopKey, kSaverValue, c.type, c.data);
        EXPECT_EQ(manager.IsDefaultSaverSet(), c.set) << c.path;
        CString path("old"), description("old");
        manager.GetDefaultSaverPath(path);
        EXPECT_EQ(std::string(path), c.path);
        manager.GetDefaultSaverDescription(description);
        if (c.description) {
            EXPECT_EQ(std::string(description), c.description) << c.path;
        }
    }
}

TEST_F(Manager, ReadsString1OfAModuleAsDataAndNothingOfAnythingElse)
{
    const std::string longText(300, 'x');
    PlacedFile plain(temp + "\\plain.scr", "100% Pure %s Saver");
    PlacedFile none(temp + "\\none.scr");
    PlacedFile longer(temp + "\\long.scr", longText.c_str());
    PlacedFile library(temp + "\\library.scr", "Library", "dll_fixture.scr");
    PlacedFile text(temp + "\\text.scr", nullptr, "text.scr");
    const struct {
        std::string path;
        BOOL loaded;
        std::string description;
    } cases[] = { { plain.path, TRUE, "100% Pure %s Saver" },
                  { none.path, TRUE, "" },
                  { longer.path, TRUE, longText.substr(0, 259) },
                  { library.path, TRUE, "Library" },
                  { text.path, FALSE, "old" },
                  { temp + "\\missing.scr", FALSE, "old" } };
    for (const auto& c : cases) {
        CString description("old");
        EXPECT_EQ(manager.GetSaverDescription(c.path.c_str(), description), c.loaded) << c.path;
        EXPECT_EQ(std::string(description), c.description) << c.path;
    }
    EXPECT_EQ(GetFileAttributesA((library.path + ".marker").c_str()), INVALID_FILE_ATTRIBUTES)
        << "the module's code ran while it was being described";
    DeleteFileA((library.path + ".marker").c_str());
}

}  // namespace
