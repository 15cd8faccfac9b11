// The preview: the default screen saver run with "/p <window>" so that it draws inside that window.
#include "manager/SaverManager.h"

#include "framework/CWnd.h"
#include "system/SystemPath.h"

void CSaverManager::EndPreview()
{
    if (!m_procInfo.hProcess)
        return;
    TerminateProcess(m_procInfo.hProcess, 0);
    CloseHandle(m_procInfo.hProcess);
    if (m_procInfo.hThread)
        CloseHandle(m_procInfo.hThread);
    m_procInfo = PROCESS_INFORMATION();
}

void CSaverManager::StartPreview(CWnd* window)
{
    CString path;
    GetDefaultSaverPath(path);
    if (path.IsEmpty())
        return;
    const unsigned handle = window ? static_cast<unsigned>(reinterpret_cast<UINT_PTR>(window->m_hWnd)) : 0;
    // Quoted, or a path with blanks would first run whatever its first blank-separated piece names
    // ("C:\Program Files\..." tries "C:\Program.exe").
    CString commandLine;
    commandLine.Format("\"%s\" /p %u", static_cast<const char*>(ResolveSystemPath(path)), handle);

    EndPreview();
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.wShowWindow = SW_SHOW;
    // CreateProcessA may write into its command line: it gets the string's own buffer, whole.
    char* writable = commandLine.GetBuffer(commandLine.GetLength());
    if (!writable)
        return;
    // After a failed start the record must say "no preview", whatever the call left in it.
    if (!CreateProcessA(nullptr, writable, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &m_procInfo))
        m_procInfo = PROCESS_INFORMATION();
}
