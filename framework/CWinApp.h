// The application object: one per program, found through AfxGetApp. Its profile lives in the
// registry under HKEY_CURRENT_USER\Software\<registry key>\<application name>.
#pragma once

#include <windows.h>

#include "framework/CCmdTarget.h"
#include "framework/CString.h"

class CWinApp : public CCmdTarget {
public:
    // With no name, the name is the string resource AFX_IDS_APP_TITLE, read at start-up.
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    void SetRegistryKey(const char* registryKey);
    // The stored number when it is a REG_DWORD that can be read, otherwise defaultValue.
    UINT GetProfileInt(const char* section, const char* entry, int defaultValue);
    // Writes a REG_DWORD; creates the key path on the way.
    BOOL WriteProfileInt(const char* section, const char* entry, int value);

    HICON LoadIcon(UINT id) const;
    // Controls are drawn by the system here; kept so that start-up reads as it always has.
    BOOL Enable3dControls() { return TRUE; }

    void OnHelp() {}

    const char* m_pszAppName = nullptr;
    const char* m_pszRegistryKey = nullptr;
    const char* m_lpCmdLine = "";
    HINSTANCE m_hInstance = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    friend int AfxWinMain(HINSTANCE instance);
    // Opens (creating where missing) the section's key; NULL on failure.
    HKEY OpenSectionKey(const char* section);

    CString m_appName;
    CString m_registryKey;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
// The module that holds the named resource: this program's own.
HINSTANCE AfxFindResourceHandle(LPCSTR name, LPCSTR type);
// No ActiveX controls are hosted; kept so that start-up reads as it always has.
inline void AfxEnableControlContainer(void* /*occManager*/ = nullptr)
{
}

// The entry point's work: sets up the application object, runs InitInstance and ExitInstance.
int AfxWinMain(HINSTANCE instance);
