// Dozewell Drift as a file: what Dozewell and Windows read from it without running it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "manager/SaverManager.h"
#include "support/TestFiles.h"
#include "support/TestProcess.h"

namespace {

// The image's machine, from its PE header, as a manifest names it.
std::string ImageProcessor(const std::string& image)
{
    if (image.size() < sizeof(IMAGE_DOS_HEADER))
        return "";
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
    if (dos->e_magic != IMAGE_DOS_SIGNATURE || image.size() < dos->e_lfanew + sizeof(IMAGE_NT_HEADERS32))
        return "";
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(image.data() + dos->e_lfanew);
    switch (nt->FileHeader.Machine) {
    case IMAGE_FILE_MACHINE_AMD64:
        return "amd64";
    case IMAGE_FILE_MACHINE_I386:
        return "x86";
    }
    return "unknown";
}

// Every processorArchitecture="..." that the text names.
std::vector<std::string> NamedProcessors(const std::string& manifest)
{
    const std::string key = "processorArchitecture=\"";
    std::vector<std::string> found;
    for (size_t at = manifest.find(key); at != std::string::npos; at = manifest.find(key, at + 1)) {
        const size_t start = at + key.size();
        found.push_back(manifest.substr(start, manifest.find('"', start) - start));
    }
    return found;
}

std::string ResourceText(HMODULE module, LPCSTR name, LPCSTR type)
{
    HRSRC resource = FindResourceA(module, name, type);
    if (!resource)
        return "";
    const void* data = LockResource(LoadResource(module, resource));
    return data ? std::string(static_cast<const char*>(data), SizeofResource(module, resource)) : "";
}

std::string VersionString(const std::vector<char>& block, const std::string& name)
{
    void* value = nullptr;
    UINT size = 0;
    const std::string path = "\\StringFileInfo\\040904b0\\" + name;
    if (!VerQueryValueA(block.data(), path.c_str(), &value, &size) || !value)
        return "";
    return static_cast<const char*>(value);
}

}  // namespace

TEST(DriftModule, DozewellDescribesItByStringOne)
{
    CSaverManager manager;
    CString description;
    ASSERT_TRUE(manager.GetSaverDescription(DriftPath().c_str(), description));
    EXPECT_STREQ(description, "Dozewell Drift");
}

TEST(DriftModule, CarriesItsOwnVersionBlock)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(DriftPath().c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(DriftPath().c_str(), 0, size, block.data()));
    EXPECT_EQ(VersionString(block, "FileDescription"), "Dozewell Drift");
    EXPECT_EQ(VersionString(block, "OriginalFilename"), "dozewell-drift.scr");
    EXPECT_EQ(VersionString(block, "ProductName"), "Dozewell");
    // The same version as the packages that ship it.
    EXPECT_EQ(VersionString(block, "ProductVersion"), DOZEWELL_VERSION);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize));
    const std::string fixedVersion =
        std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
        std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionLS));
    EXPECT_EQ(fixedVersion, DOZEWELL_VERSION);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST(DriftModule, ItsManifestNamesTheProcessorOfItsImage)
{
    // Windows refuses to start a program whose manifest names another processor; Wine does not.
    const std::string processor = ImageProcessor(ReadTextFile(DriftPath()));
    ASSERT_TRUE(processor == "amd64" || processor == "x86") << processor;
    HMODULE module = LoadLibraryExA(DriftPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    const std::string manifest = ResourceText(module, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
    FreeLibrary(module);
    const std::vector<std::string> named = NamedProcessors(manifest);
    ASSERT_EQ(named.size(), 2u) << manifest;  // its own identity and the common controls
    for (const std::string& name : named)
        EXPECT_EQ(name, processor);
    EXPECT_NE(manifest.find("<dpiAware"), std::string::npos);
}
