#include "framework/CWinApp.h"

#include "framework/AfxIds.h"
#include "framework/CommandLine.h"

namespace {

CWinApp* g_app = nullptr;

// A registry key that closes itself.
class ScopedKey {
public:
    explicit ScopedKey(HKEY key = nullptr) : m_key(key) {}
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;
    ~ScopedKey()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    HKEY Get() const { return m_key; }

private:
    HKEY m_key;
};

HKEY CreateSubKey(HKEY parent, const char* name)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

}  // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(const char* appName)
{
    if (appName) {
        m_appName = appName;
        m_pszAppName = m_appName;
    }
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

void CWinApp::SetRegistryKey(const char* registryKey)
{
    m_registryKey = registryKey;
    m_pszRegistryKey = m_registryKey;
}

HKEY CWinApp::OpenSectionKey(const char* section)
{
    if (!m_pszRegistryKey || !m_pszAppName)
        return nullptr;
    ScopedKey software(CreateSubKey(HKEY_CURRENT_USER, "Software"));
    if (!software.Get())
        return nullptr;
    ScopedKey company(CreateSubKey(software.Get(), m_pszRegistryKey));
    if (!company.Get())
        return nullptr;
    ScopedKey app(CreateSubKey(company.Get(), m_pszAppName));
    if (!app.Get())
        return nullptr;
    return CreateSubKey(app.Get(), section);
}

UINT CWinApp::GetProfileInt(const char* section, const char* entry, int defaultValue)
{
    ScopedKey key(OpenSectionKey(section));
    if (!key.Get())
        return defaultValue;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key.Get(), entry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        return defaultValue;
    return value;
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int value)
{
    ScopedKey key(OpenSectionKey(section));
    if (!key.Get())
        return FALSE;
    const DWORD data = static_cast<DWORD>(value);
    return RegSetValueExA(key.Get(), entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data) ==
           ERROR_SUCCESS;
}

HICON CWinApp::LoadIcon(UINT id) const
{
    return ::LoadIconA(AfxFindResourceHandle(MAKEINTRESOURCEA(id), RT_GROUP_ICON), MAKEINTRESOURCEA(id));
}

CWinApp* AfxGetApp()
{
    return g_app;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_app && g_app->m_hInstance ? g_app->m_hInstance : GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return AfxGetInstanceHandle();
}

HINSTANCE AfxFindResourceHandle(LPCSTR /*name*/, LPCSTR /*type*/)
{
    return AfxGetResourceHandle();
}

int AfxWinMain(HINSTANCE instance)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    app->m_hInstance = instance;
    if (!app->m_pszAppName && app->m_appName.LoadString(AFX_IDS_APP_TITLE))
        app->m_pszAppName = app->m_appName;
    app->m_lpCmdLine = CommandLineTail(GetCommandLineA());
    // Without a main window there is no message loop to run: InitInstance does all the work.
    app->InitInstance();
    return app->ExitInstance();
}
