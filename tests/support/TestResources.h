// An executable's resources, read as the system stores them.
#pragma once

#include <windows.h>

#include <string>

// The executable loaded as data, its resources readable and its code never run.
class ResourceImage {
public:
    explicit ResourceImage(const std::string& path);
    ResourceImage(const ResourceImage&) = delete;
    ResourceImage& operator=(const ResourceImage&) = delete;
    ~ResourceImage();
    HMODULE Get() const { return m_module; }

    // The bytes of one resource in exactly that language; empty when there is none.
    std::string Data(LPCSTR type, LPCSTR name, WORD language) const;

private:
    HMODULE m_module;
};
