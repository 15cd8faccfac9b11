// Holds at most one open registry key and closes it when it goes out of scope.
#pragma once

#include "framework/afxwin.h"

class CRegistryKey {
public:
    CRegistryKey() = default;
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;
    ~CRegistryKey() { Close(); }

    // Opens subkey, with full access unless told otherwise; on failure no key is held.
    BOOL Open(HKEY root, const char* subkey, REGSAM access = KEY_ALL_ACCESS);
    // Writes a REG_SZ value and flushes the key.
    BOOL SetString(const char* name, const char* text);
    // Reads a value of at most kMaxPathBytes bytes as text, up to its first NUL, and its kind when asked;
    // on failure out is emptied.
    BOOL QueryString(const char* name, CString& out, DWORD* type = nullptr);
    // As QueryString, with the environment strings of a REG_EXPAND_SZ value expanded.
    BOOL QueryPath(const char* name, CString& out);
    // Reads a REG_DWORD value; FALSE for a value of any other kind, out then unchanged.
    BOOL QueryNumber(const char* name, DWORD& out);
    // The result of RegCloseKey; afterwards no key is held.
    LONG Close();

    HKEY m_hKey = nullptr;
};
