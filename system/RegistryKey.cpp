#include "system/RegistryKey.h"

#include <string.h>

namespace {

// The largest value that QueryString reads, its terminating NUL counted: any path in UTF-8.
const DWORD kQueryBufferSize = kMaxPathBytes;

}  // namespace

BOOL CRegistryKey::Open(HKEY root, const char* subkey)
{
    Close();
    if (RegOpenKeyExA(root, subkey, 0, KEY_ALL_ACCESS, &m_hKey) != ERROR_SUCCESS) {
        m_hKey = nullptr;
        return FALSE;
    }
    return TRUE;
}

BOOL CRegistryKey::SetString(const char* name, const char* text)
{
    const DWORD size = static_cast<DWORD>(strlen(text)) + 1;
    if (RegSetValueExA(m_hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), size) != ERROR_SUCCESS)
        return FALSE;
    RegFlushKey(m_hKey);
    return TRUE;
}

BOOL CRegistryKey::QueryString(const char* name, CString& out)
{
    char buffer[kQueryBufferSize] = {};
    DWORD type = REG_SZ;
    DWORD size = kQueryBufferSize;
    if (RegQueryValueExA(m_hKey, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS) {
        out.Empty();
        return FALSE;
    }
    // Any kind of value is read as text; data without a NUL is taken whole, never read past.
    char* text = out.GetBuffer(kQueryBufferSize);
    if (!text) {
        out.Empty();
        return FALSE;
    }
    const size_t length = strnlen(buffer, kQueryBufferSize);
    memcpy(text, buffer, length);
    out.ReleaseBuffer(static_cast<int>(length));
    return TRUE;
}

LONG CRegistryKey::Close()
{
    const LONG result = RegCloseKey(m_hKey);
    m_hKey = nullptr;
    return result;
}
