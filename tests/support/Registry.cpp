#include "support/Registry.h"

RegValue ReadValue(const std::string& key, const std::string& name)
{
    RegValue value;
    char data[4096];
    DWORD size = sizeof data;
    value.exists = RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &value.type,
                                data, &size) == ERROR_SUCCESS;
    if (value.exists)
        value.data.assign(data, size);
    return value;
}

void SetValue(const std::string& key, const std::string& name, DWORD type, const std::string& data)
{
    RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), name.c_str(), type, data.data(), static_cast<DWORD>(data.size()));
}

void SetText(const std::string& key, const std::string& name, const std::string& text)
{
    SetValue(key, name, REG_SZ, text + '\0');
}

void DeleteValue(const std::string& key, const std::string& name)
{
    RegDeleteKeyValueA(HKEY_CURRENT_USER, key.c_str(), name.c_str());
}

std::string DefaultSaver()
{
    const std::string data = ReadValue(kDesktopKey, kSaverValue).data;
    return data.substr(0, data.find('\0'));
}

SavedValue::SavedValue(std::string key, std::string name)
    : m_key(std::move(key)), m_name(std::move(name)), m_saved(ReadValue(m_key, m_name))
{
}

SavedValue::~SavedValue()
{
    if (m_saved.exists)
        SetValue(m_key, m_name, m_saved.type, m_saved.data);
    else
        DeleteValue(m_key, m_name);
}
