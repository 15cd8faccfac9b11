#include "support/TestResources.h"

ResourceImage::ResourceImage(const std::string& path)
    : m_module(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE))
{
}

ResourceImage::~ResourceImage()
{
    if (m_module)
        FreeLibrary(m_module);
}

std::string ResourceImage::Data(LPCSTR type, LPCSTR name, WORD language) const
{
    HRSRC found = FindResourceExA(m_module, type, name, language);
    if (!found)
        return "";
    const void* data = LockResource(LoadResource(m_module, found));
    return std::string(static_cast<const char*>(data), SizeofResource(m_module, found));
}
