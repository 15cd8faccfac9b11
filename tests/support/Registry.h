// Values of the test prefix's real registry under HKEY_CURRENT_USER, put back after each test.
#pragma once

#include <windows.h>

#include <string>

const char kDesktopKey[] = "Control Panel\\Desktop";
const char kSaverValue[] = "SCRNSAVE.EXE";
const char kProfileKey[] = "Software\\Quenbrook\\Dozewell\\Settings";
const char kNoticeValue[] = "LockAlertDisplayed";

struct RegValue {
    bool exists = false;
    DWORD type = REG_NONE;
    std::string data;
};

RegValue ReadValue(const std::string& key, const std::string& name);
// Creates the key when needed.
void SetValue(const std::string& key, const std::string& name, DWORD type, const std::string& data);
// A REG_SZ value with its terminating NUL.
void SetText(const std::string& key, const std::string& name, const std::string& text);
void DeleteValue(const std::string& key, const std::string& name);
// The default screen saver's value as text, up to its first NUL.
std::string DefaultSaver();

// Saves one value, or its absence, and puts it back when the test ends.
class SavedValue {
public:
    SavedValue(std::string key, std::string name);
    SavedValue(const SavedValue&) = delete;
    SavedValue& operator=(const SavedValue&) = delete;
    ~SavedValue();

private:
    const std::string m_key;
    const std::string m_name;
    const RegValue m_saved;
};
