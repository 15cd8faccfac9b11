#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "framework/AfxIds.h"
#include "res/resource.h"
#include "support/TestFiles.h"
#include "support/TestProcess.h"
#include "support/TestResources.h"

namespace {

struct Build {
    const char* name;
    std::string path;
    const char* processor;  // as the manifest must name it
};

Build Builds[] = {
    { "x64", DozewellPath(), "amd64" },
    { "x86", BinDir() + "\\..\\..\\x86\\bin\\dozewell.exe", "x86" },
};

const WORD kEnglishUk = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK);
const WORD kEnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

TEST(Resources, TitleAndManifestOfEachBuild)
{
    for (const Build& build : Builds) {
        SCOPED_TRACE(build.name);
        ResourceImage image(build.path);
        ASSERT_NE(image.Get(), nullptr) << build.path;
        char title[64] = {};
        LoadStringA(image.Get(), AFX_IDS_APP_TITLE, title, sizeof title);
        EXPECT_STREQ(title, "Dozewell");

        const std::string manifest =
            image.Data(MAKEINTRESOURCEA(24) /*RT_MANIFEST*/, MAKEINTRESOURCEA(1), kEnglishUs);
        ASSERT_NE(manifest, "");
        const std::string processor = std::string("processorArchitecture=\"") + build.processor + "\"";
        const std::string own = std::string("<assemblyIdentity name=\"Dozewell\" version=\"1.0.0.0\" ") + processor +
                                " type=\"win32\"/>";
        EXPECT_NE(manifest.find(own), std::string::npos) << manifest;
        EXPECT_NE(manifest.find("<description>Dozewell Utility</description>"), std::string::npos);
        const std::string controls = "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" " + processor;
        EXPECT_NE(manifest.find(controls), std::string::npos) << manifest;
        EXPECT_NE(manifest.find("language=\"*\""), std::string::npos);
    }
}

std::string VersionString(const std::string& block, const char* name)
{
    void* value = nullptr;
    UINT length = 0;
    const std::string query = std::string("\\StringFileInfo\\040904b0\\") + name;
    if (!VerQueryValueA(block.data(), query.c_str(), &value, &length))
        return "<missing>";
    return length ? std::string(static_cast<const char*>(value)) : "";
}

TEST(Resources, VersionBlockOfEachBuild)
{
    const struct {
        const char* name;
        const char* value;
    } strings[] = {
        { "CompanyName", "" },           { "FileDescription", "Dozewell Utility" },
        { "FileVersion", "1, 0, 0, 1" }, { "InternalName", "Dozewell" },
        { "LegalCopyright", "" },        { "LegalTrademarks", "" },
        { "OriginalFilename", "Dozewell.EXE" }, { "ProductName", "Dozewell" },
        { "ProductVersion", "1, 0, 0, 1" },
    };
    for (const Build& build : Builds) {
        SCOPED_TRACE(build.name);
        const DWORD size = GetFileVersionInfoSizeA(build.path.c_str(), nullptr);
        ASSERT_GT(size, 0u);
        std::string block(size, '\0');
        ASSERT_TRUE(GetFileVersionInfoA(build.path.c_str(), 0, size, &block[0]));

        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));
        EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(1, 0));
        EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 1));
        EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(1, 0));

        WORD* translation = nullptr;
        ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                                   &length));
        ASSERT_EQ(length, 4u);
        EXPECT_EQ(translation[0], 0x0409);
        EXPECT_EQ(translation[1], 1200);

        for (const auto& s : strings)
            EXPECT_EQ(VersionString(block, s.name), s.value) << s.name;
    }
}

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width;
    BYTE height;
    BYTE colorCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST(Resources, IconHasTwoSixteenColourImages)
{
    ResourceImage image(DozewellPath());
    const std::string group = image.Data(MAKEINTRESOURCEA(14) /*RT_GROUP_ICON*/, MAKEINTRESOURCEA(IDR_MAINFRAME), kEnglishUk);
    ASSERT_GE(group.size(), 6u);
    const WORD count = *reinterpret_cast<const WORD*>(group.data() + 4);
    ASSERT_EQ(count, 2);
    ASSERT_EQ(group.size(), 6 + count * sizeof(IconGroupEntry));
    const auto* entries = reinterpret_cast<const IconGroupEntry*>(group.data() + 6);
    const BYTE sizes[] = { 32, 16 };
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(entries[i].width, sizes[i]);
        EXPECT_EQ(entries[i].height, sizes[i]);
        EXPECT_EQ(entries[i].colorCount, 16);
        EXPECT_EQ(entries[i].planes, 1);
        EXPECT_EQ(entries[i].bitCount, 4);
    }
}

}  // namespace
