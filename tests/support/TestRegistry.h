// The real registry of the test prefix: values saved and put back around a test.
#pragma once

#include <windows.h>

#include <string>

const char kDesktopKeyPath[] = "Control Panel\\Desktop";
const char kSaverValueName[] = "SCRNSAVE.EXE";
const char kProfileKeyPath[] = "Software\\Quenbrook\\Dozewell\\Settings";
const char kNoticeValueName[] = "LockAlertDisplayed";

struct RegistryValue {
    bool exists = false;
    DWORD type = REG_NONE;
    std::string data;
};

RegistryValue ReadValue(HKEY root, const std::string& key, const std::string& name);
// Creates the key when needed.
void WriteValue(HKEY root, const std::string& key, const std::string& name, DWORD type, const std::string& data);
void WriteString(HKEY root, const std::string& key, const std::string& name, const std::string& text);
void WriteDword(HKEY root, const std::string& key, const std::string& name, DWORD value);
void DeleteValue(HKEY root, const std::string& key, const std::string& name);
bool KeyExists(HKEY root, const std::string& key);

// Saves one value (or its absence) and puts it back when the test ends.
class ValueGuard {
public:
    ValueGuard(HKEY root, std::string key, std::string name);
    ValueGuard(const ValueGuard&) = delete;
    ValueGuard& operator=(const ValueGuard&) = delete;
    ~ValueGuard();

private:
    HKEY m_root;
    std::string m_key;
    std::string m_name;
    RegistryValue m_saved;
};

// A key of its own under HKEY_CURRENT_USER\Software\Dozewell Tests, deleted with its contents.
class ScratchKey {
public:
    ScratchKey();
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;
    ~ScratchKey();
    // The path under HKEY_CURRENT_USER.
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};
