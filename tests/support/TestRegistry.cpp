#include "support/TestRegistry.h"

#include <gtest/gtest.h>

RegistryValue ReadValue(HKEY root, const std::string& key, const std::string& name)
{
    RegistryValue value;
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    if (RegQueryValueExA(handle, name.c_str(), nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.data.resize(size);
        if (RegQueryValueExA(handle, name.c_str(), nullptr, &value.type,
                             reinterpret_cast<BYTE*>(&value.data[0]), &size) == ERROR_SUCCESS) {
            value.data.resize(size);
            value.exists = true;
        }
    }
    RegCloseKey(handle);
    return value;
}

void WriteValue(HKEY root, const std::string& key, const std::string& name, DWORD type, const std::string& data)
{
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr),
              ERROR_SUCCESS)
        << key;
    EXPECT_EQ(RegSetValueExA(handle, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                             static_cast<DWORD>(data.size())),
              ERROR_SUCCESS)
        << key << "\\" << name;
    RegCloseKey(handle);
}

void WriteString(HKEY root, const std::string& key, const std::string& name, const std::string& text)
{
    WriteValue(root, key, name, REG_SZ, std::string(text.c_str(), text.size() + 1));
}

void WriteDword(HKEY root, const std::string& key, const std::string& name, DWORD value)
{
    WriteValue(root, key, name, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value));
}

void DeleteValue(HKEY root, const std::string& key, const std::string& name)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_SET_VALUE, &handle) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(handle, name.c_str());
    RegCloseKey(handle);
}

bool KeyExists(HKEY root, const std::string& key)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

ValueGuard::ValueGuard(HKEY root, std::string key, std::string name)
    : m_root(root), m_key(std::move(key)), m_name(std::move(name)), m_saved(ReadValue(m_root, m_key, m_name))
{
}

ValueGuard::~ValueGuard()
{
    if (m_saved.exists)
        WriteValue(m_root, m_key, m_name, m_saved.type, m_saved.data);
    else
        DeleteValue(m_root, m_key, m_name);
}

ScratchKey::ScratchKey()
{
    static unsigned counter = 0;
    m_path = "Software\\Dozewell Tests\\" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str());
    HKEY handle = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                              nullptr),
              ERROR_SUCCESS);
    if (handle)
        RegCloseKey(handle);
}

ScratchKey::~ScratchKey()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, m_path.c_str());
}
