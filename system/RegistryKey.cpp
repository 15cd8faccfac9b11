#include "system/RegistryKey.h"

#include <string.h>

namespace {

// The largest value that QueryString reads, its terminating NUL counted: any path in UTF-8.
const DWORD kQueryBufferSize = kMaxPathBytes;

}  // namespace

BOOL CRegistryKey::Open(HKEY root, const char* subkey, REGSAM access)
{
    Close();
    if (RegOpenKeyExA(root, subkey, 0, access, &m_hKey) != ERROR_SUCCESS) {
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

BOOL CRegistryKey::QueryString(const char* name, CString& out, DWORD* type)
{
    char buffer[kQueryBufferSize] = {};
    DWORD kind = REG_SZ;
    DWORD size = kQueryBufferSize;
    if (RegQueryValueExA(m_hKey, name, nullptr, &kind, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS) {
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
    if (type)
        *type = kind;
    return TRUE;
}

BOOL CRegistryKey::QueryPath(const char* name, CString& out)
{
    DWORD type = REG_NONE;
    if (!QueryString(name, out, &type))
        return FALSE;
    if (type != REG_EXPAND_SZ)
        return TRUE;
    // Deployment tools and themes store paths such as "%SystemRoot%\system32\Mystify.scr".
    const CString stored = out;
    const DWORD length = ExpandEnvironmentStringsA(stored, nullptr, 0);
    // The ANSI call may ask for one byte more than it reports.
    char* expanded = length ? out.GetBuffer(static_cast<int>(length)) : nullptr;
    if (!expanded || ExpandEnvironmentStringsA(stored, expanded, length + 1) == 0) {
        out.Empty();
        return FALSE;
    }
    out.ReleaseBuffer();
    return TRUE;
}

BOOL CRegistryKey::QueryNumber(const char* name, DWORD& out)
{
    DWORD type = REG_NONE;
    DWORD number = 0;
    DWORD size = sizeof number;
    if (RegQueryValueExA(m_hKey, name, nullptr, &type, reinterpret_cast<BYTE*>(&number), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof number)
        return FALSE;
    out = number;
    return TRUE;
}

LONG CRegistryKey::Close()
{
    const LONG result = RegCloseKey(m_hKey);
    m_hKey = nullptr;
    return result;
}
