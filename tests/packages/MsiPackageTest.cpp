// The x64 MSI as Windows Installer handles it in the test prefix: installed silently, run, upgraded
// over an older version, and removed again without leftovers.
#include <gtest/gtest.h>

#include <windows.h>

#include <msi.h>
#include <msiquery.h>
#include <objbase.h>
#include <shlobj.h>

#include <map>
#include <string>
#include <vector>

#include "manager/SaverManager.h"
#include "support/TestFiles.h"
#include "support/TestProcess.h"
#include "support/TestWindows.h"

namespace {

const char kSaverName[] = "dozewell-drift.scr";
const DWORD kInstallerTimeoutMs = 120000;

std::string FullPath(const std::string& path)
{
    char full[MAX_PATH] = {};
    GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return full;
}

std::string PackagePath(const char* name)
{
    return FullPath(BinDir() + "\\" DOZEWELL_PACKAGE_DIR "\\" + name);
}

std::string Folder(int csidl)
{
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::string InstallDir()
{
    return Folder(CSIDL_PROGRAM_FILES) + "\\Dozewell";
}

std::string SaverPath()
{
    return SystemDir() + "\\" + kSaverName;
}

// The Start-menu folder of the shortcuts: all users' for a per-machine package, though this Wine
// puts them in the installing user's.
std::vector<std::string> MenuDirs()
{
    return { Folder(CSIDL_COMMON_PROGRAMS) + "\\Dozewell", Folder(CSIDL_PROGRAMS) + "\\Dozewell" };
}

// A value of the package's Property table, read from the file.
std::string PackageProperty(const std::string& package, const char* name)
{
    std::string value;
    MSIHANDLE database = 0;
    if (MsiOpenDatabaseA(package.c_str(), MSIDBOPEN_READONLY, &database) != ERROR_SUCCESS)
        return value;
    const std::string query = std::string("SELECT `Value` FROM `Property` WHERE `Property`='") + name + "'";
    MSIHANDLE view = 0;
    MSIHANDLE record = 0;
    if (MsiDatabaseOpenViewA(database, query.c_str(), &view) == ERROR_SUCCESS &&
        MsiViewExecute(view, 0) == ERROR_SUCCESS && MsiViewFetch(view, &record) == ERROR_SUCCESS) {
        char text[256] = {};
        DWORD size = sizeof text;
        if (MsiRecordGetStringA(record, 1, text, &size) == ERROR_SUCCESS)
            value = text;
    }
    if (record)
        MsiCloseHandle(record);
    if (view)
        MsiCloseHandle(view);
    MsiCloseHandle(database);
    return value;
}

// The product codes installed under the package's upgrade code.
std::vector<std::string> InstalledProducts(const std::string& upgradeCode)
{
    std::vector<std::string> products;
    char product[39] = {};
    for (DWORD index = 0; MsiEnumRelatedProductsA(upgradeCode.c_str(), 0, index, product) == ERROR_SUCCESS; ++index)
        products.push_back(product);
    return products;
}

std::string InstalledVersion(const std::string& productCode)
{
    char version[64] = {};
    DWORD size = sizeof version;
    if (MsiGetProductInfoA(productCode.c_str(), INSTALLPROPERTY_VERSIONSTRING, version, &size) != ERROR_SUCCESS)
        return "";
    return version;
}

// msiexec with these arguments, silently; its exit code, or -1 when it does not end.
long Msiexec(const std::string& arguments)
{
    ChildProcess installer("msiexec " + arguments + " /qn");
    if (!installer.WaitForExit(kInstallerTimeoutMs))
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(installer.Handle(), &code);
    return static_cast<long>(code);
}

struct ShortcutView {
    bool read = false;
    std::string target;
    std::string arguments;
};

ShortcutView ReadShortcut(const std::string& path)
{
    ShortcutView view;
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return view;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        std::wstring widePath(path.begin(), path.end());
        char target[MAX_PATH] = {};
        char arguments[MAX_PATH] = {};
        view.read = SUCCEEDED(file->Load(widePath.c_str(), STGM_READ)) &&
                    SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, 0)) &&
                    SUCCEEDED(link->GetArguments(arguments, MAX_PATH));
        view.target = target;
        view.arguments = arguments;
        file->Release();
    }
    link->Release();
    return view;
}

bool SamePath(const std::string& a, const std::string& b)
{
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

class MsiPackage : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoInitialize(nullptr);
        ASSERT_TRUE(FileExists(package)) << package << ": build the packages first (cpack)";
        ASSERT_FALSE(upgradeCode.empty());
        RemoveInstalled();
        ASSERT_TRUE(InstalledProducts(upgradeCode).empty());
    }

    void TearDown() override
    {
        RemoveInstalled();
        CoUninitialize();
    }

    // Whatever a failed test left installed goes, so that other tests never see it.
    void RemoveInstalled() const
    {
        for (const std::string& product : InstalledProducts(upgradeCode))
            Msiexec("/x " + product);
    }

    void ExpectInstalled(const std::string& version) const
    {
        const std::vector<std::string> products = InstalledProducts(upgradeCode);
        ASSERT_EQ(products.size(), 1u);
        EXPECT_EQ(InstalledVersion(products[0]), version);
        EXPECT_TRUE(FileExists(InstallDir() + "\\dozewell.exe"));
        EXPECT_TRUE(FileExists(SaverPath()));
    }

    void ExpectNothingLeft() const
    {
        EXPECT_TRUE(InstalledProducts(upgradeCode).empty());
        EXPECT_FALSE(FileExists(InstallDir())) << InstallDir();
        EXPECT_FALSE(FileExists(SaverPath()));
        for (const std::string& menu : MenuDirs())
            EXPECT_FALSE(FileExists(menu)) << menu;
    }

    const std::string package = PackagePath(DOZEWELL_PACKAGE);
    const std::string olderPackage = PackagePath(DOZEWELL_OLDER_PACKAGE);
    const std::string upgradeCode = PackageProperty(package, "UpgradeCode");
    const std::string version = PackageProperty(package, "ProductVersion");
};

}  // namespace

TEST_F(MsiPackage, InstallsTheProgramTheScreenSaverAndTheShortcutsAndRemovesThemAll)
{
    ASSERT_EQ(Msiexec("/i \"" + package + "\""), 0);
    ExpectInstalled(version);

    // The very files that were built.
    const std::string exe = InstallDir() + "\\dozewell.exe";
    EXPECT_EQ(ReadTextFile(exe), ReadTextFile(DozewellPath()));
    EXPECT_EQ(ReadTextFile(SaverPath()), ReadTextFile(DriftPath()));
    EXPECT_TRUE(FileExists(InstallDir() + "\\README.md"));
    EXPECT_TRUE(FileExists(InstallDir() + "\\LICENSE"));

    struct ShortcutCase {
        const char* name;
        const char* arguments;
    };
    const ShortcutCase shortcuts[] = {
        { "Start Screen Saver", "" },
        { "Lock Workstation", ":lock" },
        { "Change Default Screen Saver", ":settings" },
    };
    for (const ShortcutCase& expected : shortcuts) {
        SCOPED_TRACE(expected.name);
        ShortcutView found;
        for (const std::string& menu : MenuDirs()) {
            if (!found.read)
                found = ReadShortcut(menu + "\\" + expected.name + ".lnk");
        }
        ASSERT_TRUE(found.read);
        EXPECT_TRUE(SamePath(found.target, exe)) << found.target;
        EXPECT_EQ(found.arguments, expected.arguments);
    }

    // Dozewell lists the screen saver where the package put it.
    CSaverManager manager;
    manager.RefreshCatalog();
    std::map<std::string, std::string> catalog;
    CString path;
    CString description;
    for (POSITION pos = manager.GetSaverMap().GetStartPosition(); pos;) {
        manager.GetSaverMap().GetNextAssoc(pos, path, description);
        catalog[static_cast<const char*>(path)] = static_cast<const char*>(description);
    }
    EXPECT_EQ(catalog[SaverPath()], "Dozewell Drift");

    // The installed program runs: here it cannot lock, and says so.
    ChildProcess lock("\"" + exe + "\" :lock");
    const HWND box = WaitForProcessWindow(lock.Id());
    ASSERT_NE(box, nullptr);
    const MessageBoxView view = ReadMessageBox(box);
    EXPECT_EQ(view.caption, "Dozewell");
    EXPECT_EQ(view.text, "Failed to Lock Workstation.");
    PressButton(box, IDOK);
    EXPECT_TRUE(lock.WaitForExit());

    ASSERT_EQ(Msiexec("/x \"" + package + "\""), 0);
    ExpectNothingLeft();
}

TEST_F(MsiPackage, ReplacesAnOlderVersion)
{
    ASSERT_TRUE(FileExists(olderPackage)) << olderPackage;
    ASSERT_EQ(Msiexec("/i \"" + olderPackage + "\""), 0);
    ExpectInstalled(PackageProperty(olderPackage, "ProductVersion"));

    ASSERT_EQ(Msiexec("/i \"" + package + "\""), 0);
    ExpectInstalled(version);

    ASSERT_EQ(Msiexec("/x \"" + package + "\""), 0);
    ExpectNothingLeft();
}

TEST_F(MsiPackage, DoesNotGoBackToAnOlderVersion)
{
    ASSERT_EQ(Msiexec("/i \"" + package + "\""), 0);
    EXPECT_NE(Msiexec("/i \"" + olderPackage + "\""), 0);
    ExpectInstalled(version);
}
